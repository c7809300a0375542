#include "EngineFixture.h"
#include "engine/ProfileCapture.h"
#include "net/AdapterList.h"

class CaptureTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        AddCaptureMachine();
        fake.registry.PutText(kTcpIpPath + u"{B}", u"NameServer", u"114.114.114.114");
        LoadProfiles("");
        inventory = std::make_unique<CAdapterList>(fake.Platform());
        inventory->Refresh();
        ASSERT_EQ(3, inventory->Count());
    }

    const IpProfile& Saved(std::size_t index)
    {
        EXPECT_EQ(1, store->Save());
        EXPECT_EQ(1, store->Load());
        return *store->Profiles().at(index);
    }

    std::unique_ptr<CAdapterList> inventory;
};

TEST_F(CaptureTest, AllAdaptersInInventoryOrder)
{
    ASSERT_EQ(1, CaptureProfile(*store, u"备份", *inventory));
    const IpProfile& profile = Saved(0);
    EXPECT_EQ(u"备份", profile.name);
    EXPECT_EQ(u"10", profile.id);
    ASSERT_EQ(3u, profile.connections.size());

    const ConnectionSetting& manual = *profile.connections[0];
    EXPECT_EQ(u"{A}", manual.adapterId);
    EXPECT_EQ(kModeManual, manual.mode);
    // Only the first address of each list, and the first two DNS servers, are kept.
    EXPECT_EQ((std::vector<std::u16string>{u"192.168.1.10"}), manual.ipAddresses);
    EXPECT_EQ(u"1.1.1.1", manual.dns1);
    EXPECT_EQ(u"8.8.8.8", manual.dns2);
    EXPECT_EQ(2u, manual.dnsServers.size());

    const ConnectionSetting& dhcp = *profile.connections[1];
    EXPECT_EQ(kModeDhcp, dhcp.mode);
    EXPECT_EQ(u"0.0.0.0", dhcp.ipAddress);
    EXPECT_EQ(u"114.114.114.114", dhcp.dns1);
    EXPECT_EQ(u"", dhcp.dns2);

    // No TCP/IP settings were found for the third: it is stored as not enabled.
    EXPECT_EQ(u"", profile.connections[2]->adapterId);
    EXPECT_EQ(0, profile.connections[2]->enabled);
    EXPECT_NE(std::u16string::npos,
              store->GetProfileContent(u"10").find(u"NETCARD=\"Broadcom NIC\" MACCODE=\"\" EnableCheck=\"0\""));
}

TEST_F(CaptureTest, OneAdapterAndRepeatedNames)
{
    ASSERT_EQ(1, CaptureProfile(*store, u"家", *inventory, 1));
    ASSERT_EQ(1, CaptureProfile(*store, u"家", *inventory, 1));
    const IpProfile& profile = Saved(1);
    EXPECT_EQ(u"11", profile.id);
    ASSERT_EQ(1u, profile.connections.size());
    EXPECT_EQ(u"{B}", profile.connections[0]->adapterId);
    EXPECT_EQ(u"【本地连接 2】-自动获取IP\n", profile.summary);
}
