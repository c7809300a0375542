#include "xml/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Decode(const std::string& bytes)
{
    return Utf8ToUtf16(bytes);
}

TEST(Utf8Decode, SequencesOfEveryLength)
{
    EXPECT_EQ(Decode("A\x7F"), u"A\x7F");
    EXPECT_EQ(Decode("\xC3\xA9"), u"\xE9");
    EXPECT_EQ(Decode("\xE6\x88\x91"), u"\x6211");
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
    EXPECT_EQ(Decode("\xF4\x8F\xBF\xBF"), u"\xDBFF\xDFFF");
    EXPECT_EQ(Decode("\xEF\xBB\xBF<a/>"), u"\xFEFF<a/>");  // the byte-order mark is kept
}

TEST(Utf8Decode, InvalidSequencesBecomeQuestionMarks)
{
    EXPECT_EQ(Decode("\xC3\x41"), u"?A");              // resumes at the breaking byte
    EXPECT_EQ(Decode("\xF0\x9F\x41\x42"), u"?AB");
    EXPECT_EQ(Decode("\xF8\x41\xFF"), u"?A?");
    EXPECT_EQ(Decode("\xF4\x90\x80\x80" "A"), u"?A");  // past the last code point
    EXPECT_EQ(Decode("\xE6\x41" "B"), u"?AB");         // short of the end, so not truncation
}

TEST(Utf8Decode, TruncatedLastSequenceAndNulEndTheText)
{
    EXPECT_EQ(Decode("A\xE6\x88"), u"A");
    EXPECT_EQ(Decode("A\xF0\x9F\x98"), u"A");
    EXPECT_EQ(Decode("A\xC3"), u"A");
    EXPECT_EQ(Decode(std::string("ab\0cd", 5)), u"ab");
    EXPECT_EQ(Decode(""), u"");
}

TEST(Utf8Decode, CountsAndNeverWritesPastCapacity)
{
    const std::string bytes = "a\xF0\x9F\x98\x80" "b";
    EXPECT_EQ(Utf8ToUtf16(bytes.data(), bytes.size(), nullptr, 0), 4u);
    char16_t small[3] = {u'-', u'-', u'-'};
    // A surrogate pair that does not fit is not split.
    EXPECT_EQ(Utf8ToUtf16(bytes.data(), bytes.size(), small, 2), 1u);
    EXPECT_EQ(small[0], u'a');
    EXPECT_EQ(small[1], u'-');
}

TEST(Utf8Encode, SequenceLengthBoundaries)
{
    EXPECT_EQ(Utf16ToUtf8(u"\x7F"), "\x7F");
    EXPECT_EQ(Utf16ToUtf8(u"\x80"), "\xC2\x80");
    EXPECT_EQ(Utf16ToUtf8(u"\x7FF"), "\xDF\xBF");
    EXPECT_EQ(Utf16ToUtf8(u"\x800"), "\xE0\xA0\x80");
    EXPECT_EQ(Utf16ToUtf8(u"\x6211"), "\xE6\x88\x91");
    EXPECT_EQ(Utf16ToUtf8(u"\xFFFF"), "\xEF\xBF\xBF");
    EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
}

TEST(Utf8Encode, LoneSurrogatesBecomeQuestionMarksWithoutEatingNeighbours)
{
    EXPECT_EQ(Utf16ToUtf8(u"a\xD83D"), "a?");
    EXPECT_EQ(Utf16ToUtf8(u"\xD83D" "A"), "?A");
    EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D\xDE00"), "?\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xD83D\xDE00"), "?\xF0\x9F\x98\x80");
}

TEST(Utf8Encode, CountsExactlyAndRoundTripsEveryCodePoint)
{
    std::u16string all;
    for (char32_t code = 1; code <= 0x10FFFF; code += (code < 0x10000 ? 1 : 97)) {
        if (code >= 0xD800 && code <= 0xDFFF)
            continue;
        if (code >= 0x10000) {
            all += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            all += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            all += static_cast<char16_t>(code);
        }
    }
    std::string bytes = Utf16ToUtf8(all);
    EXPECT_EQ(Utf16ToUtf8(all, nullptr, 0), bytes.size());
    EXPECT_EQ(Utf8ToUtf16(bytes), all);

    char small[4] = {'-', '-', '-', '-'};
    EXPECT_EQ(Utf16ToUtf8(u"a\x6211", small, 3), 1u);  // the 3-byte sequence does not fit
    EXPECT_EQ(small[1], '-');
}

}  // namespace
