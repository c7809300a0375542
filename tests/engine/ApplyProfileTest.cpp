#include "EngineFixture.h"

using Kind = CMemoryRegistry::Write::Kind;

TEST(AddressTests, LeadingAndTrailingParts)
{
    EXPECT_TRUE(PassesTwoPartTest(u"192.168.1.10"));
    EXPECT_FALSE(PassesTwoPartTest(u"0.0.0.0"));
    EXPECT_FALSE(PassesTwoPartTest(u"192.168.1.0"));
    EXPECT_FALSE(PassesTwoPartTest(u"0.1.2.3"));
    // Without a dot there is no leading part, and the trailing part is all of it.
    EXPECT_TRUE(PassesTwoPartTest(u"abc"));
    EXPECT_TRUE(PassesTwoPartTest(u""));
    EXPECT_FALSE(PassesTwoPartTest(u"0"));
    EXPECT_TRUE(PassesLeadingPartTest(u"0"));
    EXPECT_TRUE(PassesLeadingPartTest(u"255.255.255.0"));
    EXPECT_FALSE(PassesLeadingPartTest(u"0.255.255.255"));
    EXPECT_TRUE(PassesLeadingPartTest(u"00.1"));
}

TEST_F(EngineTest, ManualAndAutomaticEntriesAreWrittenInOrder)
{
    LoadProfiles(Profile("1", {Entry("{A}", "0", "192.168.1.20", "255.255.255.0", "192.168.1.0",
                                     {"1.1.1.1", "0.2.3.4", "8.8.4.4"}),
                               Entry("{B}", "1", "0.0.0.0", "0.0.0.0", "", {"9.9.9.9"})}));
    fake.version.version = {6, 0, 2};  // restarts the adapters
    ASSERT_TRUE(Apply(u"1"));
    EXPECT_TRUE(failures.empty());

    EXPECT_EQ(u"192.168.1.20", Text(u"{A}", u"IPAddress"));
    EXPECT_EQ(u"255.255.255.0", Text(u"{A}", u"SubnetMask"));
    // A bad gateway is written empty; a bad DNS server is dropped from the list.
    EXPECT_EQ(u"", Text(u"{A}", u"DefaultGateway"));
    EXPECT_EQ(u"1.1.1.1,8.8.4.4", Text(u"{A}", u"NameServer"));
    EXPECT_EQ(RegDwordBytes(0), Value(kTcpIpPath + u"{A}", u"EnableDHCP").data);
    // The automatic entry's bad addresses are not looked at.
    EXPECT_EQ(RegDwordBytes(1), Value(kTcpIpPath + u"{B}", u"EnableDHCP").data);
    EXPECT_EQ(u"9.9.9.9", Text(u"{B}", u"NameServer"));

    // {A} is written completely before {B}, and each adapter restarts.
    const auto& journal = fake.registry.Journal();
    ASSERT_FALSE(journal.empty());
    EXPECT_TRUE(SamePath(kTcpIpPath + u"{A}", journal.front().path));
    EXPECT_TRUE(SamePath(kTcpIpPath + u"{B}", journal.back().path));
    ASSERT_EQ(4u, fake.devices.changes.size());
    EXPECT_EQ(u"Intel NIC", fake.devices.changes[0].description);
    EXPECT_EQ(u"Realtek NIC", fake.devices.changes[3].description);
    // Restarting the automatic adapter stands in for the DHCP notification.
    ASSERT_EQ(1u, fake.dhcp.calls.size());
    EXPECT_EQ(u"{A}", fake.dhcp.calls[0].adapterName);
}

TEST_F(EngineTest, AProfileSavedWithoutAnAlternateDnsServerWritesOneServer)
{
    LoadProfiles("");
    AdapterRecord office = ManualEntry(u"本地连接", u"{A}", u"192.0.2.10");  // dns1 only
    ASSERT_EQ(1, store->AddProfile(u"Office", {&office}));
    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, store->Load());
    ASSERT_TRUE(Apply(u"10"));
    EXPECT_EQ(u"192.0.2.53", Text(u"{A}", u"NameServer"));
    // Empty addresses amid real ones leave no empty slot either.
    LoadProfiles(Profile("1", {Entry("{A}", "0", "10.0.0.1", "255.0.0.0", "", {"", "1.2.4.8", ""})}));
    ASSERT_TRUE(Apply(u"1"));
    EXPECT_EQ(u"1.2.4.8", Text(u"{A}", u"NameServer"));
}

TEST_F(EngineTest, OnlyTheFirstAddressOfAGroupCounts)
{
    LoadProfiles(Lines({R"(<NETSETING NAME="Two" ID="3">)",
                        R"(<CONNECTION GUID="{A}" TYPE="0"><IPADD><IP>10.0.0.1</IP><IP>0.0.0.0</IP></IPADD>)"
                        R"(<MASKADD><IP>255.0.0.0</IP><IP>0.0.0.0</IP></MASKADD><OTHER><IP>0.0.0.0</IP></OTHER>)"
                        R"(</CONNECTION>)",
                        "</NETSETING>"}));
    ASSERT_TRUE(Apply(u"3"));
    EXPECT_EQ(u"10.0.0.1", Text(u"{A}", u"IPAddress"));
    EXPECT_EQ(u"255.0.0.0", Text(u"{A}", u"SubnetMask"));
}

