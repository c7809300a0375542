#pragma once
// A list view control in report view: the handle plus the calls the windows
// make on it. Texts are UTF-16, handed over as they are.

#include "controls/Window.h"

#include <commctrl.h>

#include <string>

class CListView : public CWindow {
public:
    using CWindow::CWindow;

    // Cell texts are read up to this many characters, terminator included.
    static constexpr int kTextCapacity = 520;

    int InsertColumn(int index, const std::u16string& heading, int width, int format = LVCFMT_LEFT)
    {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = format;
        column.cx = width;
        column.pszText = Text(heading);
        column.iSubItem = index;
        return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
    }
    int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    bool SetColumnWidth(int column, int width)
    {
        return Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != FALSE;
    }

    std::u16string CellText(int row, int column) const
    {
        wchar_t buffer[kTextCapacity] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = kTextCapacity;
        auto length = static_cast<int>(Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length < 0 || length >= kTextCapacity)
            length = 0;
        return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(length));
    }

    int RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // -1 when no row is selected.
    int FirstSelectedRow() const { return NextRow(-1, LVNI_SELECTED); }
    int NextRow(int after, UINT flags) const
    {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
    }

    // Returns the previous extended style.
    DWORD SetExtendedStyle(DWORD mask, DWORD style)
    {
        return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style));
    }
    void SetHoverTime(DWORD ms) { Send(LVM_SETHOVERTIME, 0, static_cast<LPARAM>(ms)); }
    // kind: LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE. Returns the previous list,
    // which the caller still owns.
    HIMAGELIST SetImageList(HIMAGELIST list, int kind)
    {
        return reinterpret_cast<HIMAGELIST>(Send(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list)));
    }
    HIMAGELIST ImageList(int kind) const { return reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, static_cast<WPARAM>(kind))); }

    // code: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
    bool RowBounds(int row, RECT* rect, int code) const
    {
        rect->left = code;
        return Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(rect)) != FALSE;
    }

    bool IsReportView() const { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT; }

protected:
    static wchar_t* Text(const std::u16string& text)
    {
        // The list copies the text and never writes through the pointer.
        return const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.c_str()));
    }
};
