// Runs in the windows build: lanvoy-service.exe registered and started as a
// service in the Wine prefix with the demo machine seeded, then a hostile
// client against its pipe.
//
// What Wine cannot show, and where it is covered instead:
// - the pipe's DACL is stored and read back but not enforced, and
//   PIPE_REJECT_REMOTE_CLIENTS has no remote client to refuse: the
//   descriptor is read back here; who may connect is Windows' to enforce;
// - FILE_FLAG_FIRST_PIPE_INSTANCE is not enforced (a second first instance
//   succeeds), so taking the name first cannot be shown to fail;
// - impersonation gives the service its own token, and the service runs as
//   the prefix's user, not SYSTEM: the user recorded is that user; what is
//   recorded is tested through the event log's double (service_tests), as
//   the Application log cannot be read back under Wine;
// - GetNamedPipeServerProcessId may give 0 under Wine (this prefix's Wine
//   gives the service's process); the client takes 0 as "cannot tell",
//   never as the service, which the decision's native test shows; here a
//   pipe with no service behind it is refused, and a pipe of another
//   process cannot be made to pose under the service's name.

#include "ipc/ServiceClient.h"
#include "platform/ProductNames.h"
#include "platform/Registry.h"
#include "platform/WideText.h"
#include "support/Win32RegistryValue.h"
#include "support/Win32Service.h"

#include "lanvoy_version.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

namespace {

const std::u16string kLab = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}";
const std::u16string kWan = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E04}";
const wchar_t* const kDemoGuids[] = {L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}",
                                     L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E02}",
                                     L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}"};
const std::wstring kInterfaces = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

std::wstring ServiceExe()
{
    // The build names it by its Unix path (ASCII here), which lies on drive Z: under Wine.
    const std::string unix = LANVOY_SERVICE_EXE;
    std::wstring path = L"Z:" + std::wstring(unix.begin(), unix.end());
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}

// Every value of the demo adapters' TCP/IP keys, by key and name.
using Values = std::map<std::wstring, std::pair<DWORD, std::vector<std::uint8_t>>>;

Values TcpIpValues()
{
    Values values;
    for (const wchar_t* guid : kDemoGuids) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kInterfaces + guid).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameChars = ARRAYSIZE(name);
            std::vector<std::uint8_t> data(4096);
            DWORD size = static_cast<DWORD>(data.size());
            DWORD type = 0;
            if (RegEnumValueW(key, i, name, &nameChars, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
                break;
            data.resize(size);
            values[std::wstring(guid) + L"\\" + name] = {type, data};
        }
        RegCloseKey(key);
    }
    return values;
}

void RestoreTcpIpValues(const Values& values)
{
    for (const wchar_t* guid : kDemoGuids) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kInterfaces + guid).c_str(), 0,
                                               KEY_READ | KEY_WRITE, &key));
        for (const auto& [path, value] : TcpIpValues()) {
            if (path.rfind(guid, 0) == 0)
                RegDeleteValueW(key, path.substr(wcslen(guid) + 1).c_str());
        }
        for (const auto& [path, value] : values) {
            if (path.rfind(guid, 0) == 0)
                RegSetValueExW(key, path.substr(wcslen(guid) + 1).c_str(), 0, value.first, value.second.data(),
                               static_cast<DWORD>(value.second.size()));
        }
        RegCloseKey(key);
    }
}

// Opens the pipe as any client may, with the rights given.
HANDLE OpenPipe(DWORD rights, DWORD flags = 0)
{
    for (int i = 0; i < 100; ++i) {
        HANDLE pipe = CreateFileW(Wide(kServicePipeName), rights, 0, nullptr, OPEN_EXISTING, flags, nullptr);
        if (pipe != INVALID_HANDLE_VALUE || GetLastError() != ERROR_PIPE_BUSY)
            return pipe;
        WaitNamedPipeW(Wide(kServicePipeName), 100);
    }
    return INVALID_HANDLE_VALUE;
}

