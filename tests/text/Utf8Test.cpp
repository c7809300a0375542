#include "text/Utf8.h"

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

TEST(Utf8Decode, OverlongFormsAreInvalidAndDoNotEndTheText)
{
    // Every overlong zero, and overlong forms of other characters.
    EXPECT_EQ(Decode("a\xC0\x80" "b"), u"a?b");
    EXPECT_EQ(Decode("a\xE0\x80\x80" "b"), u"a?b");
    EXPECT_EQ(Decode("a\xF0\x80\x80\x80" "b"), u"a?b");
    EXPECT_EQ(Decode("\x80\x80" "b"), u"?b");
    EXPECT_EQ(Decode("\xC1\xBF\xE0\x9F\xBF\xF0\x8F\xBF\xBF"), u"???");
    // Encoded surrogates are no characters either: held as half a pair they
    // would be saved as "?".
    EXPECT_EQ(Decode("<\xED\xA0\x80" "a\xED\xBF\xBF"), u"<?a?");
    EXPECT_EQ(Decode("\xED\x9F\xBF\xEE\x80\x80"), u"\xD7FF\xE000");
    // The smallest proper forms of each length still decode.
    EXPECT_EQ(Decode("\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80"), u"\x80\x800\xD800\xDC00");
}

TEST(Utf8Decode, LongAsciiRunsWithCharactersAndEndsAnywhere)
{
    // Runs longer than any block, broken at every position by a character,
    // a zero byte or a truncated sequence.
    const std::string run(40, 'x');
    const std::u16string wide(40, u'x');
    for (std::size_t at = 0; at <= run.size(); ++at) {
        SCOPED_TRACE(at);
        std::string head = run.substr(0, at);
        std::u16string wideHead = wide.substr(0, at);
        EXPECT_EQ(Decode(head + "\xE6\x88\x91" + run), wideHead + u"\x6211" + wide);
        EXPECT_EQ(Decode(head + std::string(1, '\0') + run), wideHead);
        EXPECT_EQ(Decode(head + "\xE6\x88"), wideHead);
        EXPECT_EQ(Utf16ToUtf8(wideHead + u"\x6211" + wide), head + "\xE6\x88\x91" + run);
        EXPECT_EQ(Utf16ToUtf8(wideHead + u"\xD83D"), head + "?");
    }
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

    // Runs of ASCII stop at the capacity too.
    const std::string ascii(64, 'a');
    std::u16string some(20, u'-');
    EXPECT_EQ(Utf8ToUtf16(ascii.data(), ascii.size(), some.data(), 17), 17u);
    EXPECT_EQ(some, std::u16string(17, u'a') + u"---");
    std::string narrow(20, '-');
    EXPECT_EQ(Utf16ToUtf8(std::u16string(64, u'a'), narrow.data(), 17), 17u);
    EXPECT_EQ(narrow, std::string(17, 'a') + "---");
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
