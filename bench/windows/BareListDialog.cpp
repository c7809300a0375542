// The floor of the start-up benchmark: a bare dialog with the main window's
// four-column report list, filled from "lanvoy.cfg" beside it through the
// same store, and nothing else. The benchmark finds it as it finds the
// program's main window.

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ProcessPaths.h"
#include "platform/ProductNames.h"
#include "platform/WideText.h"
#include "store/ProfileStore.h"
#include "support/MemoryRegistry.h"
#include "support/MemoryStartupTask.h"
#include "text/DecimalText.h"
#include "resource.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Row {
    std::u16string number, name, time;
};
std::vector<Row> rows;

void FillList(HWND dialog)
{
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT |
                                LVS_SHOWSELALWAYS | LVS_OWNERDATA, 4, 70, 600, 340, dialog,
                                reinterpret_cast<HMENU>(IDC_PROFILE_LIST), GetModuleHandleW(nullptr), nullptr);
    const wchar_t* headings[] = {L"", L"NO.", L"名称", L"建立时间"};
    const int widths[] = {37, 40, 225, 120};
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        item.pszText = const_cast<wchar_t*>(headings[column]);
        item.cx = widths[column];
        item.iSubItem = column;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    }
    CLocalFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CSystemClock clock;
    CProfileStore store(StoreEnvironment{ExecutablePath(), files, registry, startupTask, clock});
    store.Load();
    const auto& profiles = store.Profiles();
    for (std::size_t i = 0; i < profiles.size(); ++i)
        rows.push_back({DecimalText(static_cast<int>(i + 1)), profiles[i]->name, profiles[i]->dateTime});
    SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), 0);
}

void AnswerCell(NMLVDISPINFOW& request)
{
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0 || static_cast<std::size_t>(item.iItem) >= rows.size())
        return;
    const Row& row = rows[static_cast<std::size_t>(item.iItem)];
    const std::u16string& text = item.iSubItem == 1 ? row.number : item.iSubItem == 2 ? row.name : row.time;
    const std::size_t length = item.iSubItem == 0 ? 0 : std::min<std::size_t>(text.size(), item.cchTextMax - 1);
    std::copy_n(text.begin(), length, item.pszText);
    item.pszText[length] = L'\0';
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM l)
{
    switch (message) {
    case WM_INITDIALOG:
        // Found by the property once its list is there.
        FillList(dialog);
        SetPropW(dialog, Wide(kInstanceName), reinterpret_cast<HANDLE>(1));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(l)->code == LVN_GETDISPINFOW)
            AnswerCell(*reinterpret_cast<NMLVDISPINFOW*>(l));
        return TRUE;
    case WM_CLOSE:
    case WM_COMMAND:
        RemovePropW(dialog, Wide(kInstanceName));
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

// A template of a caption and nothing else; the list comes at WM_INITDIALOG.
struct alignas(4) BareTemplate {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER, 0, 0, 0, 0, 410, 280};
    WORD menu = 0, windowClass = 0;
    wchar_t caption[7] = L"Lanvoy";
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    static const BareTemplate bare;
    return static_cast<int>(DialogBoxIndirectParamW(instance, &bare.header, nullptr, DialogProc, 0));
}
