// The two ways the program changes the adapters: through the service when it
// answers, by itself when it does not (under Wine every process holds an
// administrator's token, so "by itself" is the elevated path). The service's
// count of served requests tells which way each change went: every status
// request and every change adds one.

#include "Scenario.h"

#include "ipc/ServiceClient.h"
#include "support/Win32Service.h"

#include "lanvoy_version.h"
#include "resource.h"

namespace e2e {
namespace {

class ServiceTest : public Scenario {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(Settings().service.empty()) << "pass --service=<path of lanvoy-service.exe>";
        ASSERT_TRUE(InstallLanvoyService(Settings().service.wstring())) << GetLastError();
    }
    void TearDown() override { RemoveLanvoyService(); }

    std::uint32_t Served()
    {
        ServiceStatus status;
        EXPECT_TRUE(client.Status(&status)) << "the service did not answer";
        return status.served;
    }

    // A shortcut's run of profile `number`: its message, then exit code 0.
    void ShortcutRun(const wchar_t* number)
    {
        CProcess& run = folder.Start(std::wstring(L"-n") + number);
        EXPECT_TRUE(Box(run, L"应用配置成功！"));
        EXPECT_EQ(0u, run.WaitExit());
    }

    CServiceClient client;
};

TEST_F(ServiceTest, ChangesGoThroughTheServiceWhenItAnswersAndDirectlyWhenNot)
{
    folder.WriteConfig(ThreeProfiles());
    // Installed but stopped: the pipe is missing, and the run changes the adapter itself.
    ShortcutRun(L"1");
    EXPECT_EQ(U8(L"172.16.5.20"), U8(TcpIpText(kLab, L"IPAddress")));

    ASSERT_TRUE(StartLanvoyService());
    const std::uint32_t atStart = Served();
    HWND main = StartWith(ThreeProfiles(), L"-debug");
    ClickRow(main, 2);
    Command(main, ID_PROFILE_APPLY);
    EXPECT_TRUE(Box(*program, L"应用网络配置[客户现场]成功!"));
    EXPECT_EQ(U8(L"10.1.2.3"), U8(TcpIpText(kOffice, L"IPAddress")));
    EXPECT_EQ(1u, TcpIpDword(kHome, L"EnableDHCP"));
    // The window's status at start, its two changes and this status.
    const std::uint32_t afterApply = Served();
    EXPECT_EQ(atStart + 4, afterApply);
    const std::vector<std::wstring> facts = LogMessages(folder.File(L"debug.log"), true);
    ASSERT_FALSE(facts.empty());
    EXPECT_EQ(0u, facts.back().find(L"服务：已应答，版本 " LANVOY_VERSION_TEXT)) << Narrow(facts.back());

    OpenTraySubMenu(*program, main, 3);
    ChooseInSubMenu(*program, 2);
    EXPECT_TRUE(BoxOneOf(*program, {L"禁用网络成功！", L"禁用网络失败！"}));
    OpenTraySubMenu(*program, main, 4);
    ChooseInSubMenu(*program, 2);
    EXPECT_TRUE(BoxOneOf(*program, {L"启用网络成功！", L"启用网络失败！"}));
    const std::uint32_t afterSwitches = Served();
    EXPECT_EQ(afterApply + 3, afterSwitches);

    ShortcutRun(L"2");
    EXPECT_EQ(U8(L"114.114.114.114"), U8(TcpIpText(kHome, L"NameServer")));
    EXPECT_EQ(afterSwitches + 3, Served());
}

}  // namespace
}  // namespace e2e
