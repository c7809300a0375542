#include "NetFixture.h"
#include "net/InetAddr.h"

namespace {

std::uint32_t Quad(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    // Network byte order read as a little-endian word.
    return a | (b << 8) | (c << 16) | (static_cast<std::uint32_t>(d) << 24);
}

using Kind = CMemoryRegistry::Write::Kind;

}  // namespace

class SettingsTest : public NetTest {
protected:
    void SetUp() override
    {
        AddEthernet(u"0000", u"Intel NIC", u"{A}");
        fake.devices.devices = {{u"Intel NIC", 0}};
    }

    std::unique_ptr<CAdapterList> MakeList(std::uint32_t major, std::uint32_t minor)
    {
        fake.version.version = {major, minor, 2};
        auto list = std::make_unique<CAdapterList>(fake.Platform());
        list->Refresh();
        fake.registry.ClearJournal();
        return list;
    }

    const std::u16string key = kTcpIpPath + u"{A}";
};

TEST_F(SettingsTest, ApplyStaticWritesExactLayoutsInOrder)
{
    auto list = MakeList(5, 1);
    ASSERT_EQ(1, list->ApplyStatic(u"{A}", 0, u"192.168.1.20", u"255.255.255.0", u"192.168.1.1",
                                   u"8.8.8.8,8.8.4.4"));

    // Each value is deleted before it is set; EnableDHCP comes last.
    std::vector<std::pair<Kind, std::u16string>> order;
    for (const auto& w : fake.registry.Journal()) {
        EXPECT_TRUE(SamePath(key, w.path));
        order.push_back({w.kind, w.name});
    }
    std::vector<std::pair<Kind, std::u16string>> expected = {
        {Kind::Delete, u"IPAddress"},   {Kind::Set, u"IPAddress"},      {Kind::Delete, u"SubnetMask"},
        {Kind::Set, u"SubnetMask"},     {Kind::Delete, u"DefaultGateway"}, {Kind::Set, u"DefaultGateway"},
        {Kind::Delete, u"NameServer"},  {Kind::Set, u"NameServer"},     {Kind::Delete, u"EnableDHCP"},
        {Kind::Set, u"EnableDHCP"},
    };
    EXPECT_EQ(expected, order);

    RegValue ip = Value(key, u"IPAddress");
    EXPECT_EQ(kRegMultiSz, ip.type);
    EXPECT_EQ(2u * 12 + 4, ip.data.size());
    EXPECT_EQ(RegMultiSzBytes({u"192.168.1.20"}), ip.data);
    RegValue dns = Value(key, u"NameServer");
    EXPECT_EQ(kRegSz, dns.type);
    EXPECT_EQ(2u * 15 + 2, dns.data.size());
    EXPECT_EQ(RegSzBytes(u"8.8.8.8,8.8.4.4"), dns.data);
    RegValue dhcp = Value(key, u"EnableDHCP");
    EXPECT_EQ(kRegDword, dhcp.type);
    EXPECT_EQ((Bytes{0, 0, 0, 0}), dhcp.data);
    EXPECT_EQ(0, fake.registry.OpenKeyCount());
}

TEST_F(SettingsTest, EmptyGatewayAndDnsAndOverlongEntries)
{
    auto list = MakeList(5, 1);
    ASSERT_EQ(1, list->ApplyStatic(u"{A}", 0, u"10.0.0.2", u"255.0.0.0", u"", u""));
    EXPECT_EQ((Bytes{0, 0, 0, 0}), Value(key, u"DefaultGateway").data);
    EXPECT_EQ((Bytes{0, 0}), Value(key, u"NameServer").data);

    std::u16string longText(1500, u'9');
    ASSERT_EQ(1, list->WriteTcpIpValues(u"{A}", longText, u"", u"", u""));
    EXPECT_EQ(2u * 1021 + 4, Value(key, u"IPAddress").data.size());
}

