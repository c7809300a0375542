#include "controls/ProfileListCtrl.h"

#include "controls/Dpi.h"
#include "text/TextCut.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>

namespace {

constexpr UINT_PTR kSubclassId = 0x4C56;  // one subclass of ours per list
constexpr int kTipWidth = 500;            // pixels before a tip wraps, at 96 DPI
constexpr int kTipShowTime = 10000;       // ms a tip stays up

// Clears selection and focus of every row.
const LVITEMW kNoState = [] {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    return item;
}();

// CLR_DEFAULT and CLR_NONE cannot fill a rectangle: they stand for the window colour.
COLORREF Solid(COLORREF colour)
{
    return (colour & 0xFF000000) != 0 ? GetSysColor(COLOR_WINDOW) : colour;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    const COLORREF previous = SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}

void DrawLine(HDC dc, const std::u16string& text, RECT rect, int inset, UINT align)
{
    rect.left += inset;
    rect.right -= inset;
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &rect,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
}

}  // namespace

CProfileListCtrl::~CProfileListCtrl()
{
    Detach();
}

bool CProfileListCtrl::Attach(HWND list)
{
    Detach();
    if (list == nullptr || !IsWindow(list))
        return false;
    if (!SetWindowSubclass(list, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd = list;
    RECT client{};
    GetClientRect(hwnd, &client);
    clientWidth = client.right;
    return true;
}

void CProfileListCtrl::Detach()
{
    if (hwnd == nullptr)
        return;
    tip.Destroy();
    RemoveWindowSubclass(hwnd, ListProc, kSubclassId);
    hwnd = nullptr;
}

void CProfileListCtrl::SetFullRowSelect(bool on)
{
    fullRow = on;
    if (hwnd == nullptr)
        return;
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | LVS_OWNERDRAWFIXED) : (style & ~static_cast<LONG_PTR>(LVS_OWNERDRAWFIXED));
    if (wanted == style)
        return;
    Send(WM_SETREDRAW, FALSE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, wanted);
    Send(WM_SETREDRAW, TRUE);
    if (on)
        Remeasure();
    if (IsReportView())
        InvalidateRect(hwnd, nullptr, TRUE);
}

void CProfileListCtrl::SetVirtualRows(int count, ListRowSource source)
{
    rowSource = std::move(source);
    tip.DropTool();
    // Selection and focus belong to the rows that were: none carries over.
    LVITEMW none = kNoState;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void CProfileListCtrl::AnswerCellRequest(NMLVDISPINFOW& request)
{
    LVITEMW& item = request.item;
    if (item.mask & LVIF_IMAGE)
        item.iImage = 0;
    if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
        const std::u16string text = rowSource.cell(item.iItem, item.iSubItem);
        const std::size_t length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
        std::copy_n(text.begin(), length, item.pszText);
        item.pszText[length] = L'\0';
    }
}

void CProfileListCtrl::Remeasure()
{
    // A list asks its parent for the row height when it is created, before
    // this control took it over, and again when told its place anew.
    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&bounds), 2);
    WINDOWPOS place{hwnd, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                    SWP_NOZORDER | SWP_NOACTIVATE};
    Send(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&place));
}

int CProfileListCtrl::SetMarkedRow(int row)
{
    // The new row repaints with the selection change that comes with it.
    if (markedRow >= 0 && hwnd != nullptr) {
        RECT bounds{};
        if (RowBounds(markedRow, &bounds, LVIR_BOUNDS))
            InvalidateRect(hwnd, &bounds, FALSE);
    }
    markedRow = row;
    return markedRow;
}

void CProfileListCtrl::EnableTips(bool on)
{
    tipsOn = on;
    tip.Activate(on);
}

