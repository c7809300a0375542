#include "controls/ListText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Dots are narrow, Chinese characters wide, everything else 7 pixels.
int FakeWidth(std::u16string_view text)
{
    int width = 0;
    for (char16_t c : text)
        width += c == u'.' ? 2 : c >= 0x4E00 && c <= 0x9FFF ? 14 : 7;
    return width;
}

struct ShortenCase {
    std::u16string text;
    int width;
    int margin;
    std::u16string shown;
    bool shortened;
};

TEST(ShortenText, KeepsWhatFitsAndCutsTheRestToTheLongestFittingPrefix)
{
    const std::vector<ShortenCase> cases = {
        {u"", 0, 4, u"", false},
        {u"abc", 25, 4, u"abc", false},           // 21 + 4 fits exactly
        {u"abc", 24, 4, u"ab...", true},          // "ab" + 4 + 6 = 24
        {u"abcdef", 20, 4, u"a...", true},
        {u"abcdef", 5, 4, u"a...", true},         // nothing fits: still one character
        {u"W", 5, 12, u"W...", true},
        {u"办公室网络", 60, 4, u"办公室...", true},
        {u"办公室网络", 74, 4, u"办公室网络", false},
        {u"ab\U0001F600c", 37, 4, u"ab...", true},  // never half a pair
        {u"\U0001F600x", 3, 4, u"\U0001F600...", true},
    };
    for (const ShortenCase& c : cases) {
        ShortText result = ShortenText(c.text, c.width, c.margin, FakeWidth);
        EXPECT_EQ(c.shown, result.text) << "width " << c.width;
        EXPECT_EQ(c.shortened, result.shortened) << "width " << c.width;
    }
}

TEST(CellTips, KeysAreRowTimesHundredPlusColumnAndRejectCellsThatWouldCollide)
{
    EXPECT_EQ(u"0", CCellTips::Key(0, 0));
    EXPECT_EQ(u"302", CCellTips::Key(3, 2));
    EXPECT_EQ(u"", CCellTips::Key(-1, 0));
    EXPECT_EQ(u"", CCellTips::Key(0, 100));
    EXPECT_EQ(u"", CCellTips::Key(0, -1));

    CCellTips tips;
    EXPECT_TRUE(tips.Set(1, 0, u"first"));
    EXPECT_TRUE(tips.Set(1, 0, u"second"));
    EXPECT_FALSE(tips.Set(0, 100, u"would be row 1"));
    EXPECT_EQ(u"second", tips.Get(1, 0));
    EXPECT_EQ(u"", tips.Get(1, 1));
    tips.Clear();
    EXPECT_TRUE(tips.Empty());
}

TEST(CellTips, TheRowTipIsColumnZeroCutToTheMaximumLength)
{
    CCellTips tips;
    EXPECT_EQ(4u, tips.SetHitMask(2));
    EXPECT_EQ(2u, tips.SetHitMask(4));
    EXPECT_TRUE(tips.Offers(4 | 1));
    EXPECT_FALSE(tips.Offers(1 | 2));

    tips.Set(2, 0, std::u16string(250, u'x'));
    tips.Set(3, 2, u"only column 2");
    EXPECT_EQ(std::u16string(200, u'x'), tips.TipForRow(2));
    EXPECT_EQ(u"", tips.TipForRow(3));
    tips.SetMaxLength(800);
    EXPECT_EQ(250u, tips.TipForRow(2).size());

    tips.Set(4, 0, u"ab\U0001F600");
    tips.SetMaxLength(3);
    EXPECT_EQ(u"ab", tips.TipForRow(4));
    tips.SetMaxLength(0);
    EXPECT_EQ(u"", tips.TipForRow(2));
}

TEST(CellTips, ADeletedRowTakesItsTipsAndTheRowsBelowKeepTheirs)
{
    CCellTips tips;
    for (int row = 0; row < 4; ++row)
        tips.Set(row, 0, u"row " + std::u16string(1, static_cast<char16_t>(u'0' + row)));
    tips.Set(12, 1, u"twelve");
    tips.RemoveRow(1);
    EXPECT_EQ(u"row 0", tips.Get(0, 0));
    EXPECT_EQ(u"row 2", tips.Get(1, 0));
    EXPECT_EQ(u"row 3", tips.Get(2, 0));
    EXPECT_EQ(u"", tips.Get(3, 0));
    EXPECT_EQ(u"twelve", tips.Get(11, 1));
}

}  // namespace
