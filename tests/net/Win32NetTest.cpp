// Runs in the windows build against the Wine prefix with the demo machine seeded.

#include "net/AdapterList.h"
#include "net/InetAddr.h"
#include "net/Win32Net.h"
#include "platform/Win32Registry.h"
#include "support/Win32RegistryValue.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Win32NetTest : public ::testing::Test {
protected:
    NetPlatform Platform() { return system.Platform(); }

    CWin32NetPlatform system{RunningUnderWine()};
    CWin32AdapterAddresses& addresses = system.addresses;
    IDhcpClient& dhcp = system.dhcp;
    IDeviceInstaller& devices = system.devices;
};

const std::u16string kOffice = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}";
const std::u16string kScratchId = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5EFF}";
const std::wstring kScratchKey =
    L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5EFF}";

}  // namespace

TEST_F(Win32NetTest, RefreshReadsTheSeededDemoMachineInEnumerationOrder)
{
    if (!RunningUnderWine())
        GTEST_SKIP() << "the demo machine is seeded only into the Wine prefix";
    CAdapterList list(Platform());
    EXPECT_GE(list.PlatformCode(), 6);
    ASSERT_EQ(3, list.Refresh());
    EXPECT_TRUE(list.Failures().empty());

    const AdapterRecord& office = *list.At(0);
    EXPECT_EQ(kOffice, office.adapterId);
    EXPECT_EQ(u"Intel(R) PRO/1000 MT Network Connection", office.description);
    EXPECT_EQ(u"本地连接", office.connectionName);
    EXPECT_EQ(u"001C42A1B2C3", office.networkAddress);
    EXPECT_EQ(0, office.mode);
    EXPECT_EQ((std::vector<std::u16string>{u"192.168.1.100", u"192.168.1.101"}), office.ipAddresses);
    EXPECT_EQ(u"255.255.255.0", office.subnetMask);
    EXPECT_EQ(u"192.168.1.1", office.gateway);
    EXPECT_EQ(u"192.168.1.1", office.dns1);
    EXPECT_EQ(u"8.8.8.8", office.dns2);
    EXPECT_EQ(3u, office.dnsServers.size());

    const AdapterRecord& home = *list.At(1);
    EXPECT_EQ(u"Realtek PCIe GBE Family Controller", home.description);
    EXPECT_EQ(u"本地连接 2", home.connectionName);
    EXPECT_EQ(1, home.mode);
    EXPECT_TRUE(home.gateways.empty());

    EXPECT_EQ(u"VirtualBox Host-Only Ethernet Adapter", list.At(2)->description);
    EXPECT_EQ(u"实验室网络", list.At(2)->connectionName);
}

TEST_F(Win32NetTest, ApplyWritesTheRealRegistryByteForByte)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(HKEY_LOCAL_MACHINE, kScratchKey.c_str(), &key));
    RegCloseKey(key);

    CAdapterList list(Platform());
    ASSERT_EQ(1, list.WriteTcpIpValues(kScratchId, u"172.16.0.9", u"255.255.0.0", u"", u"1.1.1.1,8.8.8.8"));
    ASSERT_EQ(1, list.SetEnableDhcp(kScratchId, 7));

    DWORD type = 0;
    EXPECT_EQ(RegMultiSzBytes({u"172.16.0.9"}), RawValue(kScratchKey, L"IPAddress", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
    EXPECT_EQ(RegMultiSzBytes({u"255.255.0.0"}), RawValue(kScratchKey, L"SubnetMask", &type));
    EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 0, 0}), RawValue(kScratchKey, L"DefaultGateway", &type));
    EXPECT_EQ(RegSzBytes(u"1.1.1.1,8.8.8.8"), RawValue(kScratchKey, L"NameServer", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 0, 0}), RawValue(kScratchKey, L"EnableDHCP", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);

    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratchKey.c_str());
    EXPECT_EQ(0, list.WriteTcpIpValues(kScratchId, u"172.16.0.9", u"255.255.0.0", u"", u""));
}

