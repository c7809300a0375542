#include "text/TextCut.h"

#include <gtest/gtest.h>

namespace {

// "a😀b": the pair sits at units 1 and 2.
constexpr std::u16string_view kPairInside = u"a\xD83D\xDE00" u"b";

TEST(TextCut, NeverEndsInHalfAPair)
{
    EXPECT_EQ(u"a", CutText(kPairInside, 2));  // the cut falls between the halves
    EXPECT_EQ(u"a\xD83D\xDE00", CutText(kPairInside, 3));
    EXPECT_EQ(u"a", CutText(kPairInside, 1));
    EXPECT_EQ(u"", CutText(u"\xD83D\xDE00", 1));  // a pair alone at the start goes whole
    EXPECT_EQ(kPairInside, CutText(kPairInside, 4));
    EXPECT_EQ(kPairInside, CutText(kPairInside, 100));
    EXPECT_EQ(u"", CutText(kPairInside, 0));
}

TEST(TextCut, LoneSurrogatesAreCutLikeAnyUnit)
{
    // Only a high half followed by a low half is a pair.
    EXPECT_EQ(u"a\xDE00", CutText(u"a\xDE00\xD83D", 2));
    EXPECT_EQ(u"a\xD83D", CutText(u"a\xD83D" u"b", 2));
    EXPECT_TRUE(SplitsPair(kPairInside, 2));
    EXPECT_FALSE(SplitsPair(kPairInside, 3));
}

}  // namespace
