#include "dialogs/BackupDlg.h"

#include "controls/Dpi.h"
#include "dialogs/DialogIcon.h"
#include "platform/WideText.h"

#include <algorithm>

CBackupDlg::CBackupDlg(CProfileStore& store, const CAdapterList& adapters, IMessageBox& messages)
    : CDialogBase(IDD_BACKUP), model(store, adapters, messages)
{
}

bool CBackupDlg::OnInitDialog()
{
    SetAppIcons(hwnd);
    if (!model.Open()) {
        End(0);
        return true;
    }
    CWindow box(Item(IDC_BACKUP_ADAPTER));
    const std::vector<std::u16string> lines = model.AdapterLines();
    for (const std::u16string& line : lines)
        box.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(line)));
    box.Send(CB_SETCURSEL, static_cast<WPARAM>(model.FirstSelection()));
    WidenDropDown(box, lines);
    ShowDetails();
    // The name's change notice enables "保存".
    CWindow(Item(IDC_BACKUP_NAME)).SetCaption(model.ProposedName());
    return true;
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
            CWindow(Item(IDOK)).Enable(CanSaveName(ItemText(hwnd, IDC_BACKUP_NAME)));
        return true;
    case IDOK:
        OnOk();
        return true;
    default:
        return CDialogBase::OnCommand(id, code, control);
    }
}

// Connection name and description together are often wider than the box;
// the open list shows them whole.
void CBackupDlg::WidenDropDown(HWND box, const std::vector<std::u16string>& lines)
{
    HDC dc = GetDC(box);
    if (!dc)
        return;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::u16string& line : lines) {
        SIZE size = {};
        if (GetTextExtentPoint32W(dc, Wide(line), static_cast<int>(line.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    // Room for the item margins and a scroll bar.
    const UINT dpi = WindowDpi(box);
    int margin = 2 * MetricForDpi(SM_CXEDGE, dpi) + MetricForDpi(SM_CXVSCROLL, dpi) + ScaleForDpi(8, dpi);
    RECT screen = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    int width = std::min(widest + margin, static_cast<int>(screen.right - screen.left));
    if (width > static_cast<int>(SendMessageW(box, CB_GETDROPPEDWIDTH, 0, 0)))
        SendMessageW(box, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

void CBackupDlg::ShowDetails()
{
    int selected = static_cast<int>(CWindow(Item(IDC_BACKUP_ADAPTER)).Send(CB_GETCURSEL));
    CWindow(Item(IDC_BACKUP_DETAILS)).SetCaption(model.Details(selected));
}

void CBackupDlg::OnOk()
{
    name = ItemText(hwnd, IDC_BACKUP_NAME);
    // An empty name is never saved, whatever sent the command.
    if (!CanSaveName(name))
        return;
    allAdapters = IsDlgButtonChecked(hwnd, IDC_BACKUP_ALL) == BST_CHECKED;
    othersDhcp = IsDlgButtonChecked(hwnd, IDC_BACKUP_OTHERS_DHCP) == BST_CHECKED;
    int selected = static_cast<int>(CWindow(Item(IDC_BACKUP_ADAPTER)).Send(CB_GETCURSEL));
    End(model.Save(name, selected, allAdapters) ? IDOK : IDCANCEL);
}