bool CProfileListCtrl::ReflectFromParent(UINT message, WPARAM, LPARAM l, LRESULT* result)
{
    if (hwnd == nullptr || l == 0)
        return false;
    try {
        switch (message) {
        case WM_DRAWITEM: {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (draw->CtlType != ODT_LISTVIEW || draw->hwndItem != hwnd)
                return false;
            DrawRow(*draw);
            *result = TRUE;
            return true;
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            if (measure->CtlType != ODT_LISTVIEW || measure->CtlID != static_cast<UINT>(GetDlgCtrlID(hwnd)))
                return false;
            OnMeasureItem(*measure);
            *result = TRUE;
            return true;
        }
        case WM_NOTIFY:
            return OnParentNotify(reinterpret_cast<NMHDR*>(l), result);
        default:
            return false;
        }
    } catch (...) {
        // A row that cannot be drawn or a tip that cannot be given is left out.
        *result = 0;
        return true;
    }
}

void CProfileListCtrl::OnMeasureItem(MEASUREITEMSTRUCT& measure) const
{
    const UINT dpi = WindowDpi(hwnd);
    const UINT imageHeight = static_cast<UINT>(std::max<LONG>(iconSize.cy, ScaleForDpi(kRowImageSize, dpi)));
    measure.itemHeight = std::max(measure.itemHeight, imageHeight + ScaleForDpi(2, dpi));
}

bool CProfileListCtrl::OnParentNotify(NMHDR* header, LRESULT* result)
{
    if (header->hwndFrom == hwnd && header->code == LVN_GETDISPINFOW && rowSource.cell) {
        AnswerCellRequest(*reinterpret_cast<NMLVDISPINFOW*>(header));
        *result = 0;
        return true;
    }
    if (!tip.IsFrom(header))
        return false;
    if (header->code == TTN_GETDISPINFOW || header->code == TTN_GETDISPINFOA)
        AnswerTipRequest(header);
    *result = 0;
    return true;
}

int CProfileListCtrl::ToolAt(POINT client) const
{
    LVHITTESTINFO hit{};
    hit.pt = client;
    Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem < 0 || hit.iSubItem < 0 || !tipRule.Offers(hit.flags))
        return -1;
    return hit.iItem * 100 + hit.iSubItem;
}

const wchar_t* CProfileListCtrl::TipTextAt(POINT client)
{
    LVHITTESTINFO hit{};
    hit.pt = client;
    Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem < 0 || !tipRule.Offers(hit.flags) || !rowSource.tip)
        return nullptr;
    // The row's tip shows over every cell of the row.
    const std::u16string text = tipRule.Cut(rowSource.tip(hit.iItem));
    if (text.empty())
        return nullptr;
    tipText.assign(text.begin(), text.end());
    return tipText.c_str();
}

LRESULT CALLBACK CProfileListCtrl::ListProc(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self)
{
    try {
        return reinterpret_cast<CProfileListCtrl*>(self)->OnMessage(message, w, l);
    } catch (...) {
        return DefSubclassProc(window, message, w, l);
    }
}

LRESULT CProfileListCtrl::OnMessage(UINT message, WPARAM w, LPARAM l)
{
    const HWND list = hwnd;
    switch (message) {
    case LVM_SETIMAGELIST: {
        const LRESULT previous = DefSubclassProc(list, message, w, l);
        OnSetImageList(l);
        return previous;
    }
    case LVM_SETTEXTBKCOLOR:
        textBackground = static_cast<COLORREF>(l);
        break;
    case LVM_SETBKCOLOR:
        background = static_cast<COLORREF>(l);
        break;
    case WM_SIZE:
        clientWidth = LOWORD(l);
        tip.FitTool();
        break;
    case WM_PAINT:
        if (w == 0)
            ExtendPaint();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT answer = DefSubclassProc(list, message, w, l);
        const HWND other = reinterpret_cast<HWND>(w);
        if (!(other != nullptr && IsChild(hwnd, other)) && fullRow && IsReportView())
            RepaintSelectedRows();
        return answer;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (tipsOn) {
            // Made when the mouse first comes, not while the window starts.
            if (!tip)
                tip.Create(hwnd);
            tip.Relay(message, w, l, ToolAt(POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}));
        }
        break;
    case WM_MOUSELEAVE:
        tip.DropTool();
        break;
    case WM_NOTIFYFORMAT:
        if (tip && reinterpret_cast<HWND>(w) == tip.Window())
            return NFR_UNICODE;
        break;
    case WM_NOTIFY: {
        // Only our own tooltip's requests; the list's built-in one gets none.
        auto* header = reinterpret_cast<NMHDR*>(l);
        if (tip.IsFrom(header)) {
            if (header->code == TTN_GETDISPINFOW || header->code == TTN_GETDISPINFOA)
                AnswerTipRequest(header);
            return 0;
        }
        break;
    }
    case WM_NCDESTROY:
        // The tooltip is owned by the list and goes with it.
        tip.Destroy();
        RemoveWindowSubclass(list, ListProc, kSubclassId);
        hwnd = nullptr;
        return DefSubclassProc(list, message, w, l);
    default:
        break;
    }
    return DefSubclassProc(list, message, w, l);
}