TEST_F(SettingsTest, ApplyDhcpEndsWithDhcpOn)
{
    auto list = MakeList(5, 1);
    fake.registry.PutDword(key, u"EnableDHCP", 0);
    ASSERT_EQ(1, list->ApplyDhcp(u"{A}", u"114.114.114.114"));
    EXPECT_EQ(RegMultiSzBytes({u"0.0.0.0"}), Value(key, u"IPAddress").data);
    EXPECT_EQ(RegMultiSzBytes({u"0.0.0.0"}), Value(key, u"SubnetMask").data);
    EXPECT_EQ((Bytes{0, 0, 0, 0}), Value(key, u"DefaultGateway").data);
    EXPECT_EQ(RegSzBytes(u"114.114.114.114"), Value(key, u"NameServer").data);
    EXPECT_EQ((Bytes{1, 0, 0, 0}), Value(key, u"EnableDHCP").data);

    // EnableDHCP is written 0 by the value writer, then 1.
    std::vector<Bytes> dhcpWrites;
    for (const auto& w : fake.registry.Journal())
        if (w.kind == Kind::Set && w.name == u"EnableDHCP")
            dhcpWrites.push_back(w.data);
    EXPECT_EQ((std::vector<Bytes>{{0, 0, 0, 0}, {1, 0, 0, 0}}), dhcpWrites);

    // The inventory reads back what was written.
    list->Refresh();
    EXPECT_EQ(1, list->At(0)->mode);
    EXPECT_EQ(u"114.114.114.114", list->At(0)->dns1);
}

TEST_F(SettingsTest, UnknownAdapterOrNoWriteAccessChangesNothing)
{
    auto list = MakeList(6, 1);
    EXPECT_EQ(0, list->ApplyStatic(u"{NOPE}", 0, u"1.2.3.4", u"255.0.0.0", u"", u""));
    EXPECT_EQ(0, list->ApplyDhcp(u"{NOPE}", u""));
    EXPECT_FALSE(fake.registry.HasKey(kTcpIpPath + u"{NOPE}"));

    fake.registry.SetReadOnly(true);
    EXPECT_EQ(0, list->ApplyStatic(u"{A}", 0, u"1.2.3.4", u"255.0.0.0", u"", u""));
    EXPECT_EQ(0, list->SetEnableDhcp(u"{A}", 1));
    EXPECT_TRUE(fake.registry.Journal().empty());
    EXPECT_TRUE(fake.dhcp.calls.empty());
    EXPECT_TRUE(fake.devices.changes.empty());
}

TEST_F(SettingsTest, PlatformCodeSixNotifiesWithoutRestart)
{
    auto list = MakeList(5, 1);
    ASSERT_EQ(1, list->ApplyStatic(u"{A}", 0, u"192.168.1.20", u"255.255.255.0", u"", u""));
    ASSERT_EQ(1, list->ApplyDhcp(u"{A}", u""));
    DhcpNotification manual{u"{A}", true, 0, Quad(192, 168, 1, 20), Quad(255, 255, 255, 0), 2};
    DhcpNotification automatic{u"{A}", false, 0, 0, 0, 1};
    EXPECT_EQ((std::vector<DhcpNotification>{manual, automatic}), fake.dhcp.calls);
    EXPECT_TRUE(fake.devices.changes.empty());
    EXPECT_EQ(0, fake.devices.listsCreated);
}

TEST_F(SettingsTest, PlatformCodesSevenAndEightRestartTheAdapter)
{
    for (auto version : {std::pair{5u, 2u}, std::pair{6u, 1u}}) {
        fake.dhcp.calls.clear();
        fake.devices.changes.clear();
        auto list = MakeList(version.first, version.second);
        EXPECT_GT(list->PlatformCode(), 6);

        ASSERT_EQ(1, list->ApplyStatic(u"{A}", 0, u"10.1.1.1", u"255.255.0.0", u"10.1.0.1", u""));
        EXPECT_EQ(1u, fake.dhcp.calls.size());
        ASSERT_EQ(2u, fake.devices.changes.size());
        EXPECT_EQ(IDeviceInstaller::kStateDisable, fake.devices.changes[0].stateChange);
        EXPECT_EQ(IDeviceInstaller::kStateEnable, fake.devices.changes[1].stateChange);

        fake.devices.changes.clear();
        ASSERT_EQ(1, list->ApplyDhcp(u"{A}", u""));
        EXPECT_EQ(1u, fake.dhcp.calls.size()) << "a DHCP apply with a restart does not notify";
        EXPECT_EQ(2u, fake.devices.changes.size());
        EXPECT_EQ(0, fake.devices.listsOpen);
    }
}

