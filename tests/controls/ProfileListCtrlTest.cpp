#include "controls/ProfileListCtrl.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The test's stand-in for the main window: it hands everything to the list
// first, as the main window does, and counts the rows drawn.
CProfileListCtrl* forwardTo = nullptr;
int rowsDrawn = 0;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    LRESULT result = 0;
    if (forwardTo != nullptr && forwardTo->ReflectFromParent(message, w, l, &result)) {
        if (message == WM_DRAWITEM)
            ++rowsDrawn;
        return result;
    }
    return DefWindowProcW(window, message, w, l);
}

std::u16string Digits(int n)
{
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

class ProfileListCtrlTest : public testing::Test {
protected:

    // One top-level window for all tests: with no window manager, Wine waits
    // for each destroyed one to be withdrawn.
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LanvoyListTest";
        RegisterClassW(&windowClass);
        parent = CreateWindowExW(0, L"LanvoyListTest", L"Lanvoy", WS_POPUP | WS_VISIBLE, 0, 0, 640, 400, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(parent); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, parent) << "no window: the test needs a display";
        HWND handle = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                                      0, 0, 600, 360, parent, reinterpret_cast<HMENU>(IDC_PROFILE_LIST),
                                      GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(list.Attach(handle));
        forwardTo = &list;
        rowsDrawn = 0;

        // Set up as the main window does.
        list.InsertColumn(0, u"", 37, LVCFMT_IMAGE);
        list.InsertColumn(1, u"NO.", 40);
        list.InsertColumn(2, u"名称", 225);
        list.InsertColumn(3, u"建立时间", 120);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT, LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
        list.SetHoverTime(1);
        images = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
        ImageList_AddIcon(images, LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
        list.SetImageList(images, LVSIL_SMALL);
        list.SetFullRowSelect(true);
        list.EnableTips(true);
        list.SetTipHitMask(LVHT_ONITEMLABEL);
    }

    void TearDown() override
    {
        // Destroyed while attached: the control lets go of it by itself.
        DestroyWindow(list);
        EXPECT_EQ(nullptr, list.Handle());
        forwardTo = nullptr;
        ImageList_Destroy(images);
    }

    // Rows as the main window gives them: the list holds none and asks.
    void AddRows(int count, const std::u16string& name = u"办公室")
    {
        rows = count;
        rowName = name;
        list.SetVirtualRows(count, {[this](int row, int column) {
                                        switch (column) {
                                        case 1: return Digits(row + 1);
                                        case 2: return rowName;
                                        case 3: return std::u16string(u"2024-05-01 08:30:00");
                                        default: return std::u16string();
                                        }
                                    },
                                    [this](int row) { return row == longTipRow ? longTip : u"tip of row " + Digits(row); }});
    }

    POINT CellCentre(int row, int column)
    {
        RECT cell{LVIR_BOUNDS, column, 0, 0};
        EXPECT_TRUE(SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell)));
        return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }

    COLORREF PixelAt(int x, int y)
    {
        HDC dc = GetDC(list);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(list, dc);
        return colour;
    }

    static inline HWND parent = nullptr;
    HIMAGELIST images = nullptr;
    int rows = 0;
    std::u16string rowName;
    int longTipRow = -1;
    std::u16string longTip;
    CProfileListCtrl list;
};

TEST_F(ProfileListCtrlTest, FullRowSelectOwnerDrawsRowsTallEnoughForTheirImages)
{
    EXPECT_NE(0, GetWindowLongPtrW(list, GWL_STYLE) & LVS_OWNERDRAWFIXED);
    AddRows(2);
    RECT row{};
    ASSERT_TRUE(list.RowBounds(1, &row, LVIR_BOUNDS));
    EXPECT_GE(row.bottom - row.top, CProfileListCtrl::kRowImageSize);
    list.SetFullRowSelect(false);
    EXPECT_EQ(0, GetWindowLongPtrW(list, GWL_STYLE) & LVS_OWNERDRAWFIXED);
    list.SetFullRowSelect(true);
    EXPECT_NE(0, GetWindowLongPtrW(list, GWL_STYLE) & LVS_OWNERDRAWFIXED);
}

TEST_F(ProfileListCtrlTest, AnyRowCanBeMarkedAndNoneIs)
{
    EXPECT_EQ(-1, list.GetMarkedRow());
    EXPECT_EQ(2, list.SetMarkedRow(2));
    EXPECT_EQ(2, list.GetMarkedRow());
    EXPECT_EQ(-1, list.SetMarkedRow(-1));
}