void CProfileListCtrl::OnSetImageList(LPARAM images)
{
    int cx = 0, cy = 0;
    if (images != 0 && ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(images), &cx, &cy))
        iconSize = SIZE{cx, cy};
    if (fullRow)
        Remeasure();
}

// How a row is drawn: its state, and how its image blends with it.
struct CProfileListCtrl::RowLook {
    bool selected = false;
    bool marked = false;
    bool focused = false;
    UINT imageStyle = ILD_TRANSPARENT;
    COLORREF blend = CLR_DEFAULT;
};

void CProfileListCtrl::DrawRow(const DRAWITEMSTRUCT& draw)
{
    const HDC dc = draw.hDC;
    const int row = static_cast<int>(draw.itemID);

    wchar_t label[kTextCapacity] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = row;
    item.stateMask = 0xFFFF;
    item.pszText = label;
    item.cchTextMax = kTextCapacity;
    if (!Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return;
    // The list may answer with a pointer to its own copy of the text.
    const std::u16string_view labelText =
        item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW
            ? std::u16string_view(reinterpret_cast<const char16_t*>(item.pszText))
            : std::u16string_view();

    RECT bounds{}, labelRect{};
    RowBounds(row, &bounds, LVIR_BOUNDS);
    RowBounds(row, &labelRect, LVIR_LABEL);
    // Selections run to the client area's right edge.
    RECT whole = bounds;
    whole.left = labelRect.left;
    whole.right = std::max<LONG>(whole.right, clientWidth);

    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT));
    const HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = GetTextColor(dc), oldBack = GetBkColor(dc);

    const RowLook look = PaintBackground(dc, item, row, whole);
    DrawImages(dc, draw, item, look);
    DrawCells(dc, row, labelText, labelRect);
    if ((item.state & LVIS_FOCUSED) != 0 && look.focused)
        DrawFocusRect(dc, &whole);

    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    SetBkMode(dc, oldMode);
    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
}

CProfileListCtrl::RowLook CProfileListCtrl::PaintBackground(HDC dc, const LVITEMW& item, int row,
                                                            const RECT& whole) const
{
    RowLook look;
    look.focused = GetFocus() == hwnd;
    const bool keepsSelection = (GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    look.selected = ((item.state & LVIS_SELECTED) != 0 && (look.focused || keepsSelection)) ||
                    (item.state & LVIS_DROPHILITED) != 0;
    look.marked = row == markedRow;
    if (look.selected) {
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        FillRect(dc, &whole, GetSysColorBrush(COLOR_HIGHLIGHT));
    } else if (look.marked) {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kMarkedColour);
        Fill(dc, whole, kMarkedColour);
    } else {
        Fill(dc, whole, Solid(textBackground));
    }

    if (item.state & LVIS_CUT) {
        look.imageStyle = ILD_BLEND50;
        look.blend = background == CLR_NONE ? CLR_NONE : Solid(background);
    } else if (look.selected) {
        look.imageStyle = ILD_BLEND50;
        look.blend = GetSysColor(COLOR_HIGHLIGHT);
    } else if (look.marked) {
        look.imageStyle = ILD_BLEND50;
        look.blend = kMarkedColour;
    }
    return look;
}

