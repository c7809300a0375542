#include "dialogs/SettingsDlg.h"

#include "ui/Switches.h"
#include "resource.h"

CSettingsDlg::CSettingsDlg(CProfileStore& store, IMessageBox& messages)
    : CDialogBase(IDD_SETTINGS), store(store), messages(messages)
{
}

bool CSettingsDlg::OnInitDialog()
{
    SetTitleIcons(IDI_APP);
    const SystemSwitches switches = ReadSwitches(store);
    SetChecked(IDC_SETTINGS_AUTORUN, switches.autoExec);
    SetChecked(IDC_SETTINGS_LOG, switches.logFlag);
    SetChecked(IDC_SETTINGS_UPDATE, switches.autoUpdate);
    return true;
}

bool CSettingsDlg::OnCommand(int id, int code, HWND control)
{
    if (id != IDOK)
        return CDialogBase::OnCommand(id, code, control);
    SystemSwitches switches;
    switches.autoExec = Checked(IDC_SETTINGS_AUTORUN);
    switches.autoUpdate = Checked(IDC_SETTINGS_UPDATE);
    switches.logFlag = Checked(IDC_SETTINGS_LOG);
    SaveSwitches(store, switches, messages, hwnd);
    End(IDOK);
    return true;
}
