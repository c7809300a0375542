// The backup and current-IP dialogs without their windows: the texts they
// show for a sample machine, byte for byte, and what their save buttons add.
#include "ui/CaptureDialogs.h"
#include "ui/DialogTexts.h"

#include "EngineFixture.h"
#include "support/FakeMessageBox.h"

#include <gtest/gtest.h>

namespace {

// Three adapters: one set by hand with two addresses and three name
// servers, one on DHCP, and one whose TCP/IP settings cannot be found.
class CaptureDialogsTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        AddCaptureMachine();
        LoadProfiles("");
        inventory = std::make_unique<CAdapterList>(fake.Platform());
        ASSERT_EQ(3, inventory->Refresh());
    }

    // The profiles as the next load sees them.
    const CProfileStore::ProfileList& Stored()
    {
        EXPECT_EQ(1, store->Save());
        store->Load();
        return store->Profiles();
    }

    std::vector<std::u16string> Guids(const IpProfile& profile)
    {
        std::vector<std::u16string> guids;
        for (const auto& entry : profile.connections)
            guids.push_back(entry->adapterId);
        return guids;
    }

    std::unique_ptr<CAdapterList> inventory;
    CFakeMessageBox messages;
};

const std::u16string kManualDetails = u"手动配置获取IP配置\r\n"
                                      u"\r\n默认IP地址:192.168.1.10\r\n"
                                      u"\r\n默认IP地址:10.0.0.5\r\n"
                                      u"\r\n子网掩码:255.255.255.0\r\n"
                                      u"\r\n子网掩码:255.0.0.0\r\n"
                                      u"\r\n默认网关:192.168.1.1\r\n"
                                      u"\r\n默认DNS服务器:1.1.1.1\r\n"
                                      u"\r\n默认DNS服务器:8.8.8.8\r\n"
                                      u"\r\n默认DNS服务器:9.9.9.9\r\n"
                                      u"\r\n网络状态:启用";

}  // namespace

TEST_F(CaptureDialogsTest, BackupShowsEachAdapterWithTheLastSelected)
{
    CBackupModel backup(*store, *inventory, messages);
    ASSERT_TRUE(backup.Open());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ((std::vector<std::u16string>{u"本地连接-->Intel NIC", u"本地连接 2-->Realtek NIC", u"-->Broadcom NIC"}),
              backup.AdapterLines());
    EXPECT_EQ(2, backup.FirstSelection());
    EXPECT_EQ(u"配置方案9", backup.ProposedName());

    EXPECT_EQ(kManualDetails, backup.Details(0));
    // DHCP hides whatever static values the registry still holds.
    EXPECT_EQ(u"自动获取IP配置\r\n\r\n网络状态:启用", backup.Details(1));
    EXPECT_EQ(u"手动配置获取IP配置\r\n\r\n网络状态:禁用", backup.Details(2));
    EXPECT_EQ(u"", backup.Details(3));
    EXPECT_EQ(u"", backup.Details(-1));
}

TEST_F(CaptureDialogsTest, CurrentIpShowsEveryAdapterInBlocks)
{
    CCurrentIpModel current(*store, *inventory, messages);
    CAdapterList own(fake.Platform());
    const std::u16string line = u"\r\n========================================\r\n";
    EXPECT_EQ(u"本地连接-->Intel NIC"
              u"\r\n默认IP地址:192.168.1.10\r\n"
              u"\r\n默认IP地址:10.0.0.5\r\n"
              u"\r\n子网掩码:255.255.255.0\r\n"
              u"\r\n子网掩码:255.0.0.0\r\n"
              u"\r\n默认网关:192.168.1.1\r\n"
              u"\r\n默认DNS服务器:1.1.1.1\r\n"
              u"\r\n默认DNS服务器:8.8.8.8\r\n"
              u"\r\n默认DNS服务器:9.9.9.9\r\n"
              u"\r\n网络状态:启用" + line +
              u"本地连接 2-->Realtek NIC\r\n自动获取IP配置！\r\n\r\n网络状态:启用" + line +
              u"-->Broadcom NIC\r\n网络状态:禁用" + line,
              current.ReadDetails(own));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(3, own.Count());
}

