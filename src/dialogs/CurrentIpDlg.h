#pragma once
// "电脑当前IP配置信息": every adapter's settings as read now, and "备份返回",
// which saves the main window's inventory as a new profile. The main window
// saves the file after OK.

#include "controls/Dialog.h"
#include "ui/CaptureDialogs.h"

class CCurrentIpDlg : public CDialogBase {
public:
    // `net` reads the dialog's own inventory; `adapters` is what a save takes.
    CCurrentIpDlg(CProfileStore& store, const CAdapterList& adapters, const NetPlatform& net,
                  IMessageBox& messages);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    CCurrentIpModel model;
    CAdapterList own;
};
