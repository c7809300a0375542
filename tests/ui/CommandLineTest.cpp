#include "ui/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char16_t* text;
    const char16_t* applyId;
    bool hide;
    bool debug;
};

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, FindsEachSwitchAnywhereInTheLowerCasedText)
{
    const LineCase& c = GetParam();
    CommandLine line = ParseCommandLine(c.text);
    EXPECT_EQ(c.applyId, line.applyId);
    EXPECT_EQ(c.hide, line.hide);
    EXPECT_EQ(c.debug, line.debug);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    ::testing::Values(LineCase{u"", u"", false, false},
                      LineCase{u" -n12", u"12", false, false},           // as a desktop shortcut passes it
                      LineCase{u"-N12", u"12", false, false},            // lower-cased first
                      LineCase{u"-n12 -hide", u"12", true, false},       // the apply run ends before hiding
                      LineCase{u"-n", u"", false, false},                // no number: a normal start
                      LineCase{u"-n -hide", u"", true, false},
                      LineCase{u"-hideaway", u"", true, false},          // a substring counts
                      LineCase{u"-DEBUG -Hide", u"", true, true},
                      LineCase{u"-n7 -n8", u"7", false, false},          // only the first -n
                      LineCase{u"x-nabc\t1 y", u"abc\t1", false, false}, // the number ends at a blank only
                      LineCase{u"-debug-n3", u"3", false, true}));

TEST(ApplyRun, SuccessAndFailureShowTheirMessagesAndEndWithTheirCodes)
{
    EXPECT_EQ(u"应用配置成功！", ApplyRunResult(true).message);
    EXPECT_EQ(0, ApplyRunResult(true).exitCode);
    EXPECT_EQ(u"应用配置失败！该配置文件已失效！", ApplyRunResult(false).message);
    EXPECT_EQ(1, ApplyRunResult(false).exitCode);
}

}  // namespace