TEST_F(SettingsTest, FailedRestartOutcomes)
{
    auto list = MakeList(6, 0);
    fake.devices.installerRefuses = true;
    // The disable step fails: a manual apply still succeeds, a DHCP apply does not.
    EXPECT_EQ(1, list->ApplyStatic(u"{A}", 0, u"10.1.1.1", u"255.255.0.0", u"", u""));
    EXPECT_EQ(0, list->ApplyDhcp(u"{A}", u""));
    // A missing DHCP client never changes a manual apply's outcome.
    fake.devices.installerRefuses = false;
    fake.dhcp.present = false;
    EXPECT_EQ(1, list->ApplyStatic(u"{A}", 0, u"10.1.1.1", u"255.255.0.0", u"", u""));
}

TEST_F(SettingsTest, NotifyDhcpClientKindsAndResults)
{
    auto list = MakeList(5, 1);
    EXPECT_EQ(0, list->NotifyDhcpClient(u"{A}", 0, u"1.2.3.4", u"255.0.0.0", 3));
    EXPECT_EQ(0, list->NotifyDhcpClient(u"{A}", 0, u"1.2.3.4", u"255.0.0.0", -1));
    EXPECT_TRUE(fake.dhcp.calls.empty());

    EXPECT_EQ(1, list->NotifyDhcpClient(u"{A}", 3, u"1.2.3.4", u"255.0.0.0", 2));
    EXPECT_EQ(3u, fake.dhcp.calls.back().ipIndex);
    EXPECT_EQ(1, list->NotifyDhcpClient(u"{A}", 3, u"1.2.3.4", u"255.0.0.0", 0));
    EXPECT_EQ((DhcpNotification{u"{A}", false, 0, 0, 0, 1}), fake.dhcp.calls.back());

    fake.dhcp.status = 1168;
    EXPECT_EQ(0, list->NotifyDhcpClient(u"{A}", 0, u"1.2.3.4", u"255.0.0.0", 2));
    fake.dhcp.present = false;
    fake.dhcp.status = 0;
    EXPECT_EQ(0, list->NotifyDhcpClient(u"{A}", 0, u"1.2.3.4", u"255.0.0.0", 2));

    fake.dhcp.present = true;
    list->NotifyDhcpClient(std::u16string(300, u'x'), 0, u"", u"", 1);
    EXPECT_EQ(255u, fake.dhcp.calls.back().adapterName.size());
}

TEST_F(SettingsTest, NineXWritesUnderNetTransAndKeepsTheMaskNameItReads)
{
    fake.version.version = {4, 90, 1};
    fake.registry.PutText(kNetTransPath + u"0003", u"DriverDesc", u"TCP/IP");
    fake.registry.PutMulti(kNetTransPath + u"0003", u"DefaultGateway", {});
    CAdapterList list(fake.Platform());
    ASSERT_EQ(1, list.Refresh());
    ASSERT_EQ(1, list.ApplyStatic(u"0003", 0, u"192.168.5.5", u"255.255.255.0", u"192.168.5.1", u""));
    list.Refresh();
    EXPECT_EQ(u"192.168.5.5", list.At(0)->ipAddress);
    EXPECT_EQ(u"255.255.255.0", list.At(0)->subnetMask);
    EXPECT_EQ(u"192.168.5.1", list.At(0)->gateway);
}

TEST(InetAddr, DottedQuadsAndTheClassicForms)
{
    EXPECT_EQ(Quad(192, 168, 1, 20), InetAddr(u"192.168.1.20"));
    EXPECT_EQ(Quad(255, 255, 255, 0), InetAddr(u"255.255.255.0"));
    EXPECT_EQ(0u, InetAddr(u"0.0.0.0"));
    EXPECT_EQ(Quad(10, 0, 0, 1), InetAddr(u"10.1"));
    EXPECT_EQ(Quad(127, 0, 1, 2), InetAddr(u"127.0.258"));
    EXPECT_EQ(Quad(10, 8, 0, 255), InetAddr(u"0xa.010.0.0xff"));
    EXPECT_EQ(Quad(1, 2, 3, 4), InetAddr(u"1.2.3.4 trailing"));
    const std::uint32_t none = 0xFFFFFFFFu;
    for (const char16_t* bad : {u"", u"1.2.3.256", u"1.2.3.4.5", u"1..2.3", u"1.2.3.", u"a.b.c.d", u"08.1.1.1",
                                u"1.2.3.4x", u"１.2.3.4", u"4294967296"})
        EXPECT_EQ(none, InetAddr(bad)) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
}