void CProfileListCtrl::DrawImages(HDC dc, const DRAWITEMSTRUCT& draw, const LVITEMW& item, const RowLook& look) const
{
    if (const UINT state = (item.state & LVIS_STATEIMAGEMASK) >> 12; state != 0) {
        if (HIMAGELIST states = ImageList(LVSIL_STATE))
            ImageList_Draw(states, static_cast<int>(state) - 1, dc, draw.rcItem.left, draw.rcItem.top, ILD_TRANSPARENT);
    }
    HIMAGELIST images = ImageList(LVSIL_SMALL);
    if (images == nullptr || draw.rcItem.right - draw.rcItem.left <= 1)
        return;
    RECT iconRect{};
    RowBounds(static_cast<int>(draw.itemID), &iconRect, LVIR_ICON);
    const COLORREF imageBack = background == CLR_NONE ? CLR_NONE : Solid(background);
    ImageList_DrawEx(images, item.iImage, dc, iconRect.left, iconRect.top, iconSize.cx, iconSize.cy, imageBack,
                     look.blend, look.imageStyle | (item.state & LVIS_OVERLAYMASK));
}

void CProfileListCtrl::DrawCells(HDC dc, int row, std::u16string_view label, const RECT& labelRect) const
{
    const TextMeasure measure = [dc](std::u16string_view text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    // Paddings are designed at 96 DPI and grow with the text.
    const UINT dpi = WindowDpi(hwnd);
    DrawLine(dc, ShortenText(label, labelRect.right - labelRect.left, ScaleForDpi(4, dpi), measure).text, labelRect,
             ScaleForDpi(2, dpi), DT_LEFT);

    // Each further cell starts where the one before it ends.
    RECT cell = labelRect;
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    for (int index = 1; Send(LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)); ++index) {
        cell.left = cell.right;
        cell.right += column.cx;
        const std::u16string text = CellText(row, index);
        if (text.empty())
            continue;
        const ShortText shown = ShortenText(text, cell.right - cell.left, ScaleForDpi(12, dpi), measure);
        UINT align = DT_LEFT;
        if (!shown.shortened) {
            switch (column.fmt & LVCFMT_JUSTIFYMASK) {
            case LVCFMT_RIGHT: align = DT_RIGHT; break;
            case LVCFMT_CENTER: align = DT_CENTER; break;
            default: break;
            }
        }
        DrawLine(dc, shown.text, cell, ScaleForDpi(6, dpi), align);
    }
}

void CProfileListCtrl::ExtendPaint()
{
    if (!fullRow || !IsReportView())
        return;
    RECT first{};
    if (!RowBounds(0, &first, LVIR_BOUNDS) || first.right >= clientWidth)
        return;
    // Rows repaint up to their last column only; a full-width selection also
    // needs the strip between there and the right edge.
    RECT update{};
    if (!GetUpdateRect(hwnd, &update, FALSE))
        return;
    update.left = std::min(first.right - 1, update.left);
    update.right = clientWidth;
    InvalidateRect(hwnd, &update, FALSE);
}

bool CProfileListCtrl::InvalidateRow(int row)
{
    RECT bounds{}, label{};
    if (!RowBounds(row, &bounds, LVIR_BOUNDS) || !RowBounds(row, &label, LVIR_LABEL))
        return false;
    bounds.left = label.left;
    return InvalidateRect(hwnd, &bounds, FALSE) != FALSE;
}

void CProfileListCtrl::RepaintSelectedRows()
{
    if (const int focusedRow = NextRow(-1, LVNI_FOCUSED); focusedRow >= 0)
        InvalidateRow(focusedRow);
    if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_SHOWSELALWAYS) == 0) {
        for (int row = NextRow(-1, LVNI_SELECTED); row >= 0; row = NextRow(row, LVNI_SELECTED))
            InvalidateRow(row);
    }
    UpdateWindow(hwnd);
}

void CProfileListCtrl::AnswerTipRequest(NMHDR* request)
{
    // The request comes with the mouse over the cell it is for.
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(hwnd, &point);
    tip.Answer(request, TipTextAt(point), Scaled(hwnd, kTipWidth), kTipShowTime);
}
