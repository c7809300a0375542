#include "ui/MainCommands.h"

#include "EngineFixture.h"
#include "support/FakeMessageBox.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kLog = u"system.log";
const std::u16string kSeparator = u"\r\n" + std::u16string(80, u'=') + u"\r\n";
char mainWindow;  // stands in for the window's handle
const WindowHandle kMainWindow = &mainWindow;

// The entries of a log, without their time stamps.
std::vector<std::u16string> Entries(const std::string& bytes)
{
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    std::vector<std::u16string> entries;
    for (std::size_t at = 0, end; (end = text.find(kSeparator, at)) != std::u16string::npos;
         at = end + kSeparator.size())
        entries.push_back(text.substr(at + 17, end - at - 17));
    return entries;
}

class CRecordedBusy : public IBusyIndicator {
public:
    explicit CRecordedBusy(CFakeMessageBox& messages) : messages(messages) {}
    void Begin() override { steps.push_back("begin after " + std::to_string(messages.shown.size())); }
    void End() override { steps.push_back("end after " + std::to_string(messages.shown.size())); }
    CFakeMessageBox& messages;
    std::vector<std::string> steps;
};

class MainCommandsTest : public EngineTest {
protected:
    // Three profiles: P1 and P3 set the Intel adapter by hand, P2 names no
    // adapter of this machine.
    void SetUp() override
    {
        EngineTest::SetUp();
        Open(Profile("1", {Entry("{A}", "0", "10.1.2.5", "255.0.0.0", "10.1.2.1", {"1.2.4.8"})}) + "\r\n" +
             Profile("2", {Entry("{Z}", "0", "10.9.9.9", "255.0.0.0")}) + "\r\n" +
             Profile("3", {Entry("{A}", "1", "", "")}));
    }

    void Open(const std::string& profiles, bool logFlag = true)
    {
        files.files[kCfg] = Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="9" VERSION="2.0">)", profiles,
                                   "</CONFIG>", R"(<SYSCONFIG VERSION="2.0">)",
                                   logFlag ? "<LOGFLAG>TRUE</LOGFLAG>" : "<LOGFLAG>FALSE</LOGFLAG>",
                                   "</SYSCONFIG>", "</LANVOY>"});
        store = std::make_unique<CProfileStore>(StoreEnvironment{u"C:\\Lanvoy\\lanvoy.exe", files, storeRegistry, startupTask, clock});
        adapters = std::make_unique<CAdapterList>(fake.Platform());
        applier = std::make_unique<CProfileApplier>(*store, fake.Platform());
        commands = std::make_unique<CMainCommands>(*store, *adapters, *applier, changer, messages, log, files);
        commands->SetOwner(kMainWindow);
        commands->LoadAtStart();
        commands->RefreshRows();
    }

    std::vector<std::u16string> Names()
    {
        std::vector<std::u16string> names;
        for (const ProfileRow& row : commands->RefreshRows())
            names.push_back(row.name);
        return names;
    }
    std::vector<std::u16string> Logged() { return Entries(files.files[kLog]); }
    // The texts and styles shown since the last call.
    std::vector<std::pair<std::u16string, std::uint32_t>> Shown()
    {
        std::vector<std::pair<std::u16string, std::uint32_t>> shown;
        for (const auto& box : messages.shown) {
            EXPECT_EQ(u"Lanvoy", box.caption);
            EXPECT_EQ(kMainWindow, box.owner);
            shown.emplace_back(box.text, box.style);
        }
        messages.shown.clear();
        return shown;
    }
    using Boxes = std::vector<std::pair<std::u16string, std::uint32_t>>;

    COperationLog log{files, clock, u"system.log", u"debug.log"};
    std::unique_ptr<CAdapterList> adapters;
    std::unique_ptr<CProfileApplier> applier;
    CFakeMessageBox messages;
    CDirectAdapterChanger changer{fake.Platform()};
    std::unique_ptr<CMainCommands> commands;
};

