// The tray menu, driven by keys as a user with a keyboard would.

#include "Scenario.h"
#include "resource.h"

#include <shellapi.h>

#include <thread>

namespace e2e {
namespace {

using TrayTest = Scenario;

TEST_F(TrayTest, ApplyMenuAppliesTheChosenProfile)
{
    HWND main = StartWith(ThreeProfiles());
    OpenTraySubMenu(*program, main, 6);
    SaveScreenshot(L"tray-menu-apply");
    ChooseInSubMenu(*program, 1);
    EXPECT_TRUE(Box(*program, L"应用网络配置[家里]成功!"));
    EXPECT_EQ(1u, TcpIpDword(kHome, L"EnableDHCP"));
    EXPECT_EQ(U8(L"114.114.114.114"), U8(TcpIpText(kHome, L"NameServer")));
    WaitFor(L"system.log", [&] { return folder.Has(L"system.log"); });
    EXPECT_EQ(U8({L"应用网络配置[家里]成功!"}), SystemLog());
}

TEST_F(TrayTest, AdapterMenusDisableAndEnableAnAdapter)
{
    HWND main = StartWith(ThreeProfiles());
    OpenTraySubMenu(*program, main, 3);
    SaveScreenshot(L"tray-menu-disable");
    ChooseInSubMenu(*program, 2);
    EXPECT_TRUE(BoxOneOf(*program, {L"禁用网络成功！", L"禁用网络失败！"}));

    OpenTraySubMenu(*program, main, 4);
    ChooseInSubMenu(*program, 2);
    EXPECT_TRUE(BoxOneOf(*program, {L"启用网络成功！", L"启用网络失败！"}));
    EXPECT_TRUE(program->Running());
}

TEST_F(TrayTest, MenuClosedWithEscapeDoesNothing)
{
    HWND main = StartWith(ThreeProfiles());
    OpenTraySubMenu(*program, main, 6);
    CloseMenus(*program);
    EXPECT_TRUE(NoMessageBoxFor(*program, 500ms));
    EXPECT_EQ(U8(L"10.0.2.15"), U8(TcpIpText(kLab, L"IPAddress")));
    EXPECT_FALSE(folder.Has(L"system.log"));
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

// The icon the shell holds for the window, as the shell answers for it.
bool ShellHasIcon(HWND main)
{
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = main;
    icon.uID = 129;
    icon.uFlags = NIF_TIP;
    wcscpy(icon.szTip, L"Lanvoy（Lanvoy）");
    return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

TEST_F(TrayTest, IconComesBackWhenTheTaskbarIsMadeAgain)
{
    HWND main = StartWith(ThreeProfiles());
    ASSERT_TRUE(ShellHasIcon(main));
    // As after Explorer ended: the shell forgets the icon.
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof gone;
    gone.hWnd = main;
    gone.uID = 129;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
    ASSERT_FALSE(ShellHasIcon(main));

    SendMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellHasIcon(main));
}

TEST_F(TrayTest, ClickWhileTheEditorIsOpenBringsTheEditorForward)
{
    HWND main = StartWith(ThreeProfiles());
    Command(main, ID_PROFILE_NEW);
    HWND editor = WaitDialog(*program, kEditorCaption);
    TrayMouse(main, WM_RBUTTONDOWN);
    WaitFor(L"the editor in front", [&] { return GetForegroundWindow() == editor; });
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(0, VisibleMenuCount(program->Id())) << "the tray menu opened under the editor";
    EXPECT_TRUE(IsWindowVisible(editor));

    Click(editor, IDCANCEL);
    WaitClosed(editor);
    TrayMouse(main, WM_RBUTTONDOWN);
    WaitFor(L"the tray menu", [&] { return VisibleMenuCount(program->Id()) > 0; });
    CloseMenus(*program);
}

TEST_F(TrayTest, MouseOverTheIconLeavesTheDefaultButtonAlone)
{
    HWND main = StartWith(ThreeProfiles());
    const LRESULT before = SendMessageW(main, DM_GETDEFID, 0, 0);
    // Sent, not posted: the question after it must find them handled.
    for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONUP})
        SendMessageW(main, WM_USER + 1, 129, mouse);
    EXPECT_EQ(before, SendMessageW(main, DM_GETDEFID, 0, 0));
}

}  // namespace
}  // namespace e2e
