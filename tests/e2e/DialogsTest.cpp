// The backup, current-IP, settings and About dialogs opened from the main
// window, worked through their controls, and what they leave in the
// configuration file, the list and the registry.

#include "Scenario.h"
#include "platform/WideText.h"
#include "platform/Win32StartupTask.h"
#include "resource.h"
#include "support/Win32TaskScheduler.h"

namespace e2e {
namespace {

// The demo machine's adapters as the dialogs list them, in inventory order.
const std::wstring kOfficeLine = L"本地连接-->Intel(R) PRO/1000 MT Network Connection";
const std::wstring kHomeLine = L"本地连接 2-->Realtek PCIe GBE Family Controller";
const std::wstring kLabLine = L"实验室网络-->VirtualBox Host-Only Ethernet Adapter";

const wchar_t kRunKey[] = L"software\\microsoft\\windows\\currentversion\\run";
const wchar_t kRunValue[] = L"Lanvoy(CORVELL STUDIO)";
const wchar_t kOldRunValue[] = L"C:\\Old\\lanvoy.exe -hide";
// The signed-in user's task, the one the program makes.
const std::wstring kTaskName = Wide(StartupTaskName(kStartupTaskName, CWin32StartupTask::SessionUserSid()));

// The text of a stored entry that the capture took from a demo adapter.
struct Captured {
    std::wstring connection;
    int mode;
    std::wstring ip, mask, gateway, dns1, dns2;
    bool operator==(const Captured&) const = default;
};
void PrintTo(const Captured& entry, std::ostream* out)
{
    *out << "{" << U8(entry.connection) << ", mode " << entry.mode << ", " << U8(entry.ip) << ", " << U8(entry.mask)
         << ", " << U8(entry.gateway) << ", " << U8(entry.dns1) << ", " << U8(entry.dns2) << "}";
}
std::vector<Captured> EntriesOf(const ProfileSpec& profile)
{
    std::vector<Captured> entries;
    for (const AdapterRecord& r : profile.entries)
        entries.push_back({WideOf(r.connectionName), r.mode, WideOf(r.ipAddress), WideOf(r.subnetMask),
                           WideOf(r.gateway), WideOf(r.dns1), WideOf(r.dns2)});
    return entries;
}
const Captured kOfficeCaptured{L"本地连接", kModeManual, L"192.168.1.100", L"255.255.255.0", L"192.168.1.1",
                               L"192.168.1.1", L"8.8.8.8"};
// What the registry still holds for the DHCP adapter is kept, not applied.
const Captured kHomeCaptured{L"本地连接 2", kModeDhcp, L"0.0.0.0", L"0.0.0.0", L"", L"", L""};
const Captured kLabCaptured{L"实验室网络", kModeManual, L"10.0.2.15", L"255.255.255.0", L"", L"10.0.2.3", L""};

// The Run value of the prefix's registry, "<absent>" when there is none.
std::wstring RunValue()
{
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"<absent>";
    return data;
}

// Every static text of a dialog, top to bottom.
std::vector<std::wstring> StaticTexts(HWND dialog)
{
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        const bool icon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (std::wstring(name) == L"Static" && !icon)
            texts.push_back(WindowText(child));
    }
    return texts;
}

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, L"\r\n") == 0) {
            lines.emplace_back();
            ++i;
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

class DialogsTest : public Scenario {
protected:
    // Opens a dialog with a main-window command and waits for it.
    HWND Open(HWND main, int command, const std::wstring& caption)
    {
        Command(main, command);
        return WaitDialog(*program, caption);
    }

    // Presses a button that ends the dialog with a save, answers "保存成功!",
    // and waits for the list to show the new profile.
    ::testing::AssertionResult SaveWith(HWND main, HWND dialog, int button)
    {
        const int rows = RowCount(main);
        Click(dialog, button);
        ::testing::AssertionResult saved = Box(*program, L"保存成功!");
        WaitClosed(dialog);
        WaitFor(L"a new row", [&] { return RowCount(main) == rows + 1; });
        return saved;
    }

    // The program writes some files after its dialog has closed.
    ::testing::AssertionResult FileBecomes(const wchar_t* name, const std::string& bytes)
    {
        std::string seen;
        for (int i = 0; i < 100; ++i) {
            seen = folder.Bytes(name);
            if (seen == bytes)
                return ::testing::AssertionSuccess();
            Sleep(100);
        }
        return ::testing::AssertionFailure() << Narrow(name) << " holds \"" << seen << "\", expected \"" << bytes << "\"";
    }

    ProfileSpec LastProfile() const
    {
        const std::vector<ProfileSpec> profiles = folder.ConfigProfiles();
        if (profiles.empty())
            throw CDriverError(L"lanvoy.cfg holds no profile");
        return profiles.back();
    }
};

TEST_F(DialogsTest, BackupOfOneAdapterSavesItAsANewProfile)
{
    HWND main = StartWith(ThreeProfiles());
    HWND backup = Open(main, ID_BACKUP, kBackupCaption);
    EXPECT_EQ(U8({kOfficeLine, kHomeLine, kLabLine}), U8(ComboItems(backup, IDC_BACKUP_ADAPTER)));
    EXPECT_EQ(U8(kLabLine), U8(ComboSelection(backup, IDC_BACKUP_ADAPTER)));
    EXPECT_EQ(U8(L"手动配置获取IP配置\r\n\r\n默认IP地址:10.0.2.15\r\n\r\n子网掩码:255.255.255.0\r\n"
                 L"\r\n默认DNS服务器:10.0.2.3\r\n\r\n网络状态:启用"),
              U8(ItemText(backup, IDC_BACKUP_DETAILS)));
    EXPECT_EQ(U8(L"配置方案3"), U8(ItemText(backup, IDC_BACKUP_NAME)));
    EXPECT_TRUE(ItemEnabled(backup, IDOK));

    PickInCombo(backup, IDC_BACKUP_ADAPTER, kHomeLine);
    WaitFor(L"the DHCP adapter's details",
            [&] { return ItemText(backup, IDC_BACKUP_DETAILS) == L"自动获取IP配置\r\n\r\n网络状态:启用"; });
    PickInCombo(backup, IDC_BACKUP_ADAPTER, kOfficeLine);
    WaitFor(L"the office adapter's details", [&] { return ItemText(backup, IDC_BACKUP_DETAILS).size() > 40; });
    EXPECT_EQ(U8(L"手动配置获取IP配置\r\n"
                 L"\r\n默认IP地址:192.168.1.100\r\n\r\n默认IP地址:192.168.1.101\r\n"
                 L"\r\n子网掩码:255.255.255.0\r\n\r\n子网掩码:255.255.255.0\r\n"
                 L"\r\n默认网关:192.168.1.1\r\n"
                 L"\r\n默认DNS服务器:192.168.1.1\r\n\r\n默认DNS服务器:8.8.8.8\r\n\r\n默认DNS服务器:114.114.114.114\r\n"
                 L"\r\n网络状态:启用"),
              U8(ItemText(backup, IDC_BACKUP_DETAILS)));

    // "保存" follows the name; the second option is read but changes nothing.
    SetItemText(backup, IDC_BACKUP_NAME, L"");
    WaitFor(L"\"保存\" to be disabled", [&] { return !ItemEnabled(backup, IDOK); });
    SetItemText(backup, IDC_BACKUP_NAME, L"办公室备份");
    WaitFor(L"\"保存\" to be enabled", [&] { return ItemEnabled(backup, IDOK); });
    Click(backup, IDC_BACKUP_OTHERS_DHCP);
    WaitFor(L"the second option to be ticked", [&] { return Checked(backup, IDC_BACKUP_OTHERS_DHCP); });
    SaveScreenshot(L"backup-dialog", backup);

    EXPECT_TRUE(SaveWith(main, backup, IDOK));
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场", L"办公室备份"}), U8(Names(main)));
    const ProfileSpec saved = LastProfile();
    EXPECT_EQ(U8(L"办公室备份"), U8(WideOf(saved.name)));
    EXPECT_EQ(std::vector<Captured>{kOfficeCaptured}, EntriesOf(saved));
    EXPECT_EQ(U8(L""), U8(MarkedName(*program, main)));
    EXPECT_EQ(U8({kSaved}), SystemLog());
}

TEST_F(DialogsTest, BackupOfAllAdaptersTakesEveryOneAndItsCancelStoresNothing)
{
    HWND main = StartWith(ThreeProfiles());
    const std::string before = folder.Bytes(L"lanvoy.cfg");
    HWND backup = Open(main, ID_BACKUP, kBackupCaption);
    Click(backup, IDC_BACKUP_ALL);
    WaitFor(L"\"备份所有网卡\" to be ticked", [&] { return Checked(backup, IDC_BACKUP_ALL); });
    Click(backup, IDCANCEL);
    WaitClosed(backup);
    EXPECT_TRUE(NoMessageBoxFor(*program, 500ms));
    EXPECT_EQ(before, folder.Bytes(L"lanvoy.cfg"));
    EXPECT_EQ(3, RowCount(main));

    backup = Open(main, ID_BACKUP, kBackupCaption);
    EXPECT_FALSE(Checked(backup, IDC_BACKUP_ALL)) << "the option outlived its dialog";
    Click(backup, IDC_BACKUP_ALL);
    WaitFor(L"\"备份所有网卡\" to be ticked", [&] { return Checked(backup, IDC_BACKUP_ALL); });
    EXPECT_TRUE(SaveWith(main, backup, IDOK));
    const ProfileSpec saved = LastProfile();
    EXPECT_EQ(U8(L"配置方案3"), U8(WideOf(saved.name)));
    EXPECT_EQ((std::vector<Captured>{kOfficeCaptured, kHomeCaptured, kLabCaptured}), EntriesOf(saved));
    EXPECT_EQ(U8(L"配置方案3"), U8(CellText(main, 3, 2)));
}

TEST_F(DialogsTest, CurrentIpShowsEveryAdapterAndBacksThemAllUp)
{
    HWND main = StartWith({});
    HWND current = Open(main, ID_CURRENT_IP, kCurrentIpCaption);
    const std::wstring separator = L"\r\n" + std::wstring(40, L'=') + L"\r\n";
    EXPECT_EQ(U8(kOfficeLine + L"\r\n默认IP地址:192.168.1.100\r\n\r\n默认IP地址:192.168.1.101\r\n" +
                 L"\r\n子网掩码:255.255.255.0\r\n\r\n子网掩码:255.255.255.0\r\n\r\n默认网关:192.168.1.1\r\n" +
                 L"\r\n默认DNS服务器:192.168.1.1\r\n\r\n默认DNS服务器:8.8.8.8\r\n" +
                 L"\r\n默认DNS服务器:114.114.114.114\r\n\r\n网络状态:启用" + separator +  //
                 kHomeLine + L"\r\n自动获取IP配置！\r\n\r\n网络状态:启用" + separator +     //
                 kLabLine + L"\r\n默认IP地址:10.0.2.15\r\n\r\n子网掩码:255.255.255.0\r\n" +
                 L"\r\n默认DNS服务器:10.0.2.3\r\n\r\n网络状态:启用" + separator),
              U8(ItemText(current, IDC_CURRENT_IP_DETAILS)));
    EXPECT_TRUE(GetWindowLongW(Item(current, IDC_CURRENT_IP_DETAILS), GWL_STYLE) & ES_READONLY);
    // Return leaves without saving; saving waits for a name.
    EXPECT_EQ(IDCANCEL, LOWORD(SendMessageW(current, DM_GETDEFID, 0, 0)));
    EXPECT_EQ(U8(L""), U8(ItemText(current, IDC_CURRENT_IP_NAME)));
    EXPECT_FALSE(ItemEnabled(current, IDOK));
    SetItemText(current, IDC_CURRENT_IP_NAME, L"出差前");
    WaitFor(L"\"备份返回\" to be enabled", [&] { return ItemEnabled(current, IDOK); });
    SaveScreenshot(L"current-ip-dialog", current);

    EXPECT_TRUE(SaveWith(main, current, IDOK));
    EXPECT_EQ(U8({L"出差前"}), U8(Names(main)));
    const ProfileSpec saved = LastProfile();
    EXPECT_EQ(U8(L"出差前"), U8(WideOf(saved.name)));
    EXPECT_EQ((std::vector<Captured>{kOfficeCaptured, kHomeCaptured, kLabCaptured}), EntriesOf(saved));

    // "返回" stores nothing.
    const std::string before = folder.Bytes(L"lanvoy.cfg");
    current = Open(main, ID_CURRENT_IP, kCurrentIpCaption);
    Click(current, IDCANCEL);
    WaitClosed(current);
    EXPECT_TRUE(NoMessageBoxFor(*program, 500ms));
    EXPECT_EQ(before, folder.Bytes(L"lanvoy.cfg"));
}

class SettingsTest : public DialogsTest {
protected:
    // The Run value and the task belong to the whole prefix: none is left behind.
    ~SettingsTest() override
    {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
        if (scheduler.Connected())
            scheduler.Delete(kTaskName);
    }

    std::string SysConfig() const
    {
        const std::string bytes = folder.Bytes(L"lanvoy.cfg");
        const std::size_t begin = bytes.find("<SYSCONFIG"), end = bytes.find("</SYSCONFIG>");
        if (begin == std::string::npos || end == std::string::npos)
            return "<no SYSCONFIG>";
        std::string text = bytes.substr(begin, end + 12 - begin);
        std::erase(text, '\r');
        std::erase(text, '\n');
        return text;
    }

    CComScope com;
    CTaskSchedulerRoot scheduler;
};

TEST_F(SettingsTest, SwitchesReachTheFileTheSignInTaskAndTheLog)
{
    // An earlier version's Run value: the program's first load drops it.
    ASSERT_TRUE(scheduler.Connected()) << "the Task Scheduler does not run";
    scheduler.Delete(kTaskName);
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, REG_SZ, kOldRunValue,
                                             sizeof kOldRunValue));
    HWND main = StartWith(ThreeProfiles());
    HWND settings = Open(main, ID_SETTINGS, kSettingsCaption);
    EXPECT_FALSE(Checked(settings, IDC_SETTINGS_AUTORUN));
    EXPECT_FALSE(Checked(settings, IDC_SETTINGS_UPDATE));
    EXPECT_TRUE(Checked(settings, IDC_SETTINGS_LOG));

    // Cancel changes nothing.
    const std::string before = folder.Bytes(L"lanvoy.cfg");
    Click(settings, IDC_SETTINGS_AUTORUN);
    WaitFor(L"the autorun box to be ticked", [&] { return Checked(settings, IDC_SETTINGS_AUTORUN); });
    Click(settings, IDCANCEL);
    WaitClosed(settings);
    EXPECT_EQ(before, folder.Bytes(L"lanvoy.cfg"));
    EXPECT_FALSE(scheduler.Exists(kTaskName));
    EXPECT_EQ(U8(L"<absent>"), U8(RunValue()));
    EXPECT_FALSE(folder.Has(L"config.xml"));

    settings = Open(main, ID_SETTINGS, kSettingsCaption);
    EXPECT_FALSE(Checked(settings, IDC_SETTINGS_AUTORUN));
    Click(settings, IDC_SETTINGS_AUTORUN);
    Click(settings, IDC_SETTINGS_UPDATE);
    Click(settings, IDC_SETTINGS_LOG);
    WaitFor(L"the boxes to change",
            [&] {
                return Checked(settings, IDC_SETTINGS_AUTORUN) && Checked(settings, IDC_SETTINGS_UPDATE) &&
                       !Checked(settings, IDC_SETTINGS_LOG);
            });
    SaveScreenshot(L"settings-dialog", settings);
    Click(settings, IDOK);
    WaitClosed(settings);
    EXPECT_TRUE(NoMessageBoxFor(*program, 500ms));
    EXPECT_EQ("<SYSCONFIG VERSION=\"2.0\"><AUTOEXEC>TRUE</AUTOEXEC><AUTOUPDATE>TRUE</AUTOUPDATE>"
              "<LOGFLAG>FALSE</LOGFLAG></SYSCONFIG>",
              SysConfig());
    // Wine keeps only a task's settings, not what it starts: the task's
    // presence is what can be seen here.
    EXPECT_TRUE(scheduler.Exists(kTaskName));
    // The extra copy beside the program holds the same document.
    EXPECT_TRUE(FileBecomes(L"config.xml", folder.Bytes(L"lanvoy.cfg")));
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场"}), U8(folder.ConfigNames()));

    // With the log off, a save writes no entry.
    ClickRow(main, 0);
    Command(main, ID_PROFILE_COPY);
    WaitFor(L"the copy's row", [&] { return RowCount(main) == 4; });
    EXPECT_FALSE(folder.Has(L"system.log"));

    // Confirming with autorun off deletes the task again.
    settings = Open(main, ID_SETTINGS, kSettingsCaption);
    EXPECT_TRUE(Checked(settings, IDC_SETTINGS_AUTORUN));
    EXPECT_TRUE(Checked(settings, IDC_SETTINGS_UPDATE));
    EXPECT_FALSE(Checked(settings, IDC_SETTINGS_LOG));
    Click(settings, IDC_SETTINGS_AUTORUN);
    WaitFor(L"the autorun box to be cleared", [&] { return !Checked(settings, IDC_SETTINGS_AUTORUN); });
    Click(settings, IDOK);
    WaitClosed(settings);
    EXPECT_TRUE(NoMessageBoxFor(*program, 500ms));
    EXPECT_FALSE(scheduler.Exists(kTaskName));
    EXPECT_EQ("<SYSCONFIG VERSION=\"2.0\"><AUTOEXEC>FALSE</AUTOEXEC><AUTOUPDATE>TRUE</AUTOUPDATE>"
              "<LOGFLAG>FALSE</LOGFLAG></SYSCONFIG>",
              SysConfig());
}

