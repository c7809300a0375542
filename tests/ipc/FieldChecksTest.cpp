#include "ipc/FieldChecks.h"
#include "ipc/ServerCheck.h"

#include <gtest/gtest.h>

TEST(FieldChecks, DottedQuadIsStrict)
{
    std::uint32_t value = 0;
    ASSERT_TRUE(ReadDottedQuad(u"192.168.1.20", &value));
    EXPECT_EQ(0xC0A80114u, value);
    EXPECT_TRUE(ReadDottedQuad(u"0.0.0.0", &value));
    EXPECT_TRUE(ReadDottedQuad(u"255.255.255.255", &value));
    for (const char16_t* bad : {u"", u"256.1.1.1", u"1.2.3", u"1.2.3.4.5", u"1..3.4", u"1.2.3.", u".1.2.3",
                                u"01.2.3.4", u"1.2.3.00", u"1234.1.1.1", u" 1.2.3.4", u"1.2.3.4 ", u"+1.2.3.4",
                                u"1.2.3.-4", u"0x1.2.3.4", u"1.2.3.4\u0661"})
        EXPECT_FALSE(ReadDottedQuad(bad, &value)) << std::u16string(bad).size();
}

TEST(FieldChecks, HostAddressFollowsTheApplysRule)
{
    EXPECT_TRUE(IsHostAddress(u"10.0.0.1"));
    EXPECT_FALSE(IsHostAddress(u"0.1.2.3"));
    EXPECT_FALSE(IsHostAddress(u"10.1.2.0"));
    EXPECT_FALSE(IsHostAddress(u"10.1.2"));
}

TEST(FieldChecks, MaskIsContiguousOnesAndNotZero)
{
    for (const char16_t* good : {u"255.255.255.0", u"255.255.254.0", u"128.0.0.0", u"255.255.255.255"})
        EXPECT_TRUE(IsSubnetMask(good));
    for (const char16_t* bad : {u"0.0.0.0", u"255.0.255.0", u"255.255.255.1", u"0.255.255.255", u"255.255.0"})
        EXPECT_FALSE(IsSubnetMask(bad));
}

TEST(FieldChecks, AdapterGuidHasTheRegistrysShape)
{
    EXPECT_TRUE(IsAdapterGuid(u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}"));
    EXPECT_TRUE(IsAdapterGuid(u"{6d3f7a10-2b4c-4e8a-9c51-1a2b3c4d5e01}"));
    for (const char16_t* bad : {u"", u"6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01", u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E0}",
                                u"{6D3F7A1G-2B4C-4E8A-9C51-1A2B3C4D5E01}", u"{6D3F7A10-2B4C4-E8A-9C51-1A2B3C4D5E01}",
                                u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01)", u"..\\..\\SOFTWARE\\Microsoft\\Windows_x"})
        EXPECT_FALSE(IsAdapterGuid(bad));
}

TEST(ServerCheck, OnlyTheServicesOwnProcessMatches)
{
    EXPECT_EQ(ServerIdentity::kService, CheckServerProcess(812, 812));
    EXPECT_EQ(ServerIdentity::kNotService, CheckServerProcess(4242, 812));
    // A pipe that names no server is never taken for the service.
    EXPECT_EQ(ServerIdentity::kCannotTell, CheckServerProcess(0, 812));
    // Nobody runs the service, so whoever serves the pipe is not it.
    EXPECT_EQ(ServerIdentity::kNotService, CheckServerProcess(4242, 0));
    EXPECT_EQ(ServerIdentity::kNotService, CheckServerProcess(0, 0));
}