TEST_F(ProfileListCtrlTest, EveryCellOfARowOffersTheRowTipCutToTheMaximumLength)
{
    longTipRow = 2;
    longTip = std::u16string(900, u'x');
    AddRows(4);
    list.SetMaxTipLength(800);

    EXPECT_EQ(2 * 100 + 2, list.ToolAt(CellCentre(2, 2)));
    EXPECT_EQ(3 * 100 + 1, list.ToolAt(CellCentre(3, 1)));
    const wchar_t* text = list.TipTextAt(CellCentre(2, 3));
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(std::wstring(800, L'x'), text);
    text = list.TipTextAt(CellCentre(1, 2));
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(std::wstring(L"tip of row 1"), text);

    // Empty space below the last row has no tip.
    RECT last{};
    ASSERT_TRUE(list.RowBounds(3, &last, LVIR_BOUNDS));
    const POINT below{100, last.bottom + 20};
    EXPECT_EQ(-1, list.ToolAt(below));
    EXPECT_EQ(nullptr, list.TipTextAt(below));
    // The tooltip follows the mouse with one tool named after the cell.
    auto toolNow = [this]() -> long long {
        if (SendMessageW(list.TipWindow(), TTM_GETTOOLCOUNT, 0, 0) != 1)
            return -1;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        SendMessageW(list.TipWindow(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
        return static_cast<long long>(tool.uId);
    };
    auto moveTo = [this](POINT point) { SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y)); };
    moveTo(CellCentre(2, 2));
    EXPECT_EQ(202, toolNow());
    moveTo(CellCentre(2, 3));
    EXPECT_EQ(203, toolNow());
    moveTo(below);
    EXPECT_EQ(0, SendMessageW(list.TipWindow(), TTM_GETTOOLCOUNT, 0, 0));

    // A hit mask the label hits do not match offers nothing.
    EXPECT_EQ(static_cast<unsigned>(LVHT_ONITEMLABEL), list.SetTipHitMask(LVHT_ONITEMSTATEICON));
    EXPECT_EQ(-1, list.ToolAt(CellCentre(2, 2)));
    EXPECT_EQ(nullptr, list.TipTextAt(CellCentre(2, 2)));
}

TEST_F(ProfileListCtrlTest, TheTooltipsRequestIsAnsweredAndAnyOtherLeftAlone)
{
    AddRows(3);
    // No tooltip window until the mouse first comes over the list.
    EXPECT_EQ(nullptr, list.TipWindow());
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ASSERT_NE(nullptr, list.TipWindow());
    list.SetMaxTipLength(6);

    // The request reads the cursor position of the message being handled.
    POINT cell = CellCentre(1, 2);
    ClientToScreen(list, &cell);
    SetCursorPos(cell.x, cell.y);
    PostMessageW(parent, WM_NULL, 0, 0);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);

    NMTTDISPINFOW request{};
    request.hdr.hwndFrom = list.TipWindow();
    request.hdr.code = TTN_GETDISPINFOW;
    request.lpszText = request.szText;
    EXPECT_EQ(0, SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request)));
    ASSERT_NE(request.szText, request.lpszText);
    EXPECT_EQ(std::wstring(L"tip of"), request.lpszText);
    EXPECT_EQ(500, SendMessageW(list.TipWindow(), TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_EQ(10000, SendMessageW(list.TipWindow(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));

    // The same request from any other tooltip (the list's own) gets no text.
    NMTTDISPINFOW other = request;
    other.hdr.hwndFrom = parent;
    other.lpszText = other.szText;
    SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(other.szText, other.lpszText);
}

TEST_F(ProfileListCtrlTest, PaintsTheMarkedRowAcrossTheWholeWidth)
{
    AddRows(4, u"一个远远超过名称列宽度的非常非常长的配置名称一个远远超过名称列宽度的配置名称");
    list.SetMarkedRow(1);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    EXPECT_GE(rowsDrawn, 4);

    // Past the last column, at the right edge of the client area.
    RECT row{}, client{};
    ASSERT_TRUE(list.RowBounds(1, &row, LVIR_BOUNDS));
    GetClientRect(list, &client);
    ASSERT_LT(row.right, client.right - 10);
    const int middle = (row.top + row.bottom) / 2;
    EXPECT_EQ(CProfileListCtrl::kMarkedColour, PixelAt(client.right - 5, middle));
    EXPECT_EQ(CProfileListCtrl::kMarkedColour, PixelAt(row.right - 3, row.top + 1));

    // Marking another row repaints the old one in its normal colour.
    list.SetMarkedRow(2);
    UpdateWindow(list);
    EXPECT_NE(CProfileListCtrl::kMarkedColour, PixelAt(client.right - 5, middle));
}

TEST_F(ProfileListCtrlTest, CellsAndTipsComeFromTheRowsGiven)
{
    std::vector<std::u16string> names = {u"办公室", u"家里", u"客户"};
    ListRowSource source{[&](int row, int column) { return column == 2 ? names[row] : Digits(row * 10 + column); },
                         [&](int row) { return u"tip of " + names[row]; }};
    list.SetVirtualRows(3, source);
    EXPECT_EQ(3, list.RowCount());
    EXPECT_EQ(u"家里", list.CellText(1, 2));
    EXPECT_EQ(u"21", list.CellText(2, 1));
    const wchar_t* tip = list.TipTextAt(CellCentre(2, 3));
    ASSERT_NE(nullptr, tip);
    EXPECT_STREQ(L"tip of 客户", tip);

    // A new set of rows replaces the old one whole, with nothing selected.
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    names = {u"只有一个"};
    list.SetVirtualRows(1, source);
    EXPECT_EQ(1, list.RowCount());
    EXPECT_EQ(u"只有一个", list.CellText(0, 2));
    EXPECT_EQ(-1, list.FirstSelectedRow());
}

}  // namespace
