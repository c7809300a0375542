#include "controls/AdapterTabCtrl.h"

#include "controls/Dpi.h"

#include <cwchar>

namespace {

// The page starts below the tab rows: this many pixels per row, plus kPageTop
// (at 96 DPI; they grow with the screen's scale).
constexpr int kRowHeight = 17;
constexpr int kPageTop = 4;
// Room between the lowest tab and the page, for the border the control draws there.
constexpr int kPageGap = 2;

}  // namespace

bool CAdapterTabCtrl::Attach(HWND tab)
{
    wchar_t className[32] = {};
    if (tab == nullptr || !IsWindow(tab) || GetClassNameW(tab, className, 32) == 0 ||
        _wcsicmp(className, WC_TABCONTROLW) != 0)
        return false;
    hwnd = tab;
    AddOwnerDraw();
    return true;
}

bool CAdapterTabCtrl::Create(HWND parent, const RECT& rect, int id, DWORD style)
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    HWND tab = CreateWindowExW(0, WC_TABCONTROLW, nullptr, style | TCS_OWNERDRAWFIXED, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (tab == nullptr)
        return false;
    hwnd = tab;
    SendMessageW(tab, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    return true;
}

void CAdapterTabCtrl::AddOwnerDraw()
{
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    if ((style & TCS_OWNERDRAWFIXED) == 0) {
        SetWindowLongPtrW(hwnd, GWL_STYLE, style | TCS_OWNERDRAWFIXED);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

int CAdapterTabCtrl::InsertTab(int index, const std::u16string& label, int image)
{
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    // The control copies the text and never writes through the pointer.
    item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(label.c_str()));
    item.iImage = image;
    return static_cast<int>(Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

bool CAdapterTabCtrl::ReflectFromParent(UINT message, WPARAM, LPARAM l, LRESULT* result)
{
    if (message != WM_DRAWITEM || hwnd == nullptr || l == 0)
        return false;
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    if (draw->CtlType != ODT_TAB || draw->hwndItem != hwnd)
        return false;
    DrawTab(*draw);
    *result = TRUE;
    return true;
}

void CAdapterTabCtrl::DrawTab(const DRAWITEMSTRUCT& draw)
{
    const int index = static_cast<int>(draw.itemID);
    if (index < 0)
        return;
    wchar_t label[kLabelCapacity] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = label;
    item.cchTextMax = kLabelCapacity;
    if (!Send(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return;
    // The control may answer with its own copy; either way no more than the capacity is drawn.
    const wchar_t* text = item.pszText != nullptr ? item.pszText : label;
    const int length = static_cast<int>(wcsnlen(text, kLabelCapacity - 1));
    const bool selected = index == Selection();

    const HDC dc = draw.hDC;
    const int saved = SaveDC(dc);
    if (const auto font = reinterpret_cast<HFONT>(Send(WM_GETFONT)); font != nullptr)
        SelectObject(dc, font);
    const UINT dpi = WindowDpi(hwnd);
    const int edgeX = MetricForDpi(SM_CXEDGE, dpi);
    const int edgeY = MetricForDpi(SM_CYEDGE, dpi);
    RECT area = draw.rcItem;
    area.top += edgeY;
    area.left += edgeX;
    area.right -= edgeX;

    SetBkMode(dc, TRANSPARENT);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));

    if (HIMAGELIST images = reinterpret_cast<HIMAGELIST>(Send(TCM_GETIMAGELIST)); images != nullptr && item.iImage >= 0) {
        SIZE blank{};
        GetTextExtentPoint32W(dc, L" ", 1, &blank);
        area.left += blank.cx;
        ImageList_Draw(images, item.iImage, dc, area.left, area.top, ILD_TRANSPARENT);
        int width = 0, height = 0;
        ImageList_GetIconSize(images, &width, &height);
        area.left += width;
    }

    if (selected) {
        SetTextColor(dc, kSelectedText);
        area.top -= edgeY;
        DrawTextW(dc, text, length, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    } else {
        SetTextColor(dc, kNormalText);
        DrawTextW(dc, text, length, &area, DT_SINGLELINE | DT_CENTER | DT_BOTTOM | DT_NOPREFIX);
    }

    // The page under the tab rows, inside the control's border.
    RECT page{};
    GetClientRect(hwnd, &page);
    page.top += ScaleForDpi(kRowHeight, dpi) * RowCount() + ScaleForDpi(kPageTop, dpi);
    // Rows taller than that (a larger font or DPI) keep their tabs.
    const int count = TabCount();
    for (int tab = 0; tab < count; ++tab) {
        RECT bounds{};
        if (Send(TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&bounds)) &&
            bounds.bottom + ScaleForDpi(kPageGap, dpi) > page.top)
            page.top = bounds.bottom + ScaleForDpi(kPageGap, dpi);
    }
    page.left += ScaleForDpi(2, dpi);
    page.right -= ScaleForDpi(4, dpi);
    page.bottom -= ScaleForDpi(4, dpi);
    if (page.right > page.left && page.bottom > page.top)
        FillRect(dc, &page, GetSysColorBrush(COLOR_BTNFACE));

    RestoreDC(dc, saved);
}
