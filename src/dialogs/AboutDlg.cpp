#include "dialogs/AboutDlg.h"

#include "ui/About.h"
#include "resource.h"

CAboutDlg::CAboutDlg(IShell& shell) : CDialogBase(IDD_ABOUTBOX), shell(shell) {}

bool CAboutDlg::OnInitDialog()
{
    SetItemText(IDC_ABOUT_THANKS, AboutThanks());
    SetTitleIcons(IDI_APP);
    return true;
}

bool CAboutDlg::OnCommand(int id, int code, HWND control)
{
    // Whether the browser opened is not shown: the user sees it or not.
    switch (id) {
    case IDC_ABOUT_DONATE:
        shell.Open(DonateRequest());
        return true;
    case IDC_ABOUT_HOMEPAGE:
        shell.Open(HomePageRequest());
        return true;
    default:
        return CDialogBase::OnCommand(id, code, control);
    }
}
