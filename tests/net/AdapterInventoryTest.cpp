#include "NetFixture.h"

TEST(PlatformCode, FollowsTheVersionTable)
{
    struct Case {
        OsVersion version;
        std::int32_t code;
    } cases[] = {
        {{10, 0, 2}, 8}, {{6, 0, 2}, 8}, {{5, 2, 2}, 7}, {{5, 1, 2}, 6}, {{5, 0, 2}, 5}, {{5, 3, 2}, 6},
        {{4, 0, 2}, 4}, {{3, 51, 2}, 4}, {{4, 90, 1}, 3}, {{4, 10, 1}, 2}, {{4, 0, 1}, 6}, {{0, 0, 0}, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, PlatformCodeFor(c.version))
            << c.version.major << "." << c.version.minor << " platform " << c.version.platformId;
    }
}

TEST_F(NetTest, RefreshTakesEthernetAdaptersInEnumerationOrderWithTheirSettings)
{
    AddEthernet(u"0000", u"Intel(R) PRO/1000", u"{AAAA}", u"本地连接");
    AddEthernet(u"0001", u"WAN Miniport", u"{BBBB}");
    fake.registry.PutText(kClassPath + u"0001\\Ndi\\Interfaces", u"LowerRange", u"wan");
    AddEthernet(u"0002", u"Realtek PCIe", u"{CCCC}", u"无线");
    fake.registry.PutText(kClassPath + u"0002\\Ndi\\Interfaces", u"LowerRange", u"ethernet,wlan");
    fake.registry.AddKey(kClassPath + u"0003");  // no Ndi\Interfaces: not an adapter
    fake.registry.PutText(kClassPath + u"Properties", u"DriverDesc", u"x");

    SetManualTcpIp(u"{AAAA}");
    fake.registry.PutText(kClassPath + u"0000", u"NetworkAddress", u"001122334455");
    fake.registry.PutDword(kTcpIpPath + u"{CCCC}", u"EnableDHCP", 1);
    fake.addresses.adapters = {{u"{OTHER}", {1, 2, 3, 4, 5, 6}}, {u"{AAAA}", {0x00, 0x1a, 0x2b, 0xc3, 0xd4, 0xef}}};

    CAdapterList list(fake.Platform());
    ASSERT_EQ(2, list.Refresh());
    ASSERT_EQ(2, list.Count());

    const AdapterRecord& a = *list.At(0);
    EXPECT_EQ(u"{AAAA}", a.adapterId);
    EXPECT_EQ(u"Intel(R) PRO/1000", a.description);
    EXPECT_EQ(u"本地连接", a.connectionName);
    EXPECT_EQ(1, a.enabled);
    EXPECT_EQ(0, a.mode);
    EXPECT_EQ(u"00:1a:2b:c3:d4:ef", a.macAddress);
    EXPECT_EQ(u"001122334455", a.networkAddress);
    EXPECT_EQ(u"192.168.1.10", a.ipAddress);
    EXPECT_EQ((std::vector<std::u16string>{u"192.168.1.10", u"10.0.0.5"}), a.ipAddresses);
    EXPECT_EQ(u"255.255.255.0", a.subnetMask);
    EXPECT_EQ(2u, a.subnetMasks.size());
    EXPECT_EQ(u"192.168.1.1", a.gateway);
    EXPECT_EQ(u"1.1.1.1", a.dns1);
    EXPECT_EQ(u"8.8.8.8", a.dns2);
    EXPECT_EQ((std::vector<std::u16string>{u"1.1.1.1", u"8.8.8.8", u"9.9.9.9"}), a.dnsServers);

    const AdapterRecord& c = *list.At(1);
    EXPECT_EQ(u"{CCCC}", c.adapterId);
    EXPECT_EQ(u"无线", c.connectionName);
    EXPECT_EQ(1, c.mode);
    EXPECT_TRUE(c.macAddress.empty());
    EXPECT_TRUE(c.ipAddresses.empty());
    EXPECT_EQ(0, fake.registry.OpenKeyCount());
}