TEST_F(MainCommandsTest, RowsFollowTheStoreInOrderWithNumbersAndTips)
{
    const auto& rows = commands->Rows();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(u"1", rows[0].number);
    EXPECT_EQ(u"P1", rows[0].name);
    EXPECT_EQ(u"2", rows[1].id);
    EXPECT_EQ(u"3", rows[2].number);
    EXPECT_FALSE(rows[0].summary.empty());
    EXPECT_EQ(static_cast<int>(std::max({rows[0].summary.size(), rows[1].summary.size(), rows[2].summary.size()})),
              commands->MaxTipLength());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MainCommandsTest, TheListShowsTheRowsColumnsAndTipAndNothingPastThem)
{
    const auto& rows = commands->Rows();
    EXPECT_EQ(u"", RowCellText(rows, 0, 0));  // the picture's column
    EXPECT_EQ(u"1", RowCellText(rows, 0, 1));
    EXPECT_EQ(u"P2", RowCellText(rows, 1, 2));
    EXPECT_EQ(rows[2].dateTime, RowCellText(rows, 2, 3));
    EXPECT_EQ(rows[1].summary, RowTipText(rows, 1));
    // A row asked for while the list still counts a deleted one.
    for (int row : {-1, 3}) {
        EXPECT_EQ(u"", RowCellText(rows, row, 2));
        EXPECT_EQ(u"", RowTipText(rows, row));
    }
}

TEST_F(MainCommandsTest, TipLengthIsCappedAt800)
{
    std::string many;
    for (int i = 0; i < 40; ++i)
        many += Entry("{A}", "0", "10.1.2." + std::to_string(i + 1), "255.0.0.0", "10.1.2.254");
    Open(Profile("1", {many}));
    ASSERT_GT(commands->Rows()[0].summary.size(), 800u);
    EXPECT_EQ(800, commands->MaxTipLength());
}

TEST_F(MainCommandsTest, ApplyShowsTheWaitThenTheResultAndLogsIt)
{
    CRecordedBusy busy(messages);
    EXPECT_TRUE(commands->ApplyRow(0, busy));
    EXPECT_EQ((std::vector<std::string>{"begin after 0", "end after 0"}), busy.steps);
    EXPECT_EQ((Boxes{{u"应用网络配置[P1]成功!", kMbIconInformation}}), Shown());
    EXPECT_EQ(u"10.1.2.5", Text(u"{A}", u"IPAddress"));
    EXPECT_EQ(std::vector<std::u16string>{u"应用网络配置[P1]成功!"}, Logged());

    // A profile for adapters this machine lacks fails as a whole.
    busy.steps.clear();
    EXPECT_FALSE(commands->ApplyRow(1, busy));
    EXPECT_EQ((std::vector<std::string>{"begin after 0", "end after 0"}), busy.steps);
    EXPECT_EQ((Boxes{{u"网络连接失败!请检查是否网线是否已连接!", kMbIconStop}}), Shown());
    EXPECT_EQ(u"网络连接失败!请检查是否网线是否已连接!", Logged().back());
}

TEST_F(MainCommandsTest, AnApplyStoppedByABadAddressSaysWhyDuringTheWaitThenThatItFailed)
{
    Open(Profile("1", {Entry("{A}", "0", "0.0.0.0", "255.0.0.0")}));
    messages.shown.clear();
    CRecordedBusy busy(messages);
    EXPECT_FALSE(commands->ApplyRow(0, busy));
    EXPECT_EQ((std::vector<std::string>{"begin after 0", "end after 1"}), busy.steps);
    ASSERT_EQ(2u, messages.shown.size());
    EXPECT_EQ(u"网络配置【Net {A}】中存在非法IP地址!0.0.0.0", messages.shown[0].text);
    EXPECT_EQ(kMbOk | kMbIconStop, messages.shown[0].style);
    EXPECT_EQ(u"网络连接失败!请检查是否网线是否已连接!", messages.shown[1].text);
}

