// The profile editor opened from the main window: a new profile typed in,
// the name checks, an edit, and the properties view that only applies.

#include "Scenario.h"
#include "resource.h"

#include <algorithm>

namespace e2e {
namespace {

const std::wstring kNameTaken = L"配置名已存在，是否重新输入配置名？[确定]重新输入\n[取消]不修改";

// A stored entry as the editor wrote it.
struct Stored {
    std::wstring connection;
    int enabled, mode;
    std::wstring ip, mask, gateway, dns1, dns2;
    bool operator==(const Stored&) const = default;
};
void PrintTo(const Stored& entry, std::ostream* out)
{
    *out << "{" << U8(entry.connection) << ", enabled " << entry.enabled << ", mode " << entry.mode << ", "
         << U8(entry.ip) << ", " << U8(entry.mask) << ", " << U8(entry.gateway) << ", " << U8(entry.dns1) << ", "
         << U8(entry.dns2) << "}";
}
std::vector<Stored> EntriesOf(const ProfileSpec& profile)
{
    std::vector<Stored> entries;
    for (const AdapterRecord& r : profile.entries)
        entries.push_back({WideOf(r.connectionName), r.enabled, r.mode, WideOf(r.ipAddress), WideOf(r.subnetMask),
                           WideOf(r.gateway), WideOf(r.dns1), WideOf(r.dns2)});
    return entries;
}

// What the page of the selected tab shows.
struct Page {
    int radio;  // the checked mode button
    std::wstring ip, mask, gateway, dns1, dns2;
    bool operator==(const Page&) const = default;
};
void PrintTo(const Page& page, std::ostream* out)
{
    *out << "{radio " << page.radio << ", " << U8(page.ip) << ", " << U8(page.mask) << ", " << U8(page.gateway)
         << ", " << U8(page.dns1) << ", " << U8(page.dns2) << "}";
}

class EditorTest : public Scenario {
protected:
    // Starts on the three profiles, with the DNS providers in the file.
    HWND Start()
    {
        folder.WriteDistributedConfig(ThreeProfiles());
        program = &folder.Start();
        HWND main = WaitMainWindow(*program);
        WaitVisible(main, true);
        return main;
    }

    HWND OpenEditor(HWND main, int command)
    {
        Command(main, command);
        return WaitDialog(*program, kEditorCaption);
    }

    Page Shown(HWND editor)
    {
        int radio = 0;
        for (int id : {IDC_PROFILE_MODE_NONE, IDC_PROFILE_MODE_DHCP, IDC_PROFILE_MODE_MANUAL})
            if (Checked(editor, id))
                radio = id;
        return {radio,
                Address(editor, IDC_PROFILE_IP),
                Address(editor, IDC_PROFILE_MASK),
                Address(editor, IDC_PROFILE_GATEWAY),
                Address(editor, IDC_PROFILE_DNS1),
                Address(editor, IDC_PROFILE_DNS2)};
    }

    // Presses "保存" and expects the editor to close with the save confirmed.
    ::testing::AssertionResult SaveAndClose(HWND editor)
    {
        Click(editor, IDOK);
        ::testing::AssertionResult saved = Box(*program, L"保存成功!");
        WaitClosed(editor);
        return saved;
    }

