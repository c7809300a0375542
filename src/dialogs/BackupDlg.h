#pragma once
// "备份当前IP": saves the current settings of the adapter the user picks, or
// of every adapter, as a new profile. The main window saves the file after OK.

#include "controls/Dialog.h"
#include "ui/CaptureDialogs.h"

class CBackupDlg : public CDialogBase {
public:
    CBackupDlg(CProfileStore& store, const CAdapterList& adapters, IMessageBox& messages);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnDpiChanged(UINT dpi) override;

private:
    void ShowDetails();
    void OnOk();

    CBackupModel model;
    // Read when the user saves; the second box is shown but not acted on.
    std::u16string name;
    bool allAdapters = false;
    bool othersDhcp = false;
};