TEST_F(EngineTest, BadAddressesOfAManualEntryStopTheRun)
{
    struct Case {
        std::string ip, mask;
        std::u16string message;
    };
    const Case cases[] = {
        {"0.0.0.0", "255.255.255.0", u"网络配置【Net {B}】中存在非法IP地址!0.0.0.0"},
        {"192.168.1.0", "255.255.255.0", u"网络配置【Net {B}】中存在非法IP地址!192.168.1.0"},
        {"192.168.1.5", "0.255.255.0", u"网络配置【Net {B}】中存在非法子网掩码：0.255.255.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ip + " " + c.mask);
        LoadProfiles(Profile("2", {Entry("{A}", "0", "10.0.0.7", "255.0.0.0"), Entry("{B}", "0", c.ip, c.mask),
                                   Entry("{A}", "1", "", "")}));
        EXPECT_FALSE(Apply(u"2"));
        EXPECT_EQ(c.message, stop);
        // The entry before the bad one stays applied; nothing after it runs.
        EXPECT_EQ(u"10.0.0.7", Text(u"{A}", u"IPAddress"));
        EXPECT_EQ(RegDwordBytes(0), Value(kTcpIpPath + u"{A}", u"EnableDHCP").data);
        for (const auto& write : fake.registry.Journal())
            EXPECT_FALSE(SamePath(kTcpIpPath + u"{B}", write.path));
    }
}

TEST_F(EngineTest, WhatCountsAsSuccess)
{
    LoadProfiles(Profile("1", {Entry("{A}", "2", "0.0.0.0", "0.0.0.0"), Entry("{B}", "7", "", "")}) + "\r\n" +
                 Profile("2", {Entry("{GONE}", "0", "10.0.0.1", "255.0.0.0")}) + "\r\n" +
                 Profile("3", {Entry("{GONE}", "1", "", ""), Entry("{A}", "0", "10.0.0.2", "255.0.0.0")}) +
                 "\r\n" + R"(<NETSETING NAME="Empty" ID="4"/>)");
    // Leave-alone and unknown types succeed and write nothing.
    EXPECT_TRUE(Apply(u"1"));
    EXPECT_TRUE(fake.registry.Journal().empty());
    // An adapter without a TCP/IP key fails quietly; another entry can still succeed.
    EXPECT_FALSE(Apply(u"2"));
    EXPECT_TRUE(Apply(u"3"));
    EXPECT_EQ(u"10.0.0.2", Text(u"{A}", u"IPAddress"));
    EXPECT_FALSE(Apply(u"4"));
    EXPECT_FALSE(Apply(u"99"));
    EXPECT_EQ(0, fake.registry.OpenKeyCount());
}

TEST_F(EngineTest, AManualEntryWithoutAddressesIsWrittenEmpty)
{
    LoadProfiles(Lines({R"(<NETSETING NAME="Bare" ID="5">)", R"(<CONNECTION GUID="{A}" TYPE="0"/>)", "</NETSETING>"}));
    fake.registry.PutMulti(kTcpIpPath + u"{A}", u"IPAddress", {u"10.9.9.9"});
    ASSERT_TRUE(Apply(u"5"));
    EXPECT_EQ(u"", Text(u"{A}", u"IPAddress"));
}

TEST_F(EngineTest, WhatTheInventoryCouldNotReadComesBackWithTheResult)
{
    // A third adapter without its connection key: each change's inventory meets it.
    fake.registry.PutText(kClassPath + u"0002\\Ndi\\Interfaces", u"LowerRange", u"ethernet");
    fake.registry.PutText(kClassPath + u"0002", u"DriverDesc", u"Broadcom NIC");
    fake.registry.PutText(kClassPath + u"0002", u"NetCfgInstanceID", u"{C}");
    LoadProfiles(Profile("1", {Entry("{A}", "0", "10.0.0.7", "255.0.0.0"), Entry("{B}", "2", "", ""),
                               Entry("{B}", "1", "", "")}) +
                 "\r\n" + Profile("2", {Entry("{B}", "1", "", ""), Entry("{A}", "0", "0.0.0.0", "255.0.0.0")}));
    ASSERT_TRUE(Apply(u"1"));
    // Once for each change made; the entry left alone reads nothing.
    EXPECT_EQ(std::vector<std::u16string>(2, SystemErrorText(2)), failures);
    // A run that a bad address stops still brings back what came before it.
    EXPECT_FALSE(Apply(u"2"));
    EXPECT_FALSE(stop.empty());
    EXPECT_EQ(std::vector<std::u16string>(1, SystemErrorText(2)), failures);
}
