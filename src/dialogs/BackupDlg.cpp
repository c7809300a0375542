#include "dialogs/BackupDlg.h"

#include "controls/ComboBox.h"
#include "resource.h"

namespace {

constexpr int kLinePadding = 8;  // the open list's item margins, at 96 DPI

}  // namespace

CBackupDlg::CBackupDlg(CProfileStore& store, const CAdapterList& adapters, IMessageBox& messages)
    : CDialogBase(IDD_BACKUP), model(store, adapters, messages)
{
}

bool CBackupDlg::OnInitDialog()
{
    model.SetOwner(hwnd);
    SetTitleIcons(IDI_APP);
    if (!model.Open()) {
        End(0);
        return true;
    }
    const CComboBox box(Item(IDC_BACKUP_ADAPTER));
    const std::vector<std::u16string> lines = model.AdapterLines();
    for (const std::u16string& line : lines)
        box.AddString(line);
    box.Select(model.FirstSelection());
    // Connection name and description together are often wider than the
    // box; the open list shows them whole, with room for the item margins.
    box.WidenDropDownFor(lines, kLinePadding);
    ShowDetails();
    // The name's change notice enables "保存".
    SetItemText(IDC_BACKUP_NAME, model.ProposedName());
    return true;
}

void CBackupDlg::OnDpiChanged(UINT dpi)
{
    CComboBox(Item(IDC_BACKUP_ADAPTER)).MeasureDropDownAgain(model.AdapterLines(), kLinePadding, dpi);
}

bool CBackupDlg::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_BACKUP_ADAPTER:
        if (code == CBN_SELCHANGE)
            ShowDetails();
        return true;
    case IDC_BACKUP_NAME:
        if (code == EN_CHANGE)
            EnableItem(IDOK, CanSaveName(ItemText(IDC_BACKUP_NAME)));
        return true;
    case IDOK:
        OnOk();
        return true;
    default:
        return CDialogBase::OnCommand(id, code, control);
    }
}

void CBackupDlg::ShowDetails()
{
    SetItemText(IDC_BACKUP_DETAILS, model.Details(CComboBox(Item(IDC_BACKUP_ADAPTER)).Selection()));
}

void CBackupDlg::OnOk()
{
    name = ItemText(IDC_BACKUP_NAME);
    // An empty name is never saved, whatever sent the command.
    if (!CanSaveName(name))
        return;
    allAdapters = Checked(IDC_BACKUP_ALL);
    othersDhcp = Checked(IDC_BACKUP_OTHERS_DHCP);
    End(model.Save(name, CComboBox(Item(IDC_BACKUP_ADAPTER)).Selection(), allAdapters) ? IDOK : IDCANCEL);
}
