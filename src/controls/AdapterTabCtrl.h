#pragma once
// The profile editor's adapter tabs: a tab control that draws its tabs
// itself on the button face, the selected label blue and centred, the others
// dark grey at the bottom, and paints the page below the tabs, where the
// editor's controls lie, in the button face too.
//
// Owner drawing goes to the parent, so the parent hands WM_DRAWITEM to
// ReflectFromParent first and returns *result when that answers true.

#include "controls/Window.h"

#include <commctrl.h>

#include <string>

class CAdapterTabCtrl : public CWindow {
public:
    static constexpr COLORREF kSelectedText = RGB(0, 0, 255);
    static constexpr COLORREF kNormalText = RGB(50, 50, 50);
    // A label is read with this many characters, terminator included.
    static constexpr int kLabelCapacity = 63;

    CAdapterTabCtrl() = default;
    CAdapterTabCtrl(const CAdapterTabCtrl&) = delete;
    CAdapterTabCtrl& operator=(const CAdapterTabCtrl&) = delete;

    // Takes over a tab control of a dialog template; false when it is none.
    bool Attach(HWND tab);
    // Creates the control as a child; false when the window cannot be made.
    bool Create(HWND parent, const RECT& rect, int id, DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);

    // The index the tab got, or -1.
    int InsertTab(int index, const std::u16string& label, int image = -1);
    bool DeleteAllTabs() { return Send(TCM_DELETEALLITEMS) != FALSE; }
    int TabCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    // -1 when no tab is selected.
    int Selection() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    int Select(int index) { return static_cast<int>(Send(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    int RowCount() const { return static_cast<int>(Send(TCM_GETROWCOUNT)); }

    // Drawing of this control's tabs, arriving at the parent.
    bool ReflectFromParent(UINT message, WPARAM w, LPARAM l, LRESULT* result);
    void DrawTab(const DRAWITEMSTRUCT& draw);

private:
    void AddOwnerDraw();
};
