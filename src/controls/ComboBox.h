#pragma once
// A combo box: the handle plus the calls the dialogs make on it. Texts are
// UTF-16, handed over as they are.

#include "controls/Dpi.h"
#include "controls/Window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

class CComboBox : public CWindow {
public:
    using CWindow::CWindow;

    // The index the item got (its sorted place in a sorted box), or -1.
    int AddString(const std::u16string& text) const
    {
        const auto index = Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return index < 0 ? -1 : static_cast<int>(index);
    }
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    void Reset() const { Send(CB_RESETCONTENT); }

    // -1 when no item is selected.
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // -1 clears the selection.
    void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }

    // Empty for an index without an item.
    std::u16string ItemText(int index) const
    {
        const auto length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length < 0)
            return {};
        std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
        const auto copied = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : std::min(static_cast<std::size_t>(copied), static_cast<std::size_t>(length)));
        return text;
    }

    int DroppedWidth() const { return static_cast<int>(Send(CB_GETDROPPEDWIDTH)); }
    void SetDroppedWidth(int pixels) const { Send(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(pixels)); }
    // Rows the list drops down to, whatever the template's height.
    void SetMinVisible(int rows) const { Send(CB_SETMINVISIBLE, static_cast<WPARAM>(rows)); }

    // Widens the dropped list, never narrows it, so that the widest of
    // `texts` shows whole in the box's font beside the list's edges and
    // scroll bar, and `padding` pixels designed at 96 DPI more; at most the
    // width of the work area. `dpi` 0 is the box's own.
    void WidenDropDownFor(const std::vector<std::u16string>& texts, int padding = 0, UINT dpi = 0) const
    {
        const HDC dc = GetDC(hwnd);
        if (dc == nullptr)
            return;
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT)));
        int widest = 0;
        for (const std::u16string& text : texts) {
            SIZE size{};
            if (GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
                                      &size))
                widest = std::max(widest, static_cast<int>(size.cx));
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        if (dpi == 0)
            dpi = WindowDpi(hwnd);
        const int margin = 2 * MetricForDpi(SM_CXEDGE, dpi) + MetricForDpi(SM_CXVSCROLL, dpi) + ScaleForDpi(padding, dpi);
        RECT workArea{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        const int width = std::min(widest + margin, static_cast<int>(workArea.right - workArea.left));
        if (width > DroppedWidth())
            SetDroppedWidth(width);
    }
    // The same after a change of scale: the box's font and the scroll bar
    // have new sizes, so the width is measured afresh, never kept.
    void MeasureDropDownAgain(const std::vector<std::u16string>& texts, int padding, UINT dpi) const
    {
        SetDroppedWidth(1);  // below the box's width: back to that width (0 would be ignored)
        WidenDropDownFor(texts, padding, dpi);
    }
};
