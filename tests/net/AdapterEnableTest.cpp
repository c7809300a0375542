#include "NetFixture.h"

class EnableTest : public NetTest {
protected:
    void SetUp() override
    {
        AddEthernet(u"0000", u"Intel NIC", u"{FIRST}");
        AddEthernet(u"0001", u"Intel NIC", u"{SECOND}");
        list = std::make_unique<CAdapterList>(fake.Platform());
        ASSERT_EQ(2, list->Refresh());
    }

    std::unique_ptr<CAdapterList> list;
};

TEST_F(EnableTest, DeviceIsFoundByDescriptionSoTwinsSwitchTheFirstPresentDevice)
{
    fake.devices.devices = {{u"Other", 0}, {u"Intel NIC", 0}, {u"Intel NIC", 0}};
    EXPECT_EQ(1, list->SetAdapterEnabled(0, u"{SECOND}"));
    ASSERT_EQ(1u, fake.devices.changes.size());
    EXPECT_EQ(IDeviceInstaller::kStateDisable, fake.devices.changes[0].stateChange);
    EXPECT_EQ(1, fake.devices.listsCreated);
    EXPECT_EQ(0, fake.devices.listsOpen);

    EXPECT_EQ(1, list->SetAdapterEnabled(5, u"{FIRST}"));
    EXPECT_EQ(IDeviceInstaller::kStateEnable, fake.devices.changes[1].stateChange);
}

TEST_F(EnableTest, UnknownIdNeverTouchesTheDeviceInstaller)
{
    fake.devices.devices = {{u"Intel NIC", 0}};
    EXPECT_EQ(0, list->SetAdapterEnabled(1, u"{first}"));
    EXPECT_EQ(0, fake.devices.listsCreated);
}

TEST_F(EnableTest, DescriptionReadErrors)
{
    // A device without a description is passed over.
    fake.devices.devices = {{u"", IDeviceInstaller::kErrorInvalidData}, {u"Intel NIC", 0}};
    EXPECT_EQ(1, list->SetAdapterEnabled(1, u"{FIRST}"));

    // Any other read error ends the search and stays the thread's last error.
    fake.devices.changes.clear();
    fake.devices.devices = {{u"", 1784}, {u"Intel NIC", 0}};
    EXPECT_EQ(0, list->SetAdapterEnabled(1, u"{FIRST}"));
    EXPECT_TRUE(fake.devices.changes.empty());
    EXPECT_EQ(1784u, fake.devices.lastError);
    EXPECT_EQ(0, fake.devices.listsOpen);
}

TEST_F(EnableTest, NoMatchingDeviceOrARefusalOrNoListIsFailure)
{
    fake.devices.devices = {{u"intel nic", 0}};
    EXPECT_EQ(0, list->SetAdapterEnabled(1, u"{FIRST}"));
    fake.devices.devices = {{u"Intel NIC", 0}};
    fake.devices.installerRefuses = true;
    EXPECT_EQ(0, list->SetAdapterEnabled(1, u"{FIRST}"));
    fake.devices.listFails = true;
    EXPECT_EQ(0, list->SetAdapterEnabled(1, u"{FIRST}"));
    EXPECT_EQ(0, fake.devices.listsOpen);
}