TEST_F(NetTest, RefreshDiscardsTheEarlierRecordsAndReportsAMissingRoot)
{
    CAdapterList list(fake.Platform());
    EXPECT_EQ(0, list.Refresh());

    AddEthernet(u"0000", u"A", u"{A}");
    AddEthernet(u"0001", u"B", u"{B}");
    EXPECT_EQ(2, list.Refresh());
    // One look at the addresses serves a whole pass; the next pass looks again.
    EXPECT_EQ(1, fake.addresses.queries);
    fake.addresses.adapters = {{u"{B}", {0, 0, 0, 0, 0, 0xb}}};
    EXPECT_EQ(2, list.Refresh());
    EXPECT_EQ(2, fake.addresses.queries);
    EXPECT_EQ(u"00:00:00:00:00:0b", list.At(1)->macAddress);
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(nullptr, list.At(2));
    EXPECT_EQ(nullptr, list.At(-1));
}

TEST_F(NetTest, AdapterWithoutInstanceIdIsKeptEmptyAndDisabled)
{
    AddEthernet(u"0000", u"Loopback NIC", u"");
    CAdapterList list(fake.Platform());
    ASSERT_EQ(1, list.Refresh());
    const AdapterRecord& r = *list.At(0);
    EXPECT_TRUE(r.adapterId.empty());
    EXPECT_EQ(0, r.enabled);
    EXPECT_TRUE(r.ipAddress.empty());
    EXPECT_TRUE(r.connectionName.empty());
    EXPECT_EQ(0, fake.addresses.queries);
}

TEST_F(NetTest, AdapterNeedsLowerRangeStartingWithEthernetAndADescription)
{
    AddEthernet(u"0000", u"Upper case", u"{A}");
    fake.registry.PutText(kClassPath + u"0000\\Ndi\\Interfaces", u"LowerRange", u"Ethernet");
    AddEthernet(u"0001", u"Short", u"{B}");
    fake.registry.PutText(kClassPath + u"0001\\Ndi\\Interfaces", u"LowerRange", u"ether");
    fake.registry.PutText(kClassPath + u"0002\\Ndi\\Interfaces", u"LowerRange", u"ethernet");  // no DriverDesc
    AddEthernet(u"0003", u"No range", u"{D}");
    fake.registry.Put(kClassPath + u"0003\\Ndi\\Interfaces", u"LowerRange", kRegSz, {});
    AddEthernet(u"0004", u"Taken", u"{E}");
    fake.registry.PutText(kClassPath + u"0004\\Ndi\\Interfaces", u"LowerRange", u"ethernetXYZ");

    CAdapterList list(fake.Platform());
    ASSERT_EQ(1, list.Refresh());
    EXPECT_EQ(u"Taken", list.At(0)->description);
}

TEST_F(NetTest, MissingConnectionKeyShowsTheSystemTextAndKeepsTheAdapter)
{
    AddEthernet(u"0000", u"A", u"{A}");
    fake.registry.PutText(kClassPath + u"0001\\Ndi\\Interfaces", u"LowerRange", u"ethernet");
    fake.registry.PutText(kClassPath + u"0001", u"DriverDesc", u"B");
    fake.registry.PutText(kClassPath + u"0001", u"NetCfgInstanceID", u"{B}");  // no connection, no TCP/IP key

    CAdapterList list(fake.Platform());
    ASSERT_EQ(2, list.Refresh());
    const AdapterRecord& b = *list.At(1);
    EXPECT_EQ(u"{B}", b.adapterId);
    EXPECT_TRUE(b.connectionName.empty());
    EXPECT_EQ(1, b.enabled);
    EXPECT_EQ(0, b.mode);
    // The open's own error, key not found, for the layer above to show.
    EXPECT_EQ(std::vector<std::u16string>{SystemErrorText(2)}, list.Failures());
    ASSERT_EQ(2, list.Refresh());
    EXPECT_EQ(1u, list.Failures().size()) << "a refresh keeps the failures of the one before";
}