// One overlapped read or write that gives up after `ms`.
bool Transfer(HANDLE pipe, bool write, void* buffer, DWORD size, DWORD ms, DWORD* bytes)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    OVERLAPPED overlapped{};
    overlapped.hEvent = event;
    BOOL ok = write ? WriteFile(pipe, buffer, size, nullptr, &overlapped) : ReadFile(pipe, buffer, size, nullptr, &overlapped);
    if (ok || GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(event, ms) == WAIT_OBJECT_0) {
            ok = GetOverlappedResult(pipe, &overlapped, bytes, FALSE);
        } else {
            CancelIoEx(pipe, &overlapped);
            GetOverlappedResult(pipe, &overlapped, bytes, TRUE);
            ok = FALSE;
        }
    }
    CloseHandle(event);
    return ok != FALSE;
}

// Sends raw bytes as one message; the code of the answer, or kTransportFailed
// when the service dropped the connection without one.
IpcError RawExchange(const std::vector<std::uint8_t>& bytes)
{
    HANDLE pipe = OpenPipe(FILE_READ_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                           FILE_FLAG_OVERLAPPED);
    if (pipe == INVALID_HANDLE_VALUE)
        return IpcError::kNoService;
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
    std::vector<std::uint8_t> data = bytes;
    std::vector<std::uint8_t> reply(kMaxMessageBytes);
    DWORD done = 0;
    IpcError code = IpcError::kTransportFailed;
    ServiceAnswer answer;
    if (Transfer(pipe, true, data.data(), static_cast<DWORD>(data.size()), 5000, &done) &&
        Transfer(pipe, false, reply.data(), static_cast<DWORD>(reply.size()), 5000, &done) &&
        ReadAnswer(reply.data(), done, &answer))
        code = answer.code;
    CloseHandle(pipe);
    return code;
}

std::vector<std::uint8_t> Encoded(const ServiceRequest& request)
{
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(EncodeRequest(request, &bytes));
    return bytes;
}

const ServiceRequest kStatus{RequestKind::kStatus, u"", u"", u"", u"", {}};

struct Ace {
    BYTE type;
    ACCESS_MASK mask;
    std::wstring sid;
    bool operator==(const Ace&) const = default;
};

// The pipe's DACL as read back from a client's handle.
std::vector<Ace> PipeDacl(bool* protectedFromInheritance)
{
    std::vector<Ace> aces;
    HANDLE pipe = OpenPipe(READ_CONTROL);
    EXPECT_NE(INVALID_HANDLE_VALUE, pipe) << GetLastError();
    if (pipe == INVALID_HANDLE_VALUE)
        return aces;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, GetSecurityInfo(pipe, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                             &dacl, nullptr, &descriptor));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    *protectedFromInheritance = (control & SE_DACL_PROTECTED) != 0;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        GetAce(dacl, i, &ace);
        // Allowed and denied ACEs share their layout.
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        wchar_t* sid = nullptr;
        ConvertSidToStringSidW(&allowed->SidStart, &sid);
        // Generic-all may be stored as given or mapped to the pipe's rights.
        const ACCESS_MASK mask = allowed->Mask == FILE_ALL_ACCESS ? GENERIC_ALL : allowed->Mask;
        aces.push_back({allowed->Header.AceType, mask, sid ? sid : L""});
        LocalFree(sid);
    }
    LocalFree(descriptor);
    CloseHandle(pipe);
    return aces;
}

std::vector<Ace> ExpectedDacl(const wchar_t* readWriteSid)
{
    return {{ACCESS_DENIED_ACE_TYPE, GENERIC_ALL, L"S-1-5-2"},
            {ACCESS_ALLOWED_ACE_TYPE, GENERIC_ALL, L"S-1-5-18"},
            {ACCESS_ALLOWED_ACE_TYPE, GENERIC_ALL, L"S-1-5-32-544"},
            {ACCESS_ALLOWED_ACE_TYPE, 0x100183, readWriteSid}};
}

