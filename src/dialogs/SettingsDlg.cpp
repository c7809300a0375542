#include "dialogs/SettingsDlg.h"

#include "dialogs/DialogIcon.h"
#include "ui/Switches.h"

CSettingsDlg::CSettingsDlg(CProfileStore& store, IMessageBox& messages)
    : CDialogBase(IDD_SETTINGS), store(store), messages(messages)
{
}

bool CSettingsDlg::OnInitDialog()
{
    SetAppIcons(hwnd);
    const SystemSwitches switches = ReadSwitches(store);
    CheckDlgButton(hwnd, IDC_SETTINGS_AUTORUN, switches.autoExec ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_SETTINGS_LOG, switches.logFlag ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_SETTINGS_UPDATE, switches.autoUpdate ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

bool CSettingsDlg::OnCommand(int id, int code, HWND control)
{
    if (id != IDOK)
        return CDialogBase::OnCommand(id, code, control);
    auto ticked = [this](int box) { return IsDlgButtonChecked(hwnd, box) == BST_CHECKED; };
    SystemSwitches switches;
    switches.autoExec = ticked(IDC_SETTINGS_AUTORUN);
    switches.autoUpdate = ticked(IDC_SETTINGS_UPDATE);
    switches.logFlag = ticked(IDC_SETTINGS_LOG);
    SaveSwitches(store, switches, messages);
    End(IDOK);
    return true;
}
