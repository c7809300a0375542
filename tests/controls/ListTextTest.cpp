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

TEST(TipRule, OffersTipsOverTheMaskedHitsCutToTheMaximumLength)
{
    CTipRule rule;
    EXPECT_EQ(4u, rule.SetHitMask(2));
    EXPECT_EQ(2u, rule.SetHitMask(4));
    EXPECT_TRUE(rule.Offers(4 | 1));
    EXPECT_FALSE(rule.Offers(1 | 2));

    const std::u16string tip(250, u'x');
    EXPECT_EQ(std::u16string(200, u'x'), rule.Cut(tip));
    rule.SetMaxLength(800);
    EXPECT_EQ(tip, rule.Cut(tip));
    rule.SetMaxLength(3);
    EXPECT_EQ(u"ab", rule.Cut(u"ab\U0001F600"));
    rule.SetMaxLength(-1);
    EXPECT_EQ(u"", rule.Cut(tip));
}

}  // namespace