TEST_F(MainCommandsTest, CommandsWithoutAMarkedRowOnlySaySo)
{
    CRecordedBusy busy(messages);
    const std::string before = files.files[kCfg];
    for (int row : {-1, 3}) {
        EXPECT_FALSE(commands->ApplyRow(row, busy));
        EXPECT_FALSE(commands->DeleteRow(row).refresh);
        EXPECT_FALSE(commands->CopyRow(row).refresh);
        EXPECT_FALSE(commands->NeedsRow(row));
    }
    EXPECT_TRUE(busy.steps.empty());
    EXPECT_EQ(Boxes(8, {u"没有选中任何配置!", kMbIconExclamation}), Shown());
    EXPECT_EQ(before, files.files[kCfg]);
    EXPECT_EQ(0u, files.files.count(kLog));
}

TEST_F(MainCommandsTest, DeleteAskedFirstThenSavedReloadedLoggedAndTheRowAboveMarked)
{
    messages.answer = kIdNo;
    EXPECT_FALSE(commands->DeleteRow(1).refresh);
    EXPECT_EQ((Boxes{{u"确认要删除配置[P2]吗？", kMbYesNo | kMbIconQuestion}}), Shown());
    EXPECT_EQ(3u, store->Profiles().size());

    messages.answer = kIdYes;
    ListChange change = commands->DeleteRow(1);
    EXPECT_TRUE(change.refresh);
    EXPECT_EQ(0, change.mark);
    EXPECT_EQ((std::vector<std::u16string>{u"P1", u"P3"}), Names());
    EXPECT_EQ(std::string::npos, files.files[kCfg].find("\"P2\""));  // saved
    EXPECT_EQ((std::vector<std::u16string>{u"建立一个新配置文件,备份配置文件成功!", u"删除配置文件[P2]!"}), Logged());
    EXPECT_EQ(1u, Shown().size());  // only the question: no "保存成功!" after a delete

    EXPECT_EQ(0, commands->DeleteRow(0).mark);  // the first row: row 0 while rows are left
    Names();
    EXPECT_EQ(-1, commands->DeleteRow(0).mark);  // the last one: no row
    EXPECT_TRUE(Names().empty());
}

TEST_F(MainCommandsTest, AFailedSaveIsReportedAndNeitherReloadsNorLogs)
{
    files.readOnly.insert(kCfg);
    files.readOnly.insert(u"C:\\Lanvoy\\lanvoy.cfg.tmp");
    messages.answer = kIdYes;
    ListChange change = commands->DeleteRow(2);
    EXPECT_TRUE(change.refresh);
    EXPECT_EQ((Boxes{{u"确认要删除配置[P3]吗？", kMbYesNo | kMbIconQuestion}, {u"保存配置文件失败!", kMbIconStop}}),
              Shown());
    // The list shows what the file holds.
    EXPECT_EQ((std::vector<std::u16string>{u"P1", u"P2", u"P3"}), Names());
    EXPECT_EQ(0u, files.files.count(kLog));
    EXPECT_EQ(0, commands->CommitChanges(CommitKind::NewProfile));
}

TEST_F(MainCommandsTest, OnlyNewEditedAndCapturedProfilesAreConfirmed)
{
    for (CommitKind kind : {CommitKind::NewProfile, CommitKind::Edited, CommitKind::Captured})
        EXPECT_EQ(1, commands->CommitChanges(kind));
    for (CommitKind kind : {CommitKind::Deleted, CommitKind::Copied, CommitKind::Repaired})
        EXPECT_EQ(1, commands->CommitChanges(kind));
    EXPECT_EQ(Boxes(3, {u"保存成功!", kMbIconInformation}), Shown());
    EXPECT_EQ(std::vector<std::u16string>(6, u"建立一个新配置文件,备份配置文件成功!"), Logged());
}