TEST_F(NetTest, TcpIpSettingsEdgeCases)
{
    CAdapterList list(fake.Platform());
    const std::u16string tcp = kTcpIpPath + u"{G}";
    AdapterRecord r;
    EXPECT_FALSE(list.ReadTcpIpSettings(r, u"{G}"));

    // One server, no comma; the empty list; EnableDHCP missing.
    fake.registry.PutText(tcp, u"NameServer", u"8.8.8.8");
    fake.registry.Put(tcp, u"IPAddress", kRegMultiSz, {0, 0, 0, 0});
    r.mode = 1;
    ASSERT_TRUE(list.ReadTcpIpSettings(r, u"{G}"));
    EXPECT_EQ(u"8.8.8.8", r.dns1);
    EXPECT_TRUE(r.dns2.empty());
    EXPECT_EQ(1u, r.dnsServers.size());
    EXPECT_TRUE(r.ipAddresses.empty());
    EXPECT_TRUE(r.ipAddress.empty());
    EXPECT_EQ(0, r.mode);

    // Empty NameServer is one empty entry; a leading comma makes the whole text one entry.
    AdapterRecord e;
    SplitNameServers(u"", e);
    EXPECT_EQ(std::vector<std::u16string>{u""}, e.dnsServers);
    EXPECT_TRUE(e.dns1.empty());
    AdapterRecord lead;
    SplitNameServers(u",1.1.1.1", lead);
    EXPECT_EQ(std::vector<std::u16string>{u",1.1.1.1"}, lead.dnsServers);
    EXPECT_EQ(u",1.1.1.1", lead.dns1);
    AdapterRecord two;
    SplitNameServers(u"1.1.1.1,2.2.2.2", two);
    EXPECT_EQ(u"2.2.2.2", two.dns2);
    EXPECT_EQ(2u, two.dnsServers.size());

    // EnableDHCP takes the low 16 bits of the first word.
    fake.registry.Put(tcp, u"EnableDHCP", kRegDword, {0x01, 0x00, 0x01, 0x00});
    AdapterRecord d;
    ASSERT_TRUE(list.ReadTcpIpSettings(d, u"{G}"));
    EXPECT_EQ(1, d.mode);
    EXPECT_EQ(0, fake.registry.OpenKeyCount());
}

TEST(SplitMultiString, EntriesAndTerminators)
{
    auto split = [](const Bytes& bytes) {
        std::vector<std::u16string> out;
        CAdapterList::SplitMultiString(bytes.data(), bytes.size(), out);
        return out;
    };
    using Entries = std::vector<std::u16string>;
    EXPECT_EQ(Entries{}, split({}));
    EXPECT_EQ(Entries{}, split({0, 0}));
    EXPECT_EQ(Entries{}, split({0, 0, 0, 0}));
    EXPECT_EQ((Entries{u"1.2.3.4", u"5.6.7.8"}), split(RegMultiSzBytes({u"1.2.3.4", u"5.6.7.8"})));
    // Nothing after the list's terminator is an entry.
    Bytes tail = RegMultiSzBytes({u"1.2.3.4"});
    Bytes junk = RegSzBytes(u"9.9.9.9");
    tail.insert(tail.end(), junk.begin(), junk.end());
    EXPECT_EQ(Entries{u"1.2.3.4"}, split(tail));
    // A REG_SZ in place of the list, an unterminated entry and an odd byte count.
    EXPECT_EQ(Entries{u"10.0.0.1"}, split(RegSzBytes(u"10.0.0.1")));
    EXPECT_EQ(Entries{u"abcdef"}, split({'a', 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0, 'f', 0, 'g'}));
    // A short first entry is an entry of its own, never glued to the next.
    EXPECT_EQ((Entries{u"a", u"10.0.0.1"}), split(RegMultiSzBytes({u"a", u"10.0.0.1"})));
}

