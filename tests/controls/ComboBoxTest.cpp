#include "controls/ComboBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ComboBoxTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        parent = CreateWindowExW(0, L"STATIC", L"Lanvoy", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(parent); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, parent) << "no window: the test needs a display";
        box.Attach(CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10,
                                   80, 200, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_NE(nullptr, box.Handle());
        box.Send(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    void TearDown() override { DestroyWindow(box); }

    // The width of a text in the box's font.
    int TextWidth(const std::u16string& text) const
    {
        HDC dc = GetDC(box);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(box.Send(WM_GETFONT)));
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(box, dc);
        return size.cx;
    }

    static inline HWND parent = nullptr;
    CComboBox box;
};

TEST_F(ComboBoxTest, ItemsReadBackByIndexAndResetEmptiesTheBox)
{
    EXPECT_EQ(0, box.AddString(u"阿里DNS"));
    EXPECT_EQ(1, box.AddString(u"Cloudflare"));
    EXPECT_EQ(2, box.Count());
    EXPECT_EQ(-1, box.Selection());
    box.Select(1);
    EXPECT_EQ(1, box.Selection());
    EXPECT_EQ(u"阿里DNS", box.ItemText(0));
    EXPECT_EQ(u"Cloudflare", box.ItemText(1));
    EXPECT_EQ(u"", box.ItemText(2));
    box.Reset();
    EXPECT_EQ(0, box.Count());
    EXPECT_EQ(-1, box.Selection());
}

TEST_F(ComboBoxTest, TheDroppedListGrowsToItsWidestTextAndNeverShrinks)
{
    const std::u16string wide = u"本地连接 2 - Intel(R) PRO/1000 MT Network Connection";
    const std::vector<std::u16string> texts = {u"short", wide};
    box.WidenDropDownFor(texts);
    const int fitted = box.DroppedWidth();
    EXPECT_GT(fitted, TextWidth(wide)) << "the scroll bar covers the end of the text";

    box.WidenDropDownFor({u"short"});
    EXPECT_EQ(fitted, box.DroppedWidth());

    box.WidenDropDownFor(texts, 8);
    EXPECT_EQ(fitted + ScaleForDpi(8, WindowDpi(box)), box.DroppedWidth());
}

}  // namespace