class ServiceWin32Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(InstallLanvoyService(ServiceExe())) << GetLastError();
        ASSERT_TRUE(StartLanvoyService()) << GetLastError();
    }

    static void TearDownTestSuite() { RemoveLanvoyService(); }

    void SetUp() override
    {
        if (HasFatalFailure())
            GTEST_SKIP();
        before = TcpIpValues();
        ASSERT_FALSE(before.empty()) << "the demo machine is not seeded";
    }

    void TearDown() override { RestoreTcpIpValues(before); }

    std::uint32_t Served()
    {
        ServiceStatus status;
        EXPECT_TRUE(client.Status(&status));
        return status.served;
    }

    Values before;
    CServiceClient client;
};

}  // namespace

TEST_F(ServiceWin32Test, RunsAsAServiceAndAnswersItsStatus)
{
    CServiceHandle service = OpenLanvoyService(SERVICE_QUERY_STATUS);
    DWORD processId = 0;
    ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), ServiceState(service.Get(), &processId));
    EXPECT_NE(0u, processId);

    ServiceStatus status;
    ASSERT_TRUE(client.Status(&status));
    EXPECT_TRUE(status.answered);
    EXPECT_EQ(std::u16string(u"" LANVOY_VERSION_TEXT), status.version);
    EXPECT_GE(status.served, 1u);
    // Where the pipe names its server at all, it names the service.
    EXPECT_TRUE(status.server == ServerIdentity::kService || status.server == ServerIdentity::kCannotTell);
}

TEST_F(ServiceWin32Test, PipeCarriesItsDescriptorProtectedFromInheritance)
{
    bool isProtected = false;
    EXPECT_EQ(ExpectedDacl(L"S-1-5-4"), PipeDacl(&isProtected));
    EXPECT_TRUE(isProtected);

    // The installers' restriction: Network Configuration Operators in place of interactive users.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(HKEY_LOCAL_MACHINE, Wide(kInstallKey), &key));
    const std::u16string admins = kPipeAccessAdmins;
    RegSetValueExW(key, Wide(kPipeAccessValue), 0, REG_SZ, reinterpret_cast<const BYTE*>(admins.c_str()),
                   static_cast<DWORD>((admins.size() + 1) * 2));
    ASSERT_TRUE(StopLanvoyService());
    ASSERT_TRUE(StartLanvoyService());
    EXPECT_EQ(ExpectedDacl(L"S-1-5-32-556"), PipeDacl(&isProtected));
    EXPECT_TRUE(isProtected);
    RegDeleteValueW(key, Wide(kPipeAccessValue));
    RegCloseKey(key);
    ASSERT_TRUE(StopLanvoyService());
    ASSERT_TRUE(StartLanvoyService());
    EXPECT_EQ(ExpectedDacl(L"S-1-5-4"), PipeDacl(&isProtected));
}