TEST_F(CaptureDialogsTest, WithoutAdaptersTheDialogsSaySoAndShowNothing)
{
    CFakeNetPlatform bare;  // no adapter class in its registry
    CAdapterList none(bare.Platform());
    ASSERT_EQ(0, none.Refresh());

    // Each box belongs to the dialog that asked.
    char backupWindow = 0, currentWindow = 0;
    CBackupModel backup(*store, none, messages);
    backup.SetOwner(&backupWindow);
    EXPECT_FALSE(backup.Open());
    CCurrentIpModel current(*store, none, messages);
    current.SetOwner(&currentWindow);
    CAdapterList own(bare.Platform());
    EXPECT_EQ(u"", current.ReadDetails(own));
    ASSERT_EQ(2u, messages.shown.size());
    EXPECT_EQ(u"载入对话框错误！", messages.shown[0].text);
    EXPECT_EQ(&backupWindow, messages.shown[0].owner);
    EXPECT_EQ(u"载入网卡信息有误！", messages.shown[1].text);
    EXPECT_EQ(&currentWindow, messages.shown[1].owner);
    for (const auto& box : messages.shown) {
        EXPECT_EQ(u"Lanvoy", box.caption);
        EXPECT_EQ(static_cast<std::uint32_t>(kMbOk), box.style);
    }
}

TEST_F(CaptureDialogsTest, BackupSavesTheSelectedAdapterOrAllOfThem)
{
    CBackupModel backup(*store, *inventory, messages);
    ASSERT_TRUE(backup.Open());
    EXPECT_TRUE(backup.Save(u"一块", 1, false));
    EXPECT_TRUE(backup.Save(u"全部", 1, true));
    // The same name again: names are not checked for repeats.
    EXPECT_TRUE(backup.Save(u"一块", 0, false));
    const auto& profiles = Stored();
    ASSERT_EQ(3u, profiles.size());
    EXPECT_EQ(u"一块", profiles[0]->name);
    EXPECT_EQ((std::vector<std::u16string>{u"{B}"}), Guids(*profiles[0]));
    EXPECT_EQ(kModeDhcp, profiles[0]->connections[0]->mode);
    EXPECT_EQ(u"全部", profiles[1]->name);
    EXPECT_EQ((std::vector<std::u16string>{u"{A}", u"{B}", u""}), Guids(*profiles[1]));
    EXPECT_EQ((std::vector<std::u16string>{u"{A}"}), Guids(*profiles[2]));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CaptureDialogsTest, BackupWithoutASelectionSavesNothing)
{
    // An adapter box without a selection answers -1; that must not mean "all".
    CBackupModel backup(*store, *inventory, messages);
    EXPECT_FALSE(backup.Save(u"无", -1, false));
    EXPECT_FALSE(backup.Save(u"无", 3, false));
    EXPECT_TRUE(Stored().empty());
    ASSERT_EQ(2u, messages.shown.size());
    EXPECT_EQ(u"保存当前IP配置失败!", messages.shown[0].text);
    EXPECT_EQ(static_cast<std::uint32_t>(kMbIconStop), messages.shown[0].style);
}

TEST_F(CaptureDialogsTest, ASaveTheDocumentCannotTakeIsReportedNotConfirmed)
{
    // A configuration without CONFIG takes no profile: the dialogs must not
    // close as if it had been saved.
    files.files[kCfg] = Lines({kDeclaration, "<LANVOY>", R"(<SYSCONFIG VERSION="2.0" />)", "</LANVOY>"});
    CProfileStore broken(StoreEnvironment{u"C:\\Lanvoy\\lanvoy.exe", files, storeRegistry, startupTask, clock});
    broken.Load();
    CBackupModel backup(broken, *inventory, messages);
    CCurrentIpModel current(broken, *inventory, messages);
    EXPECT_FALSE(backup.Save(u"甲", 0, false));
    EXPECT_FALSE(backup.Save(u"甲", 0, true));
    EXPECT_FALSE(current.Save(u"乙"));
    ASSERT_EQ(3u, messages.shown.size());
    for (const auto& box : messages.shown)
        EXPECT_EQ(u"保存当前IP配置失败!", box.text);
}

TEST_F(CaptureDialogsTest, CurrentIpSavesTheMainInventoryAsLastRefreshed)
{
    CCurrentIpModel current(*store, *inventory, messages);
    // Changed outside the program after the main window's last refresh.
    fake.registry.PutMulti(kTcpIpPath + u"{A}", u"IPAddress", {u"172.16.0.9"});
    CAdapterList own(fake.Platform());
    EXPECT_NE(std::u16string::npos, current.ReadDetails(own).find(u"默认IP地址:172.16.0.9"));

    EXPECT_TRUE(current.Save(u"当前"));
    const auto& profiles = Stored();
    ASSERT_EQ(1u, profiles.size());
    EXPECT_EQ((std::vector<std::u16string>{u"{A}", u"{B}", u""}), Guids(*profiles[0]));
    EXPECT_EQ(u"192.168.1.10", profiles[0]->connections[0]->ipAddress);
}
