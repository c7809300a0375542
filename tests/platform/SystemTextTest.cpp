#include "platform/SystemText.h"
#include "text/DecimalText.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SystemText, MessagesAreOneLineOfAtMostAHundredCharacters)
{
    EXPECT_EQ(u"Access is denied.", SystemMessageLine(u"Access is denied.\r\n", 5));
    EXPECT_EQ(u"first", SystemMessageLine(u"first\nsecond", 5));
    EXPECT_EQ(std::u16string(100, u'x'), SystemMessageLine(std::u16string(150, u'x'), 5));
    EXPECT_EQ(u"short", SystemMessageLine(u"short", 5));
    // Nothing left: the one generic text, in the program's language.
    EXPECT_EQ(u"系统错误 1234", SystemMessageLine(u"\r\nsecond line only", 1234));
    EXPECT_EQ(u"系统错误 4294967295", GenericErrorText(0xFFFFFFFF));
}

TEST(DecimalText, EveryValueIncludingTheExtremes)
{
    EXPECT_EQ(u"0", DecimalText(0));
    EXPECT_EQ(u"-7", DecimalText(-7));
    EXPECT_EQ(u"1000", DecimalText(1000));
    EXPECT_EQ(u"9223372036854775807", DecimalText(LLONG_MAX));
    EXPECT_EQ(u"-9223372036854775808", DecimalText(LLONG_MIN));
}