TEST_F(NetTest, AddressEntriesLongerThanADottedQuadAreLeftOut)
{
    const std::u16string tcp = kTcpIpPath + u"{G}";
    fake.registry.PutMulti(tcp, u"IPAddress", {u"1234567890123456", u"10.0.0.1"});
    fake.registry.PutMulti(tcp, u"DefaultGateway", {u"255.255.255.255"});
    CAdapterList list(fake.Platform());
    AdapterRecord r;
    ASSERT_TRUE(list.ReadTcpIpSettings(r, u"{G}"));
    EXPECT_TRUE(r.ipAddress.empty());
    EXPECT_EQ(std::vector<std::u16string>{u"10.0.0.1"}, r.ipAddresses);
    EXPECT_EQ(u"255.255.255.255", r.gateway);
}

TEST_F(NetTest, MacAddressIsMatchedByExactName)
{
    fake.addresses.adapters = {{u"{abcd}", {0xff, 0, 0x10, 1, 2, 3}}, {u"{ABCD}", {0xAB, 0xCD, 0xEF, 0, 1, 2}}};
    CAdapterList list(fake.Platform());
    std::u16string mac;
    EXPECT_EQ(17, list.GetMacAddress(u"{ABCD}", &mac));
    EXPECT_EQ(u"ab:cd:ef:00:01:02", mac);
    EXPECT_EQ(0, list.GetMacAddress(u"{Abcd}", &mac));
    fake.addresses.fails = true;
    EXPECT_EQ(0, list.GetMacAddress(u"{ABCD}", &mac));
}

TEST_F(NetTest, Nt4RootHoldsAdaptersInTheNtLayout)
{
    fake.version.version = {4, 0, 2};
    const std::u16string root = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";
    fake.registry.PutText(root + u"1\\Ndi\\Interfaces", u"LowerRange", u"ethernet");
    fake.registry.PutText(root + u"1", u"DriverDesc", u"3Com EtherLink");
    fake.registry.PutText(root + u"1", u"NetCfgInstanceID", u"{N4}");
    fake.registry.PutText(kConnectionPath + u"{N4}\\Connection", u"Name", u"LAN");
    AddEthernet(u"0000", u"Only on the class root", u"{X}");

    CAdapterList list(fake.Platform());
    EXPECT_EQ(4, list.PlatformCode());
    ASSERT_EQ(1, list.Refresh());
    EXPECT_EQ(u"3Com EtherLink", list.At(0)->description);
    EXPECT_EQ(u"LAN", list.At(0)->connectionName);
}

TEST_F(NetTest, NineXRootListsTcpIpBindings)
{
    fake.version.version = {4, 10, 1};
    fake.registry.PutText(kNetTransPath + u"0000", u"DriverDesc", u"TCP/IP");
    fake.registry.PutMulti(kNetTransPath + u"0000", u"DefaultGateway", {u"192.168.0.1"});
    fake.registry.PutMulti(kNetTransPath + u"0000", u"IPAddress", {u"192.168.0.9"});
    fake.registry.PutMulti(kNetTransPath + u"0000", u"IPMask", {u"255.255.255.0"});
    fake.registry.PutText(kNetTransPath + u"0000", u"NetworkAddress", u"00A0C9112233");
    fake.registry.PutText(kNetTransPath + u"0001", u"DriverDesc", u"NetBEUI");
    fake.registry.PutText(kNetTransPath + u"0002", u"DriverDesc", u"TCP/IP");  // no gateway: not read

    CAdapterList list(fake.Platform());
    EXPECT_EQ(2, list.PlatformCode());
    ASSERT_EQ(2, list.Refresh());
    const AdapterRecord& a = *list.At(0);
    EXPECT_EQ(u"0000", a.adapterId);
    EXPECT_EQ(u"TCP/IP", a.description);
    EXPECT_EQ(1, a.enabled);
    EXPECT_EQ(u"192.168.0.9", a.ipAddress);
    EXPECT_EQ(u"255.255.255.0", a.subnetMask);
    EXPECT_EQ(u"192.168.0.1", a.gateway);
    EXPECT_EQ(u"00A0C9112233", a.macAddress);
    EXPECT_TRUE(a.networkAddress.empty());
    const AdapterRecord& b = *list.At(1);
    EXPECT_TRUE(b.adapterId.empty());
    EXPECT_EQ(0, b.enabled);
}
