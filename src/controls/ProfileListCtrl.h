#pragma once
// The main window's profile list: a report-view list that draws its rows
// itself, so that a selection spans the whole row to the right edge, one
// marked row keeps its own colour whatever the system selection does, texts
// too wide for their column end in "...", and every row can carry a tip.
//
// The list is taken over from its dialog by subclassing. Owner drawing goes to
// the dialog, so the dialog hands every message it gets to ReflectFromParent
// first and returns *result when that answers true.

#include "controls/ListView.h"
#include "controls/ListText.h"
#include "controls/ListTip.h"

#include <functional>
#include <string>
#include <string_view>

// The rows of a virtual list (LVS_OWNERDATA): the list holds none of them and
// asks for a cell's text when it shows it, and for a row's tip.
struct ListRowSource {
    std::function<std::u16string(int row, int column)> cell;
    std::function<std::u16string(int row)> tip;
};

class CProfileListCtrl : public CListView {
public:
    // The colour of the marked row, drawn with black text.
    static constexpr COLORREF kMarkedColour = RGB(251, 188, 102);
    // Rows are at least this tall at 96 DPI, and as much more as the screen
    // is scaled: every row shows a 32 × 32 image there.
    static constexpr int kRowImageSize = 32;

    CProfileListCtrl() = default;
    ~CProfileListCtrl();
    CProfileListCtrl(const CProfileListCtrl&) = delete;
    CProfileListCtrl& operator=(const CProfileListCtrl&) = delete;

    // Takes over a list view created elsewhere (control 1007 of the main
    // window); false when it is not a window or cannot be subclassed.
    bool Attach(HWND list);
    // Gives the list back as it was; the destructor does it too.
    void Detach();

    // On: the rows are owner-drawn (and the list is repainted).
    void SetFullRowSelect(bool on);

    int GetMarkedRow() const { return markedRow; }
    // Any value; -1 marks no row. Returns the row.
    int SetMarkedRow(int row);

    // A virtual list's rows: `count` of them, from `source`, all shown anew
    // in one go, whatever the count. Tips come from the source too.
    void SetVirtualRows(int count, ListRowSource source);

    // Hit-test flags (LVHT_*) over which a tip is offered; returns the previous.
    unsigned SetTipHitMask(unsigned mask) { return tipRule.SetHitMask(mask); }
    void SetMaxTipLength(int characters) { tipRule.SetMaxLength(characters); }
    // The list's tooltip is made when the mouse first moves over the list.
    void EnableTips(bool on);

    // Owner drawing and measuring of this list, and requests of its tooltip,
    // arrive here from the parent. True when the message was this control's.
    bool ReflectFromParent(UINT message, WPARAM w, LPARAM l, LRESULT* result);

    // The tool under a point of the client area: row × 100 + subitem, or -1
    // where the hit test reports none of the tip hit flags.
    int ToolAt(POINT client) const;
    // The text a tip request answers with the mouse at a point of the client
    // area: the row's tip, cut to the maximum length; null when there is none.
    // The buffer belongs to the control and lasts until the next request.
    const wchar_t* TipTextAt(POINT client);
    HWND TipWindow() const { return tip.Window(); }

private:
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM w, LPARAM l);

    bool OnParentNotify(NMHDR* header, LRESULT* result);
    void OnMeasureItem(MEASUREITEMSTRUCT& measure) const;
    void OnSetImageList(LPARAM images);

    void DrawRow(const DRAWITEMSTRUCT& draw);
    struct RowLook;
    RowLook PaintBackground(HDC dc, const LVITEMW& item, int row, const RECT& whole) const;
    void DrawImages(HDC dc, const DRAWITEMSTRUCT& draw, const LVITEMW& item, const RowLook& look) const;
    void DrawCells(HDC dc, int row, std::u16string_view label, const RECT& labelRect) const;
    // Has the list ask for its row height again: images or the scale changed.
    void Remeasure();
    void ExtendPaint();
    void RepaintSelectedRows();
    bool InvalidateRow(int row);

    void AnswerTipRequest(NMHDR* request);
    void AnswerCellRequest(NMLVDISPINFOW& request);

    CTipRule tipRule;
    ListRowSource rowSource;
    bool fullRow = false;
    int clientWidth = 0;
    SIZE iconSize{0, 0};
    COLORREF textBackground = CLR_DEFAULT;
    COLORREF background = CLR_DEFAULT;
    int markedRow = -1;

    CListTip tip;
    bool tipsOn = false;
    std::wstring tipText;
};
