#include "dialogs/CurrentIpDlg.h"
#include "resource.h"

CCurrentIpDlg::CCurrentIpDlg(CProfileStore& store, const CAdapterList& adapters, const NetPlatform& net,
                             IMessageBox& messages)
    : CDialogBase(IDD_CURRENT_IP), model(store, adapters, messages), own(net)
{
}

bool CCurrentIpDlg::OnInitDialog()
{
    model.SetOwner(hwnd);
    SetTitleIcons(IDI_APP);
    SetItemText(IDC_CURRENT_IP_DETAILS, model.ReadDetails(own));
    // The name is what the user types; the read-only details need no caret.
    SetFocus(Item(IDC_CURRENT_IP_NAME));
    return false;
}

bool CCurrentIpDlg::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_CURRENT_IP_NAME:
        if (code == EN_CHANGE)
            EnableItem(IDOK, CanSaveName(ItemText(IDC_CURRENT_IP_NAME)));
        return true;
    case IDOK: {
        const std::u16string name = ItemText(IDC_CURRENT_IP_NAME);
        if (CanSaveName(name))
            End(model.Save(name) ? IDOK : IDCANCEL);
        return true;
    }
    default:
        return CDialogBase::OnCommand(id, code, control);
    }
}