TEST_F(DialogsTest, AboutBoxOpensFromTheMenuAndTheSystemMenu)
{
    HWND main = StartWith({});
    HWND about = Open(main, ID_APP_ABOUT, kAboutCaption);
    const std::vector<std::wstring> texts = StaticTexts(about);
    const std::wstring thanks = ItemText(about, IDC_ABOUT_THANKS);
    ASSERT_EQ(2u, texts.size()) << "expected the notice and \"特别感谢：\"";
    EXPECT_EQ(0u, texts[0].find(L"Lanvoy")) << U8(texts[0]);
    EXPECT_EQ(U8(L"特别感谢："), U8(texts[1]));
    const std::vector<std::wstring> names = Lines(thanks);
    EXPECT_EQ(4u, names.size()) << U8(thanks);
    for (const std::wstring& name : names)
        EXPECT_FALSE(name.empty()) << U8(thanks);
    EXPECT_FALSE(ItemEnabled(about, IDC_ABOUT_THANKS));
    EXPECT_EQ(U8(L"确定"), U8(ItemText(about, IDOK)));
    EXPECT_EQ(U8(L"捐赠"), U8(ItemText(about, IDC_ABOUT_DONATE)));
    EXPECT_NE(std::wstring::npos, ItemText(about, IDC_ABOUT_HOMEPAGE).find(L'.'))
        << U8(ItemText(about, IDC_ABOUT_HOMEPAGE));
    SaveScreenshot(L"about-dialog", about);
    Click(about, IDOK);
    WaitClosed(about);

    SysCommand(main, 16);
    about = WaitDialog(*program, kAboutCaption);
    EXPECT_EQ(U8(texts), U8(StaticTexts(about)));
    EXPECT_EQ(U8(thanks), U8(ItemText(about, IDC_ABOUT_THANKS)));
    Click(about, IDOK);
    WaitClosed(about);
    EXPECT_TRUE(NoMessageBoxFor(*program, 300ms));
    EXPECT_TRUE(IsWindowVisible(main));
}

}  // namespace
}  // namespace e2e