TEST_F(Win32NetTest, AdapterAddressQueryReachesGetAdaptersInfo)
{
    std::vector<AdapterAddress> found;
    ASSERT_TRUE(addresses.QueryAdapters(&found));
    ULONG size = 0;
    ASSERT_EQ(static_cast<DWORD>(ERROR_BUFFER_OVERFLOW), GetAdaptersInfo(nullptr, &size));
    std::vector<unsigned char> buffer(size);
    auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetAdaptersInfo(info, &size));
    std::size_t count = 0;
    for (; info; info = info->Next, ++count) {
        ASSERT_LT(count, found.size());
        EXPECT_EQ(std::u16string(info->AdapterName, info->AdapterName + strlen(info->AdapterName)), found[count].name);
        EXPECT_EQ(0, memcmp(info->Address, found[count].address.data(), 6));
    }
    EXPECT_EQ(count, found.size());

    // The inventory formats the first adapter's address as six lower-case pairs.
    if (!found.empty()) {
        CAdapterList list(Platform());
        std::u16string mac;
        EXPECT_EQ(17, list.GetMacAddress(found[0].name, &mac));
        EXPECT_EQ(mac, [&] {
            wchar_t text[18];
            const auto& a = found[0].address;
            swprintf(text, 18, L"%02x:%02x:%02x:%02x:%02x:%02x", a[0], a[1], a[2], a[3], a[4], a[5]);
            return std::u16string(reinterpret_cast<char16_t*>(text));
        }());
    }
}

TEST_F(Win32NetTest, DhcpClientEntryPointIsFoundButWinesStubIsNeverCalled)
{
    if (!RunningUnderWine())
        GTEST_SKIP() << "on Windows the notification is real";
    HMODULE library = LoadLibraryW(L"dhcpcsvc");
    ASSERT_NE(nullptr, library);
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(library, "DhcpNotifyConfigChange")));
    FreeLibrary(library);

    // Calling Wine's stub would end this process; the client reports no entry point.
    std::uint32_t status = 0xDEADBEEF;
    DhcpNotification n{kOffice, false, 0, 0, 0, 1};
    EXPECT_FALSE(dhcp.NotifyConfigChange(n, &status));
    EXPECT_EQ(0xDEADBEEFu, status);

    // So an apply on the demo machine still succeeds, without the notification.
    CAdapterList list(Platform());
    EXPECT_EQ(0, list.NotifyDhcpClient(kOffice, 0, u"192.168.1.100", u"255.255.255.0", 2));
}

TEST_F(Win32NetTest, DeviceInstallerListsPresentNetworkDevices)
{
    DeviceList list = 0;
    ASSERT_TRUE(devices.GetNetDevices(&list));
    for (std::uint32_t i = 0; devices.EnumDevice(list, i); ++i) {
        std::u16string description;
        std::uint32_t error = devices.GetDeviceDescription(list, i, &description);
        EXPECT_TRUE(error == 0 || error == IDeviceInstaller::kErrorInvalidData) << error;
    }
    SetLastError(1234);
    devices.DestroyList(list);
    EXPECT_EQ(1234u, GetLastError());

    CAdapterList adapters(Platform());
    ASSERT_EQ(3, adapters.Refresh());
    if (!RunningUnderWine())
        return;
    // The demo machine's adapters are devices too, found by their descriptions.
    std::vector<std::u16string> found;
    ASSERT_TRUE(devices.GetNetDevices(&list));
    for (std::uint32_t i = 0; devices.EnumDevice(list, i); ++i) {
        std::u16string description;
        if (devices.GetDeviceDescription(list, i, &description) == 0)
            found.push_back(description);
    }
    devices.DestroyList(list);
    for (int i = 0; i < adapters.Count(); ++i)
        EXPECT_NE(found.end(), std::find(found.begin(), found.end(), adapters.At(i)->description));
    EXPECT_EQ(1, adapters.SetAdapterEnabled(0, kOffice));
    EXPECT_EQ(1, adapters.SetAdapterEnabled(1, kOffice));
    // An adapter that is no device cannot be switched.
    EXPECT_EQ(0, adapters.SetAdapterEnabled(1, u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E04}"));
}

TEST(Win32InetAddr, AgreesWithWinsock)
{
    for (const char* text : {"192.168.1.20", "255.255.255.0", "0.0.0.0", "10.0.0.1", "1.2.3.256", "a.b.c.d",
                             "1.2.3.4.5", "127.1", "0x7f.0.0.1", "255.255.255.255"}) {
        std::u16string wide(text, text + strlen(text));
        EXPECT_EQ(inet_addr(text), InetAddr(wide)) << text;
    }
}
