#include "ui/OperationLog.h"
#include "support/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// 7 December 2008, 18:17:06.
const LocalTime kWhen{2008, 12, 7, 18, 17, 6};
const std::u16string kStamp = u"08-12-07 18:17:06";
const std::u16string kSeparator = u"\r\n" + std::u16string(80, u'=') + u"\r\n";

std::string Utf16Le(std::u16string_view text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string FromUtf16Le(std::string_view bytes)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

class OperationLogTest : public ::testing::Test {
protected:
    std::string& File(const char16_t* name) { return files.files[name]; }
    std::string SystemEntry(std::u16string_view text) { return Utf16Le(kStamp + std::u16string(text) + kSeparator); }

    CMemoryFileSystem files;
    CFixedClock clock{kWhen};
    COperationLog log{files, clock, u"system.log", u"debug.log"};
};

TEST_F(OperationLogTest, FirstEntryCreatesTheFileWithItsMarkAndLaterEntriesAppend)
{
    log.WriteSystemLog(u"应用网络配置[Home]成功!", true);
    const std::string& bytes = files.files.at(u"system.log");
    // The mark, then the time stamp and the message with nothing between them.
    ASSERT_GE(bytes.size(), 40u);
    EXPECT_EQ(std::string("\xff\xfe" "0\0" "8\0" "-\0", 8), bytes.substr(0, 8));
    EXPECT_EQ(std::string("6\0\x94\x5e", 4), bytes.substr(2 + 16 * 2, 4));  // "6应"
    EXPECT_EQ("\xff\xfe" + SystemEntry(u"应用网络配置[Home]成功!"), bytes);

    log.WriteSystemLog(u"删除配置文件[Home]!", true);
    EXPECT_EQ("\xff\xfe" + SystemEntry(u"应用网络配置[Home]成功!") + SystemEntry(u"删除配置文件[Home]!"),
              files.files.at(u"system.log"));
    EXPECT_EQ(1u, files.files.size());
}

TEST_F(OperationLogTest, DebugEntriesPutTheMessageOnItsOwnLine)
{
    log.WriteDebugLog(u"2", true);
    log.WriteDebugLog(u"6", true);
    EXPECT_EQ(u"\xfeff" + kStamp + u"\r\n2" + kSeparator + kStamp + u"\r\n6" + kSeparator,
              FromUtf16Le(files.files.at(u"debug.log")));
    EXPECT_EQ(0u, files.files.count(u"system.log"));
}

TEST_F(OperationLogTest, AnAnsiLogIsConvertedOnceBeforeTheFirstEntry)
{
    const std::string old = "08-01-02 03:04:05apply one\r\n====\r\n08-01-02 03:04:06apply two\r\n====\r\n";
    File(u"system.log") = old;
    log.WriteSystemLog(u"新", true);
    const std::string converted = "\xff\xfe" + Utf16Le(std::u16string(old.begin(), old.end()));
    EXPECT_EQ(converted + SystemEntry(u"新"), File(u"system.log"));
    // Now marked, the file only grows.
    log.WriteSystemLog(u"再", true);
    EXPECT_EQ(converted + SystemEntry(u"新") + SystemEntry(u"再"), File(u"system.log"));
}

TEST_F(OperationLogTest, EitherByteOfTheMarkCountsAsConvertedAndAShortFileStartsAgain)
{
    File(u"system.log") = std::string("\xff" "A", 2);
    File(u"debug.log") = std::string("A\xfe", 2);
    log.WriteSystemLog(u"s", true);
    log.WriteDebugLog(u"d", true);
    EXPECT_EQ(std::string("\xff" "A", 2) + SystemEntry(u"s"), File(u"system.log"));
    EXPECT_EQ(std::string("A\xfe", 2) + Utf16Le(kStamp + u"\r\nd" + kSeparator), File(u"debug.log"));

    for (const std::string& shortFile : {std::string(), std::string("x")}) {
        File(u"system.log") = shortFile;
        log.WriteSystemLog(u"s", true);
        EXPECT_EQ("\xff\xfe" + SystemEntry(u"s"), File(u"system.log"));
    }
}

TEST_F(OperationLogTest, ASwitchedOffLogIsNeitherCreatedNorConverted)
{
    log.WriteSystemLog(u"s", false);
    log.WriteDebugLog(u"d", false);
    EXPECT_TRUE(files.files.empty());

    File(u"system.log") = "old ansi line\r\n";
    log.WriteSystemLog(u"s", false);
    EXPECT_EQ("old ansi line\r\n", File(u"system.log"));
}

TEST_F(OperationLogTest, AnEntryThatCannotBeWrittenIsDropped)
{
    // No rights to the folder: nothing is created.
    files.readOnly.insert(u"system.log");
    log.WriteSystemLog(u"s", true);
    EXPECT_EQ(0u, files.files.count(u"system.log"));

    // A read-only old log stays as it was, unconverted.
    File(u"system.log") = "old ansi line\r\n";
    log.WriteSystemLog(u"s", true);
    EXPECT_EQ("old ansi line\r\n", File(u"system.log"));
}

TEST_F(OperationLogTest, WritersOnSeveralThreadsLeaveWholeEntriesOnly)
{
    constexpr int kThreads = 4;
    constexpr int kEntries = 100;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([this, t] {
            const std::u16string text(40, static_cast<char16_t>(u'a' + t));
            for (int i = 0; i < kEntries; ++i) {
                log.WriteSystemLog(text, true);
                log.WriteDebugLog(text, true);
            }
        });
    }
    for (std::thread& writer : writers)
        writer.join();

    for (const char16_t* name : {u"system.log", u"debug.log"}) {
        std::u16string text = FromUtf16Le(File(name));
        ASSERT_FALSE(text.empty());
        ASSERT_EQ(u'\xfeff', text[0]) << "one mark only, at the start";
        const std::u16string lead = name == std::u16string(u"system.log") ? kStamp : kStamp + u"\r\n";
        int counts[kThreads] = {};
        std::size_t at = 1;
        while (at < text.size()) {
            ASSERT_EQ(lead, text.substr(at, lead.size())) << "at " << at;
            at += lead.size();
            const char16_t letter = text[at];
            ASSERT_TRUE(letter >= u'a' && letter < u'a' + kThreads) << "at " << at;
            ASSERT_EQ(std::u16string(40, letter) + kSeparator, text.substr(at, 40 + kSeparator.size()));
            at += 40 + kSeparator.size();
            ++counts[letter - u'a'];
        }
        for (int count : counts)
            EXPECT_EQ(kEntries, count);
    }
}

}  // namespace