TEST_F(MainCommandsTest, CopyAddsTheCopyLastAndClearsTheMark)
{
    ListChange change = commands->CopyRow(0);
    EXPECT_TRUE(change.refresh);
    EXPECT_EQ(-1, change.mark);
    EXPECT_EQ((std::vector<std::u16string>{u"P1", u"P2", u"P3", u"复制-P1"}), Names());
    EXPECT_NE(std::string::npos, files.files[kCfg].find(U8(u"复制-P1")));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MainCommandsTest, RepairDropsStaleEntriesSavesAndKeepsTheMark)
{
    ListChange change = commands->Repair();
    EXPECT_TRUE(change.refresh);
    EXPECT_FALSE(change.mark.has_value());
    EXPECT_EQ((Boxes{{u"修复配置文件成功", kMbOk}}), Shown());
    EXPECT_EQ(std::string::npos, files.files[kCfg].find("{Z}"));

    // A file without its root elements is not repaired and nothing is said.
    files.files[kCfg] = "<OTHER/>";
    store->Load();
    files.files[kCfg] = "<OTHER/>";
    EXPECT_FALSE(commands->Repair().refresh);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MainCommandsTest, ImportAddsTheOldProfilesAttachedToThisMachineOrSaysTheFileIsWrong)
{
    const std::string before = files.files[kCfg];
    files.files[u"C:\\old.xml"] = "<NETSETING NAME=\"x\"/>";
    EXPECT_FALSE(commands->Import(u"C:\\old.xml").refresh);
    EXPECT_FALSE(commands->Import(u"C:\\missing.xml").refresh);
    EXPECT_EQ(Boxes(2, {u"导入配置文件格式错误!", kMbIconExclamation}), Shown());
    EXPECT_EQ(before, files.files[kCfg]);

    files.files[u"C:\\old.xml"] =
        "<CONFIG><NETSETING NAME=\"Old\" ID=\"1\"><CONNECTION NAME=\"本地连接\" GUID=\"{OLD}\" "
        "NETCARD=\"Intel NIC\" MACCODE=\"\" TYPE=\"1\"/></NETSETING></CONFIG>";
    ListChange change = commands->Import(u"C:\\old.xml");
    EXPECT_TRUE(change.refresh);
    EXPECT_FALSE(change.mark.has_value());
    EXPECT_EQ(u"Old", Names().back());
    // Repaired: the entry now names this machine's adapter.
    EXPECT_NE(std::string::npos, files.files[kCfg].find("GUID=\"{A}\""));
    EXPECT_EQ(std::string::npos, files.files[kCfg].find("{OLD}"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MainCommandsTest, ProfilesStoredByADialogAreSavedAndShownWithNoRowMarked)
{
    ASSERT_EQ(1, store->AddProfile(u"新", {adapters->At(0)}));
    ListChange change = commands->AfterDialogSaved(CommitKind::Captured);
    EXPECT_TRUE(change.refresh);
    EXPECT_EQ(-1, change.mark);
    EXPECT_NE(std::string::npos, files.files[kCfg].find(U8(u"新")));
    EXPECT_EQ((Boxes{{u"保存成功!", kMbIconInformation}}), Shown());
}

TEST_F(MainCommandsTest, TheSettingsCopyIsTheDocumentAsItStandsOrAFailureSaid)
{
    store->autoUpdate = 1;
    store->WriteSystemSettings();
    ASSERT_TRUE(commands->WriteSettingsCopy(u"C:\\Lanvoy\\config.xml"));
    const std::string& copy = files.files[u"C:\\Lanvoy\\config.xml"];
    EXPECT_EQ(U8(store->Document().DocText()), copy);
    EXPECT_NE(std::string::npos, copy.find("<AUTOUPDATE>TRUE</AUTOUPDATE>"));
    EXPECT_TRUE(Shown().empty());

    files.readOnly.insert(u"C:\\Lanvoy\\config.xml");
    EXPECT_FALSE(commands->WriteSettingsCopy(u"C:\\Lanvoy\\config.xml"));
    EXPECT_EQ((Boxes{{u"保存配置文件失败!", kMbIconStop}}), Shown());
}

// A machine without Ethernet adapters and without a configuration yet.
class MainStartupTest : public MainCommandsTest {
protected:
    void SetUp() override {}
};

TEST_F(MainStartupTest, AMissingFileAndAMachineWithoutAdaptersAreBothReported)
{
    Open("");
    files.files.erase(kCfg);
    commands->LoadAtStart();
    // The inventory counts what it found, so an empty one reads as nothing found.
    EXPECT_EQ((Boxes{{u"载入网卡信息有误！", kMbOk}, {u"打开配置系统配置文件错误！", kMbOk},
                     {u"载入网卡信息有误！", kMbOk}}),
              Shown());
    // The default document took the missing file's place.
    EXPECT_NE(std::string::npos, files.files[kCfg].find("<CONFIG LASTID=\"0\""));
    EXPECT_TRUE(commands->RefreshRows().empty());
}

TEST_F(MainCommandsTest, TrayAdapterItemsSwitchTheAdapterAndSayHowItWent)
{
    commands->SwitchAdapter(2045);  // disable adapter 0
    commands->SwitchAdapter(2026);  // enable adapter 1
    ASSERT_EQ(2u, fake.devices.changes.size());
    EXPECT_EQ(u"Intel NIC", fake.devices.changes[0].description);
    EXPECT_EQ(IDeviceInstaller::kStateDisable, fake.devices.changes[0].stateChange);
    EXPECT_EQ(IDeviceInstaller::kStateEnable, fake.devices.changes[1].stateChange);
    commands->SwitchAdapter(2027);  // no third adapter: nothing at all
    fake.devices.installerRefuses = true;
    commands->SwitchAdapter(2025);
    EXPECT_EQ((Boxes{{u"禁用网络成功！", kMbOk}, {u"启用网络成功！", kMbOk}, {u"启用网络失败！", kMbOk}}), Shown());
    EXPECT_EQ(0u, files.files.count(kLog));
}

TEST_F(MainCommandsTest, WhatTheInventoryCouldNotReadIsSaidBeforeTheOutcome)
{
    // A third adapter without its connection key.
    fake.registry.PutText(kClassPath + u"0002\\Ndi\\Interfaces", u"LowerRange", u"ethernet");
    fake.registry.PutText(kClassPath + u"0002", u"DriverDesc", u"Broadcom NIC");
    fake.registry.PutText(kClassPath + u"0002", u"NetCfgInstanceID", u"{C}");
    const std::pair<std::u16string, std::uint32_t> unread{SystemErrorText(2), kMbOk};
    CRecordedBusy busy(messages);
    EXPECT_TRUE(commands->ApplyRow(0, busy));
    // The apply's change, then the window's own inventory read afresh, over the wait.
    EXPECT_EQ((std::vector<std::string>{"begin after 0", "end after 2"}), busy.steps);
    EXPECT_EQ((Boxes{unread, unread, {u"应用网络配置[P1]成功!", kMbIconInformation}}), Shown());
    commands->SwitchAdapter(2045);
    EXPECT_EQ((Boxes{unread, {u"禁用网络成功！", kMbOk}}), Shown());
}

TEST_F(MainCommandsTest, StartupFactsGoToTheDebugLogOnlyWithItsSwitch)
{
    commands->WriteStartupFacts(OsVersion{6, 1, 2}, ServiceState{});
    EXPECT_EQ(0u, files.files.count(u"debug.log"));
    commands->debug = true;
    commands->WriteStartupFacts(OsVersion{6, 1, 2}, ServiceState{});
    commands->WriteStartupFacts(OsVersion{6, 1, 2}, ServiceState{true, u"2.3.0", 17});
    std::string bytes = files.files[u"debug.log"];
    std::vector<std::u16string> entries = Entries(bytes);
    EXPECT_EQ((std::vector<std::u16string>{u"\r\n2", u"\r\n6", u"\r\n1", u"\r\n服务：无应答", u"\r\n2", u"\r\n6",
                                           u"\r\n1", u"\r\n服务：已应答，版本 2.3.0，已处理请求 17"}),
              entries);
}

TEST(ChangeRouteTest, TheServiceWhenItAnswersElseDirectOnlyWithTheRights)
{
    const ServiceState answered{true, u"2.3.0", 0};
    EXPECT_EQ(ChangeRoute::Service, ChooseChangeRoute(answered, false));
    EXPECT_EQ(ChangeRoute::Service, ChooseChangeRoute(answered, true));
    EXPECT_EQ(ChangeRoute::Direct, ChooseChangeRoute(ServiceState{}, true));
    EXPECT_EQ(ChangeRoute::Elevate, ChooseChangeRoute(ServiceState{}, false));
}

}  // namespace