    ProfileSpec ProfileNamed(const std::wstring& name) const
    {
        for (const ProfileSpec& profile : folder.ConfigProfiles())
            if (WideOf(profile.name) == name)
                return profile;
        throw CDriverError(L"lanvoy.cfg holds no profile named " + name);
    }
};

TEST_F(EditorTest, NewProfileTypedInIsSaved)
{
    HWND main = Start();
    HWND editor = OpenEditor(main, ID_PROFILE_NEW);
    EXPECT_EQ(U8({L"本地连接", L"本地连接 2", L"实验室网络"}), U8(TabLabels(editor, IDC_PROFILE_TABS)));
    EXPECT_EQ(U8(L"配置方案3"), U8(ItemText(editor, IDC_PROFILE_NAME)));
    EXPECT_EQ(U8(L"保存"), U8(ItemText(editor, IDOK)));
    // The first provider is selected without filling the DNS fields.
    std::vector<std::wstring> providers = ComboItems(editor, IDC_PROFILE_DNS_LIST);
    EXPECT_EQ(U8(providers.at(0)), U8(ComboSelection(editor, IDC_PROFILE_DNS_LIST)));
    std::sort(providers.begin(), providers.end());
    EXPECT_EQ(U8({L"114DNS", L"CNNIC", L"Cloudflare", L"Quad9", L"百度DNS", L"腾讯DNSPod", L"谷歌DNS", L"阿里DNS"}),
              U8(providers));
    EXPECT_EQ((Page{IDC_PROFILE_MODE_MANUAL, L"192.168.1.100", L"255.255.255.0",
                    L"192.168.1.1", L"192.168.1.1", L"8.8.8.8"}),
              Shown(editor));

    SetItemText(editor, IDC_PROFILE_NAME, L"新办公室");
    TypeAddress(editor, IDC_PROFILE_IP, L"10.1.2.5");
    WaitFor(L"the gateway to follow the address", [&] { return Address(editor, IDC_PROFILE_GATEWAY) == L"10.1.2.1"; });
    PickInCombo(editor, IDC_PROFILE_DNS_LIST, L"114DNS");
    WaitFor(L"the provider's servers", [&] { return Address(editor, IDC_PROFILE_DNS2) == L"114.114.115.115"; });
    EXPECT_EQ((Page{IDC_PROFILE_MODE_MANUAL, L"10.1.2.5", L"255.255.255.0",
                    L"10.1.2.1", L"114.114.114.114", L"114.114.115.115"}),
              Shown(editor));

    // The third adapter goes over to DHCP with its DNS servers obtained too.
    ClickTab(editor, IDC_PROFILE_TABS, 2);
    EXPECT_EQ((Page{IDC_PROFILE_MODE_MANUAL, L"10.0.2.15", L"255.255.255.0", L"", L"10.0.2.3", L""}), Shown(editor));
    Click(editor, IDC_PROFILE_MODE_DHCP);
    WaitFor(L"the IP group to be disabled", [&] { return !ItemEnabled(editor, IDC_PROFILE_IP); });
    // The editor enables the choice after it disables the IP group: the
    // driver may look in between.
    WaitFor(L"the obtained-DNS choice to be enabled", [&] { return ItemEnabled(editor, IDC_PROFILE_DNS_AUTO); });
    Click(editor, IDC_PROFILE_DNS_AUTO);
    WaitFor(L"the DNS fields to be cleared", [&] { return Address(editor, IDC_PROFILE_DNS1).empty(); });
    EXPECT_FALSE(ItemEnabled(editor, IDC_PROFILE_DNS1));
    SaveScreenshot(L"editor-new", editor);

    // Back on the first tab, what was typed is still there.
    ClickTab(editor, IDC_PROFILE_TABS, 0);
    EXPECT_EQ((Page{IDC_PROFILE_MODE_MANUAL, L"10.1.2.5", L"255.255.255.0",
                    L"10.1.2.1", L"114.114.114.114", L"114.114.115.115"}),
              Shown(editor));

    EXPECT_TRUE(SaveAndClose(editor));
    WaitFor(L"a fourth row", [&] { return RowCount(main) == 4; });
    EXPECT_EQ(U8(L"新办公室"), U8(CellText(main, 3, 2)));
    // The second adapter's tab was never shown: it is stored as the inventory had it.
    EXPECT_EQ((std::vector<Stored>{
                  {L"本地连接", 1, kModeManual, L"10.1.2.5", L"255.255.255.0", L"10.1.2.1", L"114.114.114.114",
                   L"114.114.115.115"},
                  {L"本地连接 2", 1, kModeDhcp, L"0.0.0.0", L"0.0.0.0", L"", L"", L""},
                  {L"实验室网络", 1, kModeDhcp, L"10.0.2.15", L"255.255.255.0", L"", L"", L""},
              }),
              EntriesOf(ProfileNamed(L"新办公室")));
    EXPECT_EQ(U8(L""), U8(MarkedName(*program, main)));
    EXPECT_EQ(U8({kSaved}), SystemLog());
}

TEST_F(EditorTest, NameIsCheckedAndATakenOneIsKeptOnlyWhenTheUserSaysSo)
{
    HWND main = Start();
    const std::string before = folder.Bytes(L"lanvoy.cfg");
    HWND editor = OpenEditor(main, ID_PROFILE_NEW);
    SetItemText(editor, IDC_PROFILE_NAME, L"");
    Click(editor, IDOK);
    EXPECT_TRUE(Box(*program, L"配置名无效，请重新输入配置名!"));
    SetItemText(editor, IDC_PROFILE_NAME, L"家里");
    Click(editor, IDOK);
    EXPECT_TRUE(Box(*program, kNameTaken, IDOK));
    EXPECT_TRUE(IsWindowVisible(editor)) << "OK in the question must return to the editor";
    EXPECT_EQ(before, folder.Bytes(L"lanvoy.cfg"));

    Click(editor, IDOK);
    EXPECT_TRUE(Box(*program, kNameTaken, IDCANCEL));
    EXPECT_TRUE(Box(*program, L"保存成功!"));
    WaitClosed(editor);
    WaitFor(L"a fourth row", [&] { return RowCount(main) == 4; });
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场", L"家里"}), U8(folder.ConfigNames()));
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场", L"家里"}), U8(Names(main)));

    // Cancel stores nothing.
    const std::string after = folder.Bytes(L"lanvoy.cfg");
    editor = OpenEditor(main, ID_PROFILE_NEW);
    SetItemText(editor, IDC_PROFILE_NAME, L"不要的");
    Click(editor, IDCANCEL);
    WaitClosed(editor);
    EXPECT_TRUE(NoMessageBoxFor(*program, 500ms));
    EXPECT_EQ(after, folder.Bytes(L"lanvoy.cfg"));
    EXPECT_EQ(U8({kSaved}), SystemLog());
}

TEST_F(EditorTest, EditChangesTheModesAndTheNameOfAStoredProfile)
{
    HWND main = Start();
    const std::vector<ProfileSpec> before = folder.ConfigProfiles();
    ClickRow(main, 2);
    HWND editor = OpenEditor(main, ID_PROFILE_EDIT);
    EXPECT_EQ(U8({L"本地连接", L"本地连接 2"}), U8(TabLabels(editor, IDC_PROFILE_TABS)));
    EXPECT_EQ(U8(L"客户现场"), U8(ItemText(editor, IDC_PROFILE_NAME)));
    EXPECT_EQ((Page{IDC_PROFILE_MODE_MANUAL, L"10.1.2.3", L"255.255.255.0",
                    L"10.1.2.1", L"10.1.2.53", L""}), Shown(editor));

    // The first adapter is left alone from now on; its addresses stay stored.
    Click(editor, IDC_PROFILE_MODE_NONE);
    WaitFor(L"the IP group to be disabled", [&] { return !ItemEnabled(editor, IDC_PROFILE_IP); });
    // The second one, on DHCP without DNS servers, gets a manual address.
    ClickTab(editor, IDC_PROFILE_TABS, 1);
    EXPECT_EQ((Page{IDC_PROFILE_MODE_DHCP, L"", L"", L"", L"", L""}), Shown(editor));
    EXPECT_TRUE(Checked(editor, IDC_PROFILE_DNS_AUTO));
    Click(editor, IDC_PROFILE_MODE_MANUAL);
    WaitFor(L"the IP group to be enabled", [&] { return ItemEnabled(editor, IDC_PROFILE_IP); });
    TypeAddress(editor, IDC_PROFILE_IP, L"172.16.10.9");
    WaitFor(L"the gateway to follow the address",
            [&] { return Address(editor, IDC_PROFILE_GATEWAY) == L"172.16.10.1"; });
    SetItemText(editor, IDC_PROFILE_NAME, L"客户现场二");
    SaveScreenshot(L"editor-edit", editor);

    EXPECT_TRUE(SaveAndClose(editor));
    WaitFor(L"the new name in the list", [&] { return CellText(main, 2, 2) == L"客户现场二"; });
    EXPECT_EQ(3, RowCount(main));
    const std::vector<ProfileSpec> after = folder.ConfigProfiles();
    ASSERT_EQ(3u, after.size());
    EXPECT_EQ(U8(L"客户现场二"), U8(WideOf(after[2].name)));
    EXPECT_EQ((std::vector<Stored>{
                  {L"本地连接", 1, kModeLeaveAlone, L"10.1.2.3", L"255.255.255.0", L"10.1.2.1", L"10.1.2.53", L""},
                  {L"本地连接 2", 1, kModeManual, L"172.16.10.9", L"255.255.255.0", L"172.16.10.1", L"", L""},
              }),
              EntriesOf(after[2]));
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(EntriesOf(before[i]), EntriesOf(after[i])) << "profile " << i + 1 << " changed";
    EXPECT_EQ(U8(L""), U8(MarkedName(*program, main)));
}

TEST_F(EditorTest, PropertiesApplyTheStoredProfileAndStoreNothing)
{
    HWND main = Start();
    const std::string before = folder.Bytes(L"lanvoy.cfg");
    ClickRow(main, 0);
    HWND editor = OpenEditor(main, ID_PROFILE_PROPERTIES);
    EXPECT_EQ(U8(L"启用"), U8(ItemText(editor, IDOK)));
    EXPECT_EQ(U8({L"实验室网络"}), U8(TabLabels(editor, IDC_PROFILE_TABS)));
    EXPECT_EQ((Page{IDC_PROFILE_MODE_MANUAL, L"172.16.5.20", L"255.255.0.0",
                    L"172.16.0.1", L"172.16.0.53", L"8.8.8.8"}),
              Shown(editor));
    // What is changed here is neither stored nor applied.
    TypeAddress(editor, IDC_PROFILE_IP, L"10.9.9.9");
    SetItemText(editor, IDC_PROFILE_NAME, L"改过的");
    SaveScreenshot(L"editor-properties", editor);

    Click(editor, IDOK);
    EXPECT_TRUE(Box(*program, L"应用网络配置[办公室]成功!"));
    WaitClosed(editor);
    EXPECT_EQ(before, folder.Bytes(L"lanvoy.cfg"));
    EXPECT_EQ(U8(L"172.16.5.20"), U8(TcpIpText(kLab, L"IPAddress")));
    EXPECT_EQ(U8(L"172.16.0.1"), U8(TcpIpText(kLab, L"DefaultGateway")));
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场"}), U8(Names(main)));
    WaitFor(L"system.log", [&] { return folder.Has(L"system.log"); });
    EXPECT_EQ(U8({L"应用网络配置[办公室]成功!"}), SystemLog());
}

}  // namespace
}  // namespace e2e
