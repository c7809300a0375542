// Applying a stored profile to the demo machine in the Wine prefix, through
// the real registry, adapter list and device installer.

#include "StoreFixture.h"
#include "engine/ProfileApply.h"
#include "net/Win32Net.h"
#include "platform/Win32Registry.h"
#include "support/Win32RegistryValue.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace {

const std::wstring kInterfaces = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const std::wstring kHome = L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E02}";
const std::wstring kLab = L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}";
const wchar_t* const kValues[] = {L"IPAddress", L"SubnetMask", L"DefaultGateway", L"NameServer", L"EnableDHCP"};

struct Raw {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
};

bool ReadRaw(const std::wstring& guid, const wchar_t* name, Raw& raw)
{
    return ReadRegistryValue(kInterfaces + guid, name, &raw.type, &raw.data);
}

std::u16string Text(const std::wstring& guid, const wchar_t* name)
{
    Raw raw;
    if (!ReadRaw(guid, name, raw))
        return u"<absent>";
    return RegBytesToText(raw.data);
}

DWORD Dword(const std::wstring& guid, const wchar_t* name)
{
    Raw raw;
    DWORD value = 0xFFFFFFFF;
    if (ReadRaw(guid, name, raw) && raw.data.size() == 4)
        std::memcpy(&value, raw.data.data(), 4);
    return value;
}

void DeleteValue(const std::wstring& guid, const wchar_t* name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kInterfaces + guid).c_str(), 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueW(handle, name);
        RegCloseKey(handle);
    }
}

// The TCP/IP values of the demo adapters as they are now, to be put back:
// the demo machine is shared with the other tests.
class CTcpIpValues {
public:
    CTcpIpValues()
    {
        for (const std::wstring& guid : {kHome, kLab})
            for (const wchar_t* name : kValues) {
                Value& value = values[{guid, name}];
                value.present = ReadRaw(guid, name, value.raw);
            }
    }

    // Writes back the values that were there and deletes those that were not.
    void Restore() const
    {
        for (const auto& [where, value] : values) {
            HKEY handle = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kInterfaces + where.first).c_str(), 0, KEY_SET_VALUE, &handle) !=
                ERROR_SUCCESS)
                continue;
            if (value.present)
                RegSetValueExW(handle, where.second.c_str(), 0, value.raw.type, value.raw.data.data(),
                               static_cast<DWORD>(value.raw.data.size()));
            else
                RegDeleteValueW(handle, where.second.c_str());
            RegCloseKey(handle);
        }
    }

    // Every value as it was: the same type and bytes, or absent again.
    ::testing::AssertionResult Unchanged() const
    {
        for (const auto& [where, value] : values) {
            Raw now;
            bool present = ReadRaw(where.first, where.second.c_str(), now);
            if (present != value.present || (present && (now.type != value.raw.type || now.data != value.raw.data)))
                return ::testing::AssertionFailure()
                       << "value " << std::string(where.second.begin(), where.second.end()) << " of "
                       << std::string(where.first.begin(), where.first.end())
                       << (value.present ? " differs" : " was absent and is there now");
        }
        return ::testing::AssertionSuccess();
    }

private:
    struct Value {
        bool present = false;
        Raw raw;
    };
    std::map<std::pair<std::wstring, std::wstring>, Value> values;
};

}  // namespace

class EngineWin32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!RunningUnderWine())
            GTEST_SKIP() << "the demo machine is seeded only into the Wine prefix";
        before.emplace();
    }

    void TearDown() override
    {
        if (!before)
            return;
        before->Restore();
        EXPECT_TRUE(before->Unchanged());
    }

    bool Apply(const std::string& profiles, const std::u16string& id)
    {
        files.files[u"C:\\Lanvoy\\lanvoy.cfg"] =
            Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="9" VERSION="2.0">)", profiles, "</CONFIG>",
                   "</LANVOY>"});
        CProfileStore store(StoreEnvironment{u"C:\\Lanvoy\\lanvoy.exe", files, storeRegistry, startupTask, clock});
        EXPECT_EQ(1, store.Load());
        CProfileApplier applier(store, system.Platform());
        const ApplyResult result = applier.ApplyProfile(id);
        failures = result.failures;
        return result.applied;
    }

    std::optional<CTcpIpValues> before;
    CMemoryFileSystem files;
    CMemoryRegistry storeRegistry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{LocalTime{2008, 5, 1, 14, 5, 9}};
    CWin32NetPlatform system{RunningUnderWine()};
    std::vector<std::u16string> failures;  // of the last apply
};

TEST_F(EngineWin32Test, AProfileSwitchesTheDemoAdapters)
{
    ASSERT_TRUE(Apply(Lines({
                          R"(<NETSETING NAME="客户现场" ID="3">)",
                          R"(<CONNECTION NAME="实验室网络" GUID="{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}" TYPE="0">)",
                          "<IPADD><IP>172.16.5.20</IP></IPADD><MASKADD><IP>255.255.0.0</IP></MASKADD>",
                          "<GATEWAY><IP>172.16.0.1</IP></GATEWAY><DNSADD><IP>172.16.0.53</IP><IP>8.8.8.8</IP></DNSADD>",
                          "</CONNECTION>",
                          R"(<CONNECTION NAME="本地连接 2" GUID="{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E02}" TYPE="1">)",
                          "<DNSADD><IP>114.114.114.114</IP></DNSADD></CONNECTION>",
                          "</NETSETING>",
                      }),
                      u"3"));
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(u"172.16.5.20", Text(kLab, L"IPAddress"));
    EXPECT_EQ(u"255.255.0.0", Text(kLab, L"SubnetMask"));
    EXPECT_EQ(u"172.16.0.1", Text(kLab, L"DefaultGateway"));
    EXPECT_EQ(u"172.16.0.53,8.8.8.8", Text(kLab, L"NameServer"));
    EXPECT_EQ(0u, Dword(kLab, L"EnableDHCP"));
    EXPECT_EQ(1u, Dword(kHome, L"EnableDHCP"));
    EXPECT_EQ(u"114.114.114.114", Text(kHome, L"NameServer"));
}

TEST_F(EngineWin32Test, ValuesThatWereAbsentAreDeletedAgainNotLeftEmpty)
{
    // A DHCP adapter that never had a DNS server of its own gets one from the profile.
    DeleteValue(kHome, L"NameServer");
    CTcpIpValues withoutDns;
    ASSERT_TRUE(Apply(Lines({
                          R"(<NETSETING NAME="家里" ID="4">)",
                          R"(<CONNECTION NAME="本地连接 2" GUID="{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E02}" TYPE="1">)",
                          "<DNSADD><IP>114.114.114.114</IP></DNSADD></CONNECTION>",
                          "</NETSETING>",
                      }),
                      u"4"));
    EXPECT_EQ(u"114.114.114.114", Text(kHome, L"NameServer"));

    withoutDns.Restore();
    EXPECT_EQ(u"<absent>", Text(kHome, L"NameServer"));
    EXPECT_TRUE(withoutDns.Unchanged());
}
