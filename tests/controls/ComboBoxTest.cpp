#include "controls/ComboBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Filling, selecting and reading items is driven end to end in the editor's
// provider list; here, the width of the dropped list.
TEST(ComboBoxTest, TheDroppedListGrowsToItsWidestTextAndNeverShrinks)
{
    const HWND parent = CreateWindowExW(0, L"STATIC", L"Lanvoy", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, parent) << "no window: the test needs a display";
    const CComboBox box(CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10,
                                        10, 80, 200, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    box.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    const std::u16string wide = u"本地连接 2 - Intel(R) PRO/1000 MT Network Connection";
    const HDC dc = GetDC(box);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(wide.c_str()), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(box, dc);

    box.WidenDropDownFor({u"short", wide});
    const int fitted = box.DroppedWidth();
    EXPECT_GT(fitted, size.cx) << "the scroll bar covers the end of the text";

    box.WidenDropDownFor({u"short"});
    EXPECT_EQ(fitted, box.DroppedWidth());

    box.WidenDropDownFor({wide}, 8);
    EXPECT_EQ(fitted + ScaleForDpi(8, WindowDpi(box)), box.DroppedWidth());
    DestroyWindow(parent);
}

}  // namespace