TEST_F(ServiceWin32Test, HostileRequestsGetTheirErrorsAndNothingIsWritten)
{
    const auto status = Encoded(kStatus);
    auto edited = [&](auto edit) {
        auto bytes = Encoded({RequestKind::kEnable, kLab, u"", u"", u"", {}});
        edit(bytes);
        return RawExchange(bytes);
    };
    EXPECT_EQ(IpcError::kBadMagic, RawExchange(std::vector<std::uint8_t>(300, 0xA5)));
    EXPECT_EQ(IpcError::kOversized, RawExchange(std::vector<std::uint8_t>(3 * kMaxMessageBytes, 0)));
    EXPECT_EQ(IpcError::kTruncated, edited([](auto& b) { b.resize(100); }));
    EXPECT_EQ(IpcError::kTruncated, RawExchange({0x4C}));
    EXPECT_EQ(IpcError::kWrongVersion, edited([](auto& b) { b[4] = 9; }));
    EXPECT_EQ(IpcError::kTrailingBytes, edited([](auto& b) { b.push_back(0); }));
    EXPECT_EQ(IpcError::kUnknownKind, edited([](auto& b) { b[6] = 0x66; }));
    EXPECT_EQ(IpcError::kUnusedFieldSet, edited([](auto& b) { b[88] = '1'; }));

    ServiceAnswer answer;
    const auto send = [&](const ServiceRequest& request) {
        return client.Send(request, CServiceClient::kStatusDeadlineMs, &answer);
    };
    EXPECT_EQ(IpcError::kUnknownAdapter,
              send({RequestKind::kApplyDhcp, u"{00000000-1111-2222-3333-444444444444}", u"", u"", u"", {}}));
    EXPECT_EQ(IpcError::kUnknownAdapter, send({RequestKind::kDisable, kWan, u"", u"", u"", {}}));
    EXPECT_EQ(IpcError::kBadAdapterId, send({RequestKind::kDisable, u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03)", u"", u"", u"", {}}));
    EXPECT_EQ(IpcError::kBadIpAddress,
              send({RequestKind::kApplyStatic, kLab, u"256.1.1.1", u"255.255.255.0", u"", {}}));
    EXPECT_EQ(IpcError::kBadMask, send({RequestKind::kApplyStatic, kLab, u"10.1.1.1", u"255.0.255.0", u"", {}}));
    EXPECT_EQ(IpcError::kBadDnsServer,
              send({RequestKind::kApplyStatic, kLab, u"10.1.1.1", u"255.0.0.0", u"", {u"8.8.8.256"}}));
    EXPECT_EQ(u"非法子网掩码", IpcErrorText(IpcError::kBadMask, TextLanguage::kChinese));
    EXPECT_EQ(TcpIpValues(), before);
    EXPECT_EQ(IpcError::kOk, RawExchange(status));
}

TEST_F(ServiceWin32Test, ThirtyAtOnceAndASilentOneHoldNobodyUp)
{
    // Connects and sends nothing: dropped at the service's read deadline,
    // not answered, and not before the others were served.
    std::atomic<bool> silentConnected{false}, silentDropped{false}, silentOver{false};
    std::thread silent([&] {
        HANDLE pipe = OpenPipe(FILE_READ_DATA | FILE_WRITE_DATA | SYNCHRONIZE, FILE_FLAG_OVERLAPPED);
        silentConnected = pipe != INVALID_HANDLE_VALUE;
        HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        OVERLAPPED overlapped{};
        overlapped.hEvent = event;
        std::uint8_t reply[kAnswerBytes];
        DWORD done = 0;
        BOOL read = ReadFile(pipe, reply, sizeof(reply), nullptr, &overlapped);
        if (!read && GetLastError() == ERROR_IO_PENDING) {
            // Far past the service's deadline: a wait that ends here means it never dropped us.
            if (WaitForSingleObject(event, 30000) == WAIT_OBJECT_0) {
                silentDropped = !GetOverlappedResult(pipe, &overlapped, &done, FALSE);
            } else {
                CancelIoEx(pipe, &overlapped);
                GetOverlappedResult(pipe, &overlapped, &done, TRUE);
            }
        } else {
            silentDropped = !read;  // disconnected before the read began
        }
        silentOver = true;
        CloseHandle(event);
        CloseHandle(pipe);
    });
    while (!silentConnected && !silentOver)
        Sleep(10);

    const std::uint32_t servedBefore = Served();
    std::atomic<int> statuses{0}, refusals{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 30; ++i) {
        clients.emplace_back([&, i] {
            if (i % 2 == 0) {
                CServiceClient own;
                ServiceStatus status;
                if (own.Status(&status))
                    ++statuses;
            } else if (RawExchange(std::vector<std::uint8_t>(64, static_cast<std::uint8_t>(i))) == IpcError::kBadMagic) {
                ++refusals;
            }
        });
    }
    for (auto& thread : clients)
        thread.join();
    // The silent client held one worker; the others served everyone meanwhile.
    EXPECT_FALSE(silentOver.load());
    EXPECT_EQ(15, statuses.load());
    EXPECT_EQ(15, refusals.load());
    EXPECT_GE(Served(), servedBefore + 31);

    silent.join();
    EXPECT_TRUE(silentConnected.load());
    EXPECT_TRUE(silentDropped.load());
    EXPECT_EQ(TcpIpValues(), before);
}

TEST_F(ServiceWin32Test, AGoodRequestAfterwardsStillChangesTheAdapter)
{
    const std::uint32_t servedBefore = Served();
    CServiceAdapterChanger changer(client);
    ASSERT_TRUE(changer.ApplyStatic(kLab, u"10.9.8.7", u"255.255.0.0", u"10.9.0.1", u"1.1.1.1,8.8.4.4"))
        << static_cast<int>(changer.LastError());
    const std::wstring lab = kInterfaces + L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}";
    DWORD type = 0;
    EXPECT_EQ(RegMultiSzBytes({u"10.9.8.7"}), RawValue(lab, L"IPAddress", &type));
    EXPECT_EQ(RegMultiSzBytes({u"255.255.0.0"}), RawValue(lab, L"SubnetMask", &type));
    EXPECT_EQ(RegMultiSzBytes({u"10.9.0.1"}), RawValue(lab, L"DefaultGateway", &type));
    EXPECT_EQ(RegSzBytes(u"1.1.1.1,8.8.4.4"), RawValue(lab, L"NameServer", &type));
    EXPECT_EQ(RegDwordBytes(0), RawValue(lab, L"EnableDHCP", &type));
    EXPECT_EQ(servedBefore + 2, Served());

    ASSERT_TRUE(changer.ApplyDhcp(kLab, u""));
    EXPECT_EQ(RegDwordBytes(1), RawValue(lab, L"EnableDHCP", &type));
    EXPECT_TRUE(changer.SetAdapterEnabled(kLab, false));
    EXPECT_TRUE(changer.SetAdapterEnabled(kLab, true));
    // The other adapters are as they were.
    Values now = TcpIpValues();
    for (auto it = now.begin(); it != now.end();)
        it = it->first.rfind(L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}", 0) == 0 ? now.erase(it) : std::next(it);
    Values others = before;
    for (auto it = others.begin(); it != others.end();)
        it = it->first.rfind(L"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}", 0) == 0 ? others.erase(it) : std::next(it);
    EXPECT_EQ(others, now);
}

TEST_F(ServiceWin32Test, ClientFailsAtOnceWithoutAPipeAndRefusesAPipeWithNoServiceBehindIt)
{
    // kNoService comes only from the first try; a client that waited for
    // the pipe would end in kTransportFailed at its deadline.
    ServiceAnswer answer;
    CServiceClient nobody(u"\\\\.\\pipe\\LanvoyServiceMissing", kServiceName);
    EXPECT_EQ(IpcError::kNoService, nobody.Send(kStatus, CServiceClient::kChangeDeadlineMs, &answer));
    CServiceAdapterChanger changer(nobody);
    EXPECT_FALSE(changer.SetAdapterEnabled(kLab, true));
    EXPECT_EQ(IpcError::kNoService, changer.LastError());

    // A program that holds a pipe of the name, with no such service running.
    const std::u16string poserPipe = u"\\\\.\\pipe\\LanvoyServicePoser";
    HANDLE poser = CreateNamedPipeW(Wide(poserPipe), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1,
                                    4096, 4096, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, poser);
    CServiceClient fooled(poserPipe, u"LanvoyServiceNotInstalled");
    EXPECT_EQ(IpcError::kNotTheService, fooled.Send(kStatus, CServiceClient::kStatusDeadlineMs, &answer));
    CloseHandle(poser);
}
