#include "ui/QuickMenus.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::u16string> Names(std::size_t count)
{
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < count; ++i) {
        std::string digits = std::to_string(i);
        names.push_back(u"方案" + std::u16string(digits.begin(), digits.end()));
    }
    return names;
}

// First and last ID and the count, enough to tell a shifted or cut range.
struct Span {
    unsigned first, last;
    std::size_t count;
    bool operator==(const Span&) const = default;
};

Span SpanOf(const QuickMenuItem& item)
{
    return item.popup.empty() ? Span{0, 0, 0}
                              : Span{item.popup.front().id, item.popup.back().id, item.popup.size()};
}

void ExpectItem(const QuickMenuItem& item, int position, const std::u16string& text, bool greyed, unsigned id)
{
    EXPECT_EQ(position, item.position);
    EXPECT_EQ(text, item.text);
    EXPECT_EQ(greyed, item.greyed);
    if (greyed) {
        EXPECT_EQ(id, item.id);
        EXPECT_TRUE(item.popup.empty());
    }
}

TEST(QuickMenus, AdaptersAndRowsGiveSubMenusAtTheirPositions)
{
    QuickMenus menus = BuildQuickMenus({u"本地连接", u"本地连接 2"}, {u"家", u"公司", u"家"});
    ASSERT_EQ(3u, menus.tray.size());
    ASSERT_EQ(2u, menus.options.size());
    ExpectItem(menus.tray[0], 3, u"禁用网络", false, 0);
    ExpectItem(menus.tray[1], 4, u"启用网络", false, 0);
    ExpectItem(menus.tray[2], 6, u"应用配置", false, 0);
    ExpectItem(menus.options[0], 2, u"禁用网络", false, 0);
    ExpectItem(menus.options[1], 3, u"启用网络", false, 0);
    EXPECT_EQ((Span{2045, 2046, 2}), SpanOf(menus.tray[0]));
    EXPECT_EQ((Span{2025, 2026, 2}), SpanOf(menus.tray[1]));
    EXPECT_EQ((Span{1524, 1526, 3}), SpanOf(menus.tray[2]));
    EXPECT_EQ(SpanOf(menus.tray[0]), SpanOf(menus.options[0]));
    EXPECT_EQ(u"本地连接 2", menus.options[1].popup[1].text);
    EXPECT_EQ(u"公司", menus.tray[2].popup[1].text);
}

TEST(QuickMenus, OnlyTheFirstTwentyAdaptersAndFiveHundredRowsAreOffered)
{
    std::vector<std::u16string> names = Names(501);
    QuickMenus menus = BuildQuickMenus(std::vector<std::u16string>(names.begin(), names.begin() + 25), names);
    EXPECT_EQ((Span{2045, 2064, 20}), SpanOf(menus.tray[0]));
    EXPECT_EQ((Span{2025, 2044, 20}), SpanOf(menus.tray[1]));
    EXPECT_EQ((Span{2025, 2044, 20}), SpanOf(menus.options[1]));
    EXPECT_EQ((Span{1524, 2023, 500}), SpanOf(menus.tray[2]));
    EXPECT_EQ(names[499], menus.tray[2].popup.back().text);
}

TEST(QuickMenus, WithNothingToOfferGreyedPlaceholdersStand)
{
    QuickMenus menus = BuildQuickMenus({}, {});
    ExpectItem(menus.tray[0], 3, u"禁用网络", true, 150001);
    ExpectItem(menus.tray[1], 4, u"启用网络", true, 160001);
    ExpectItem(menus.tray[2], 6, u"应用配置", true, 150003);
    ExpectItem(menus.options[0], 2, u"禁用网络", true, 150002);
    ExpectItem(menus.options[1], 3, u"启用网络", true, 160002);
    // Each kind stands in on its own.
    EXPECT_FALSE(BuildQuickMenus({}, {u"家"}).tray[2].greyed);
    EXPECT_FALSE(BuildQuickMenus({u"A"}, {}).tray[0].greyed);
}

// What the window code does, on texts: before each item, remove the one at
// its position with the same text, then insert.
void Render(std::vector<std::u16string>& menu, const std::vector<QuickMenuItem>& items)
{
    for (const QuickMenuItem& item : items) {
        auto at = menu.begin() + item.position;
        if (*at == item.text)
            at = menu.erase(at);
        menu.insert(at, item.text);
    }
}

TEST(QuickMenus, RepeatedBuildsLeaveOneOfEachItemInPlace)
{
    std::vector<std::u16string> tray = {u"打开主界面", u"查看当前IP...", u"", u"", u"",
                                        u"系统设置(&S)...", u"关于...", u"", u"退出"};
    std::vector<std::u16string> options = {u"系统设置(&S)", u"", u"", u"查看日志"};
    // Sub-menus and placeholders replace each other.
    for (const QuickMenus& menus : {BuildQuickMenus({u"A"}, {u"家"}), BuildQuickMenus({}, {}),
                                    BuildQuickMenus({u"A", u"B"}, Names(2))}) {
        Render(tray, menus.tray);
        Render(options, menus.options);
    }
    EXPECT_EQ((std::vector<std::u16string>{u"打开主界面", u"查看当前IP...", u"", u"禁用网络", u"启用网络", u"",
                                           u"应用配置", u"", u"系统设置(&S)...", u"关于...", u"", u"退出"}),
              tray);
    EXPECT_EQ((std::vector<std::u16string>{u"系统设置(&S)", u"", u"禁用网络", u"启用网络", u"", u"查看日志"}),
              options);
}

// Adapter index and mode, or {-1, -1} when the click does nothing.
std::pair<long, int> Click(unsigned id, std::size_t adapterCount)
{
    std::optional<AdapterItemAction> a = OnAdapterItem(id, adapterCount);
    return a ? std::pair<long, int>(static_cast<long>(a->index), a->mode) : std::pair<long, int>(-1, -1);
}

TEST(QuickMenuClicks, AdapterItemsNameAnAdapterOfTheInventoryAndAMode)
{
    using P = std::pair<long, int>;
    EXPECT_EQ(P(0, 1), Click(2025, 2));
    EXPECT_EQ(P(19, 1), Click(2044, 20));
    EXPECT_EQ(P(0, 0), Click(2045, 2));
    EXPECT_EQ(P(19, 0), Click(2064, 20));
    EXPECT_EQ(P(-1, -1), Click(2026, 1));  // the inventory shrank since the build
    EXPECT_EQ(P(-1, -1), Click(2024, 20));
    EXPECT_EQ(P(-1, -1), Click(2065, 20));
    EXPECT_EQ(P(-1, -1), Click(150001, 20));
}

TEST(QuickMenuClicks, ApplyItemsNameTheirRowWithinTheRoutedRange)
{
    EXPECT_EQ(std::optional<int>(0), OnApplyItem(1524));
    EXPECT_EQ(std::optional<int>(499), OnApplyItem(2023));
    EXPECT_FALSE(OnApplyItem(1523).has_value());
    EXPECT_FALSE(OnApplyItem(2025).has_value());
}

}  // namespace
