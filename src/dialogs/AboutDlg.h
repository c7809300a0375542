#pragma once
// The About box: the product, its notices and acknowledgements, and buttons
// for the donation page and the home page.

#include "controls/Dialog.h"
#include "platform/Shell.h"

class CAboutDlg : public CDialogBase {
public:
    explicit CAboutDlg(IShell& shell);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    IShell& shell;
};
