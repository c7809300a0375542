#pragma once
// "系统设置": start with Windows, automatic update check and the operation
// log. OK writes them into the store's file and the sign-in task at once; the main
// window then writes its copy "config.xml".

#include "controls/Dialog.h"
#include "platform/MessageBox.h"
#include "store/ProfileStore.h"

class CSettingsDlg : public CDialogBase {
public:
    CSettingsDlg(CProfileStore& store, IMessageBox& messages);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    CProfileStore& store;
    IMessageBox& messages;
};
