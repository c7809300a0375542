// Starting the program: first start, shortcut runs, a second instance, the
// hidden and debug switches, and the window that only hides.

#include "Scenario.h"

namespace e2e {
namespace {

using StartTest = Scenario;

TEST_F(StartTest, FirstStartWritesTheDefaultConfigurationAndListsNothing)
{
    CProcess& lanvoy = folder.Start();
    EXPECT_TRUE(Box(lanvoy, L"打开配置系统配置文件错误！"));
    HWND main = WaitMainWindow(lanvoy);
    WaitVisible(main, true);

    EXPECT_EQ(0, RowCount(main));
    EXPECT_EQ(DefaultConfigBytes(), folder.Bytes(L"lanvoy.cfg"));
    EXPECT_TRUE(NoMessageBoxFor(lanvoy, 500ms));
    // Logging is off in the default file, and nobody asked for the debug log.
    EXPECT_FALSE(folder.Has(L"system.log"));
    EXPECT_FALSE(folder.Has(L"debug.log"));
    SaveScreenshot(L"first-start");
}

TEST_F(StartTest, ShortcutRunAppliesTheProfileAndEndsWithZero)
{
    folder.WriteConfig(ThreeProfiles());
    // The switch is read in lower case, and an apply run ends before "-hide" could count.
    CProcess& lanvoy = folder.Start(L"-N1 -hide");
    MessageBoxSeen box = WaitMessageBox(lanvoy);
    EXPECT_EQ(nullptr, FindMainWindow(lanvoy.Id()));
    EXPECT_EQ(U8(L"应用配置成功！"), U8(box.text));
    Answer(box);
    EXPECT_EQ(0u, lanvoy.WaitExit());

    EXPECT_EQ(U8(L"172.16.5.20"), U8(TcpIpText(kLab, L"IPAddress")));
    EXPECT_EQ(U8(L"255.255.0.0"), U8(TcpIpText(kLab, L"SubnetMask")));
    EXPECT_EQ(U8(L"172.16.0.1"), U8(TcpIpText(kLab, L"DefaultGateway")));
    EXPECT_EQ(U8(L"172.16.0.53,8.8.8.8"), U8(TcpIpText(kLab, L"NameServer")));
}

TEST_F(StartTest, ShortcutRunWithAnUnknownNumberFailsAndEndsWithOne)
{
    folder.WriteConfig(ThreeProfiles());
    CProcess& lanvoy = folder.Start(L"-n99");
    EXPECT_TRUE(Box(lanvoy, L"应用配置失败！该配置文件已失效！"));
    EXPECT_EQ(1u, lanvoy.WaitExit());
    EXPECT_EQ(U8(L"10.0.2.15"), U8(TcpIpText(kLab, L"IPAddress")));
}

TEST_F(StartTest, SecondStartRaisesTheFirstWindowAndEnds)
{
    HWND main = StartWith(ThreeProfiles());
    SysCommand(main, SC_CLOSE);
    WaitVisible(main, false);

    CProcess& second = folder.Start();
    second.WaitExit();
    WaitVisible(main, true);
    EXPECT_TRUE(StaysVisible(main, 1s));
    EXPECT_TRUE(program->Running());
}

TEST_F(StartTest, CloseAndMinimiseOnlyHideTheWindow)
{
    HWND main = StartWith(ThreeProfiles());
    SysCommand(main, SC_CLOSE);
    WaitVisible(main, false);
    EXPECT_TRUE(program->Running());

    TrayMouse(main, WM_LBUTTONDBLCLK);
    WaitVisible(main, true);
    SysCommand(main, SC_MINIMIZE);
    WaitVisible(main, false);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(program->Running());
    EXPECT_TRUE(NoMessageBoxFor(*program, 300ms));
}

TEST_F(StartTest, HiddenStartShowsOnTrayDoubleClickAndStaysVisible)
{
    folder.WriteConfig(ThreeProfiles());
    CProcess& lanvoy = folder.Start(L"-hide");
    HWND main = WaitMainWindow(lanvoy);
    WaitVisible(main, false);
    Sleep(1000);
    EXPECT_FALSE(IsWindowVisible(main)) << "the hidden window showed up by itself";

    TrayMouse(main, WM_LBUTTONDBLCLK);
    WaitVisible(main, true);
    // A repaint must not hide it again.
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(StaysVisible(main, 1500ms));
}

TEST_F(StartTest, DebugSwitchWritesTheStartUpFactsToTheDebugLog)
{
    HWND main = StartWith({}, L"-debug");
    WaitFor(L"four entries in debug.log", [&] {
        try {
            return ReadLog(folder.File(L"debug.log"), true).size() >= 4;
        } catch (const CDriverError&) {
            return false;  // not there yet, or half written
        }
    });
    const std::vector<LogEntry> entries = ReadLog(folder.File(L"debug.log"), true);

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    std::vector<std::wstring> messages;
    for (const LogEntry& entry : entries)
        messages.push_back(entry.message);
    // No service in this prefix.
    EXPECT_EQ(U8({std::to_wstring(kDemoAdapterCount), std::to_wstring(version.dwMajorVersion),
                  std::to_wstring(version.dwMinorVersion), L"服务：无应答"}),
              U8(messages));
    SYSTEMTIME now{};
    GetLocalTime(&now);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(now.wYear % 100, std::stoi(entries[0].stamp.substr(0, 2)));
    EXPECT_EQ(0, RowCount(main));
    EXPECT_FALSE(folder.Has(L"system.log"));
}

}  // namespace
}  // namespace e2e
