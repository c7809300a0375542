#include "Driver.h"

#include "resource.h"

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ProductNames.h"
#include "platform/WideText.h"
#include "store/ProfileStore.h"
#include "support/MemoryRegistry.h"
#include "support/MemoryStartupTask.h"
#include "support/Win32RegistryValue.h"

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace e2e {

namespace fs = std::filesystem;

namespace {

const std::wstring kInterfaces = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const wchar_t* const kTcpIpValues[] = {L"IPAddress", L"SubnetMask", L"DefaultGateway", L"NameServer", L"EnableDHCP"};
const DemoAdapter kDemoAdapters[] = {kOffice, kHome, kLab};
constexpr UINT kAnswerTimeoutMs = 10000;

std::wstring Hex(UINT_PTR value)
{
    wchar_t text[32];
    swprintf(text, 32, L"%p", reinterpret_cast<void*>(value));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

// Every visible top-level window of a process with the given class.
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className, bool visibleOnly = true)
{
    struct Search {
        DWORD processId;
        const wchar_t* className;
        bool visibleOnly;
        std::vector<HWND> found;
    } search{processId, className, visibleOnly, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (ProcessOf(window) == s.processId && (!s.visibleOnly || IsWindowVisible(window)) &&
                (!s.className || ClassOf(window) == s.className))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result))
        throw CDriverError(L"window " + Hex(reinterpret_cast<UINT_PTR>(window)) + L" did not answer message " +
                           std::to_wstring(message));
    return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PostMessageW(window, message, wParam, lParam))
        throw CDriverError(L"could not post message " + std::to_wstring(message) + L" to window " +
                           Hex(reinterpret_cast<UINT_PTR>(window)));
}

// A block of memory inside the process that owns a window, for the control
// messages whose pointers the system does not carry across processes.
class CRemoteBlock {
public:
    CRemoteBlock(HWND window, std::size_t size) : size(size)
    {
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(window));
        if (process)
            address = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!address)
            throw CDriverError(L"could not reserve memory in the program's process (error " +
                               std::to_wstring(GetLastError()) + L")");
    }
    ~CRemoteBlock()
    {
        if (address)
            VirtualFreeEx(process, address, 0, MEM_RELEASE);
        if (process)
            CloseHandle(process);
    }
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    BYTE* At(std::size_t offset) const { return address + offset; }
    void Write(std::size_t offset, const void* data, std::size_t count)
    {
        SIZE_T done = 0;
        if (offset + count > size || !WriteProcessMemory(process, At(offset), data, count, &done) || done != count)
            throw CDriverError(L"could not write into the program's process");
    }
    void Read(std::size_t offset, void* data, std::size_t count) const
    {
        SIZE_T done = 0;
        if (offset + count > size || !ReadProcessMemory(process, At(offset), data, count, &done) || done != count)
            throw CDriverError(L"could not read from the program's process");
    }

private:
    HANDLE process = nullptr;
    BYTE* address = nullptr;
    std::size_t size;
};

bool ReadTcpIp(const DemoAdapter& adapter, const wchar_t* name, DWORD* type, std::vector<BYTE>* data)
{
    return ReadRegistryValue(kInterfaces + WideOf(adapter.guid), name, type, data);
}

fs::path TempRoot()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    return fs::path(buffer) / L"lanvoy-e2e";
}

struct ScratchStore {
    explicit ScratchStore(const fs::path& folder)
        : registry(), clock(LocalTime{2008, 12, 7, 18, 17, 6}),
          store(StoreEnvironment{(folder / L"lanvoy.exe").u16string(), files, registry, startupTask, clock})
    {
    }
    CLocalFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CFixedClock clock;
    CProfileStore store;
};

std::wstring TestName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? info->name() : "driver";
    return std::wstring(name.begin(), name.end());
}

}  // namespace

// ---- Errors, settings, text -------------------------------------------------

CDriverError::CDriverError(const std::wstring& what) : std::runtime_error(Narrow(what)) {}

DriverSettings& Settings()
{
    static DriverSettings settings;
    return settings;
}

namespace {

fs::path WindowsPath(std::wstring path)
{
    // A Unix path, as the build hands it over, lies on drive Z: under Wine.
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return fs::path(path);
}

}  // namespace

void ParseDriverArguments(int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring argument = argv[i];
        if (argument.rfind(L"--lanvoy=", 0) == 0)
            Settings().lanvoy = WindowsPath(argument.substr(9));
        else if (argument.rfind(L"--shots=", 0) == 0)
            Settings().shots = WindowsPath(argument.substr(8));
        else if (argument.rfind(L"--config=", 0) == 0)
            Settings().config = WindowsPath(argument.substr(9));
        else if (argument.rfind(L"--service=", 0) == 0)
            Settings().service = WindowsPath(argument.substr(10));
    }
}

std::string Narrow(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring WideOf(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string Utf16Bytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

// ---- Demo machine ---------------------------------------------------------------

std::wstring TcpIpText(const DemoAdapter& adapter, const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadTcpIp(adapter, name, &type, &data))
        return L"<absent>";
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2);
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    for (wchar_t& c : text)
        if (c == L'\0')
            c = L',';
    return text;
}

DWORD TcpIpDword(const DemoAdapter& adapter, const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    DWORD value = 0xFFFFFFFF;
    if (ReadTcpIp(adapter, name, &type, &data) && data.size() == 4)
        std::memcpy(&value, data.data(), 4);
    return value;
}

CDemoMachine::CDemoMachine()
{
    for (const DemoAdapter& adapter : kDemoAdapters)
        for (const wchar_t* name : kTcpIpValues) {
            Value& value = values[{WideOf(adapter.guid), name}];
            value.present = ReadTcpIp(adapter, name, &value.type, &value.data);
        }
}

CDemoMachine::~CDemoMachine()
{
    for (const auto& [where, value] : values) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kInterfaces + where.first).c_str(), 0, KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS)
            continue;
        if (value.present)
            RegSetValueExW(key, where.second.c_str(), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        else
            RegDeleteValueW(key, where.second.c_str());
        RegCloseKey(key);
    }
}

// ---- Configurations ---------------------------------------------------------------

AdapterRecord ManualEntry(const DemoAdapter& adapter, std::u16string ip, std::u16string mask,
                          std::u16string gateway, std::u16string dns1, std::u16string dns2)
{
    AdapterRecord entry;
    entry.adapterId = adapter.guid;
    entry.connectionName = adapter.connection;
    entry.enabled = 1;
    entry.mode = kModeManual;
    entry.ipAddress = std::move(ip);
    entry.subnetMask = std::move(mask);
    entry.gateway = std::move(gateway);
    entry.dns1 = std::move(dns1);
    entry.dns2 = std::move(dns2);
    return entry;
}

AdapterRecord DhcpEntry(const DemoAdapter& adapter, std::u16string dns1)
{
    AdapterRecord entry;
    entry.adapterId = adapter.guid;
    entry.connectionName = adapter.connection;
    entry.enabled = 1;
    entry.mode = kModeDhcp;
    entry.dns1 = std::move(dns1);
    return entry;
}

// ---- Files --------------------------------------------------------------------------

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string DefaultConfigBytes()
{
    const fs::path folder = TempRoot() / L"default-config";
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    std::string bytes;
    {
        ScratchStore scratch(folder);
        if (!scratch.store.CreateDefault())
            throw CDriverError(L"the store could not write a default configuration in " + folder.wstring());
        bytes = ReadBytes(folder / L"lanvoy.cfg");
    }
    fs::remove_all(folder, ignored);
    return bytes;
}

namespace {

bool IsTimeStamp(const std::wstring& text)
{
    // "08-12-07 18:17:06"
    const wchar_t* pattern = L"00-00-00 00:00:00";
    if (text.size() != 17)
        return false;
    for (std::size_t i = 0; i < 17; ++i) {
        bool digit = text[i] >= L'0' && text[i] <= L'9';
        if (pattern[i] == L'0' ? !digit : text[i] != pattern[i])
            return false;
    }
    return true;
}

}  // namespace

std::vector<LogEntry> ReadLog(const fs::path& file, bool breakAfterStamp)
{
    const std::string bytes = ReadBytes(file);
    auto broken = [&](std::size_t at, const wchar_t* what) {
        return CDriverError(file.wstring() + L": " + what + L" at byte " + std::to_wstring(at) + L" of " +
                            std::to_wstring(bytes.size()));
    };
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE')
        throw broken(0, L"no byte-order mark FF FE");
    if (bytes.size() % 2 != 0)
        throw broken(bytes.size(), L"an odd number of bytes");
    std::wstring text;
    for (std::size_t i = 2; i < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));

    const std::wstring separator = L"\r\n" + std::wstring(80, L'=') + L"\r\n";
    std::vector<LogEntry> entries;
    std::size_t at = 0;
    while (at < text.size()) {
        LogEntry entry;
        entry.stamp = text.substr(at, 17);
        if (!IsTimeStamp(entry.stamp))
            throw broken(2 + at * 2, L"no time stamp");
        at += 17;
        if (breakAfterStamp) {
            if (text.compare(at, 2, L"\r\n") != 0)
                throw broken(2 + at * 2, L"no line break after the time stamp");
            at += 2;
        }
        std::size_t end = text.find(separator, at);
        if (end == std::wstring::npos)
            throw broken(2 + at * 2, L"an entry without its line of 80 \"=\"");
        entry.message = text.substr(at, end - at);
        at = end + separator.size();
        entries.push_back(entry);
    }
    return entries;
}

std::vector<std::wstring> LogMessages(const fs::path& file, bool breakAfterStamp)
{
    std::vector<std::wstring> messages;
    for (const LogEntry& entry : ReadLog(file, breakAfterStamp))
        messages.push_back(entry.message);
    return messages;
}

// ---- Processes ----------------------------------------------------------------------

CProcess::~CProcess()
{
    Kill();
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

bool CProcess::Running() const
{
    return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD CProcess::WaitExit(Duration timeout) const
{
    if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        throw CDriverError(L"process " + std::to_wstring(info.dwProcessId) + L" did not end within " +
                           std::to_wstring(timeout.count()) + L" ms");
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

void CProcess::Kill()
{
    if (Running()) {
        TerminateProcess(info.hProcess, 255);
        WaitForSingleObject(info.hProcess, 10000);
    }
}

CLanvoyFolder::CLanvoyFolder()
{
    if (Settings().lanvoy.empty() || !fs::exists(Settings().lanvoy))
        throw CDriverError(L"the program under test is missing: pass --lanvoy=<path of lanvoy.exe> (given: \"" +
                           Settings().lanvoy.wstring() + L"\")");
    static std::atomic<int> counter{0};
    folder = TempRoot() / (TestName() + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                           std::to_wstring(counter++));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    fs::copy_file(Settings().lanvoy, folder / L"lanvoy.exe", fs::copy_options::overwrite_existing);
}

CLanvoyFolder::~CLanvoyFolder()
{
    processes.clear();  // kills what still runs
    std::error_code ignored;
    for (int attempt = 0; attempt < 20 && fs::exists(folder); ++attempt) {
        fs::remove_all(folder, ignored);
        if (fs::exists(folder))
            Sleep(100);
    }
}

namespace {

// Adds the profiles through the store and saves the file.
void AddAndSave(CProfileStore& store, const std::vector<ProfileSpec>& profiles, const fs::path& folder)
{
    for (const ProfileSpec& profile : profiles) {
        std::vector<const AdapterRecord*> entries;
        for (const AdapterRecord& entry : profile.entries)
            entries.push_back(&entry);
        if (!store.AddProfile(profile.name, entries))
            throw CDriverError(L"the store refused the profile " + WideOf(profile.name));
    }
    if (!store.Save())
        throw CDriverError(L"could not save the configuration in " + folder.wstring());
}

}  // namespace

void CLanvoyFolder::WriteConfig(const std::vector<ProfileSpec>& profiles, bool logFlag)
{
    ScratchStore scratch(folder);
    CProfileStore& store = scratch.store;
    store.logFlag = logFlag ? 1 : 0;
    if (!store.CreateDefault())
        throw CDriverError(L"could not write a configuration in " + folder.wstring());
    AddAndSave(store, profiles, folder);
}

void CLanvoyFolder::WriteDistributedConfig(const std::vector<ProfileSpec>& profiles, bool logFlag)
{
    if (Settings().config.empty() || !fs::exists(Settings().config))
        throw CDriverError(L"the distributed configuration is missing: pass --config=<path of lanvoy.cfg> (given: \"" +
                           Settings().config.wstring() + L"\")");
    fs::copy_file(Settings().config, folder / L"lanvoy.cfg", fs::copy_options::overwrite_existing);
    ScratchStore scratch(folder);
    CProfileStore& store = scratch.store;
    if (!store.Load())
        throw CDriverError(L"the distributed configuration " + Settings().config.wstring() + L" does not load");
    store.logFlag = logFlag ? 1 : 0;
    if (!store.WriteSystemSettings())
        throw CDriverError(L"could not write the switches into the configuration in " + folder.wstring());
    AddAndSave(store, profiles, folder);
}

std::vector<ProfileSpec> CLanvoyFolder::ConfigProfiles() const
{
    ScratchStore scratch(folder);
    if (!scratch.store.Load())
        throw CDriverError(L"the configuration in " + folder.wstring() + L" does not load");
    std::vector<ProfileSpec> profiles;
    for (const auto& profile : scratch.store.Profiles()) {
        ProfileSpec spec{profile->name, {}};
        for (const auto& connection : profile->connections)
            spec.entries.push_back(*connection);
        profiles.push_back(std::move(spec));
    }
    return profiles;
}

std::vector<std::wstring> CLanvoyFolder::ConfigNames() const
{
    ScratchStore scratch(folder);
    if (!scratch.store.Load())
        throw CDriverError(L"the configuration in " + folder.wstring() + L" does not load");
    std::vector<std::wstring> names;
    for (const auto& profile : scratch.store.Profiles())
        names.push_back(WideOf(profile->name));
    return names;
}

CProcess& CLanvoyFolder::Start(const std::wstring& arguments)
{
    return Launch(folder / L"lanvoy.exe", arguments);
}

CProcess& CLanvoyFolder::StartCopyOf(const fs::path& program)
{
    const fs::path exe = folder / program.filename();
    fs::copy_file(program, exe, fs::copy_options::overwrite_existing);
    return Launch(exe, L"");
}

CProcess& CLanvoyFolder::Launch(const fs::path& exe, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    const std::wstring elsewhere = TempRoot().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, elsewhere.c_str(),
                        &startup, &info))
        throw CDriverError(L"could not start " + commandLine + L" (error " + std::to_wstring(GetLastError()) + L")");
    processes.push_back(std::make_unique<CProcess>(info));
    return *processes.back();
}

// ---- Windows ------------------------------------------------------------------------

HWND FindMainWindow(DWORD processId)
{
    for (HWND window : TopLevelWindows(processId, nullptr, false))
        if (GetPropW(window, Wide(kInstanceName)))
            return window;
    return nullptr;
}

HWND WaitMainWindow(const CProcess& process, Duration timeout)
{
    HWND main = nullptr;
    WaitFor(
        L"the main window (property \"" + std::wstring(Wide(kInstanceName)) + L"\") of process " + std::to_wstring(process.Id()),
        [&] {
            if (!process.Running())
                throw CDriverError(L"process " + std::to_wstring(process.Id()) +
                                   L" ended before its main window appeared");
            main = FindMainWindow(process.Id());
            return main != nullptr;
        },
        timeout);
    return main;
}

void WaitVisible(HWND window, bool visible, Duration timeout)
{
    WaitFor(std::wstring(L"the main window to be ") + (visible ? L"visible" : L"hidden"),
            [&] { return (IsWindowVisible(window) != FALSE) == visible; }, timeout);
}

void WaitAnswering(HWND main, int rows, Duration timeout)
{
    HWND list = ProfileList(main);
    WaitFor(L"the list with its rows", [&] {
        DWORD_PTR ignored = 0, count = 0;
        return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 50, &ignored) != 0 &&
               SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 50, &count) != 0 &&
               static_cast<int>(count) == rows;
    }, timeout);
}

bool StaysVisible(HWND window, Duration time)
{
    auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (!IsWindowVisible(window))
            return false;
        Sleep(50);
    }
    return IsWindowVisible(window) != FALSE;
}

namespace {

std::vector<HWND> MessageBoxes(DWORD processId)
{
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows(processId, L"#32770")) {
        wchar_t caption[64] = {};
        GetWindowTextW(window, caption, 64);
        if (std::wstring(caption) == L"Lanvoy" && !GetPropW(window, Wide(kInstanceName)) && GetDlgItem(window, 0xFFFF))
            boxes.push_back(window);
    }
    return boxes;
}

}  // namespace

std::wstring WindowText(HWND window)
{
    std::vector<wchar_t> text(4096, L'\0');
    Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

MessageBoxSeen WaitMessageBox(const CProcess& process, Duration timeout)
{
    MessageBoxSeen box;
    WaitFor(
        L"a message box captioned \"Lanvoy\" of process " + std::to_wstring(process.Id()),
        [&] {
            auto boxes = MessageBoxes(process.Id());
            if (!boxes.empty()) {
                box.window = boxes.front();
                return true;
            }
            if (!process.Running())
                throw CDriverError(L"process " + std::to_wstring(process.Id()) +
                                   L" ended while a message box was awaited");
            return false;
        },
        timeout);
    box.text = WindowText(GetDlgItem(box.window, 0xFFFF));
    return box;
}

void Answer(const MessageBoxSeen& box, int button)
{
    HWND control = GetDlgItem(box.window, button);
    if (!control)
        throw CDriverError(L"the message box \"" + box.text + L"\" has no button " + std::to_wstring(button));
    Post(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    WaitFor(L"the message box \"" + box.text + L"\" to close",
            [&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

std::wstring AnswerNextBox(const CProcess& process, int button)
{
    MessageBoxSeen box = WaitMessageBox(process);
    Answer(box, button);
    return box.text;
}

bool NoMessageBoxFor(const CProcess& process, Duration time)
{
    auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (!MessageBoxes(process.Id()).empty())
            return false;
        Sleep(50);
    }
    return MessageBoxes(process.Id()).empty();
}

HWND FindWaitDialog(HWND main)
{
    struct Search {
        HWND found = nullptr;
    } search;
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t text[64] = {};
            GetWindowTextW(child, text, 64);
            if (std::wstring(text) == L"请稍候....") {
                reinterpret_cast<Search*>(data)->found = GetParent(child);
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---- Dialogs ----------------------------------------------------------------------------

// The first visible top-level window of the process of the class that
// `fits`; throws naming `what` on timeout or when the process ends meanwhile.
template <typename Fits>
HWND WaitTopLevel(const CProcess& process, const wchar_t* className, const std::wstring& what, Fits fits,
                  Duration timeout)
{
    HWND found = nullptr;
    WaitFor(
        what + L" of process " + std::to_wstring(process.Id()),
        [&] {
            for (HWND window : TopLevelWindows(process.Id(), className))
                if (fits(window)) {
                    found = window;
                    return true;
                }
            if (!process.Running())
                throw CDriverError(L"process " + std::to_wstring(process.Id()) + L" ended while " + what +
                                   L" was awaited");
            return false;
        },
        timeout);
    return found;
}

HWND WaitDialog(const CProcess& process, const std::wstring& caption, Duration timeout)
{
    return WaitTopLevel(process, L"#32770", L"the dialog \"" + caption + L"\"", [&](HWND window) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return caption == text && !GetPropW(window, Wide(kInstanceName));
    }, timeout);
}

HWND WaitFileDialog(const CProcess& process, Duration timeout)
{
    // Its file name box: the combo box cmb13 of the Explorer-style dialog.
    return WaitTopLevel(process, L"#32770", L"the open-file dialog", [](HWND window) {
        return GetDlgItem(window, cmb13) && !GetPropW(window, Wide(kInstanceName));
    }, timeout);
}

void ChooseFile(HWND fileDialog, const std::filesystem::path& file)
{
    HWND name = GetDlgItem(fileDialog, cmb13);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.wstring().c_str()));
    PostMessageW(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(fileDialog, IDOK)));
    WaitClosed(fileDialog);
}

HWND WaitWindowOfClass(const wchar_t* className, Duration timeout)
{
    HWND found = nullptr;
    WaitFor(std::wstring(L"a window of the class ") + className, [&] {
        found = FindWindowW(className, nullptr);
        return found != nullptr && IsWindowVisible(found);
    }, timeout);
    return found;
}

std::wstring TextOf(HWND window)
{
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void WaitClosed(HWND dialog, Duration timeout)
{
    wchar_t caption[256] = {};
    GetWindowTextW(dialog, caption, 256);
    WaitFor(L"the dialog \"" + std::wstring(caption) + L"\" to close",
            [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeout);
}

HWND Item(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        throw CDriverError(L"the dialog \"" + WindowText(dialog) + L"\" has no control " + std::to_wstring(id));
    return control;
}

std::wstring ItemText(HWND dialog, int id)
{
    return WindowText(Item(dialog, id));
}

void SetItemText(HWND dialog, int id, const std::wstring& text)
{
    // The system carries WM_SETTEXT's text across processes.
    Send(Item(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ItemEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(Item(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id)
{
    return Send(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Click(HWND dialog, int id)
{
    Post(Item(dialog, id), BM_CLICK, 0, 0);
}

namespace {

// The four field edits of an IP address control, left to right.
std::vector<HWND> AddressFields(HWND control)
{
    std::vector<HWND> fields;
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        fields.push_back(child);
    auto left = [](HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect.left;
    };
    std::sort(fields.begin(), fields.end(), [&](HWND a, HWND b) { return left(a) < left(b); });
    if (fields.size() != 4)
        throw CDriverError(L"an IP address control with " + std::to_wstring(fields.size()) + L" fields");
    return fields;
}

std::vector<std::wstring> DottedParts(const std::wstring& dotted)
{
    std::vector<std::wstring> parts(1);
    for (wchar_t c : dotted)
        if (c == L'.')
            parts.emplace_back();
        else
            parts.back() += c;
    if (parts.size() != 4)
        throw CDriverError(L"not a dotted address: " + dotted);
    return parts;
}

}  // namespace

std::wstring Address(HWND dialog, int id)
{
    HWND control = Item(dialog, id);
    CRemoteBlock block(control, sizeof(DWORD));
    DWORD value = 0;
    block.Write(0, &value, sizeof value);
    // The answer is the number of fields that are not blank.
    if (Send(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(block.At(0))) == 0)
        return L"";
    block.Read(0, &value, sizeof value);
    return std::to_wstring(FIRST_IPADDRESS(value)) + L"." + std::to_wstring(SECOND_IPADDRESS(value)) + L"." +
           std::to_wstring(THIRD_IPADDRESS(value)) + L"." + std::to_wstring(FOURTH_IPADDRESS(value));
}

void TypeAddress(HWND dialog, int id, const std::wstring& dotted)
{
    const std::vector<HWND> fields = AddressFields(Item(dialog, id));
    const std::vector<std::wstring> parts = DottedParts(dotted);
    for (int i = 0; i < 4; ++i) {
        // What the field held is selected, so the keys replace it. Sent,
        // not posted: each key is handled before the next one and the check.
        Send(fields[i], EM_SETSEL, 0, -1);
        for (wchar_t c : parts[i])
            Send(fields[i], WM_CHAR, c, 1);
    }
    // A field refuses a key when its text would not fit its width.
    const std::wstring shown = Address(dialog, id);
    if (shown != dotted)
        throw CDriverError(L"typed " + dotted + L" into the IP address control " + std::to_wstring(id) +
                           L", which shows " + (shown.empty() ? L"nothing" : shown));
}

std::vector<std::wstring> ComboItems(HWND dialog, int id)
{
    HWND combo = Item(dialog, id);
    std::vector<std::wstring> items;
    const int count = static_cast<int>(Send(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // The system carries the item's text across processes.
        std::vector<wchar_t> text(static_cast<std::size_t>(Send(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(text.data());
    }
    return items;
}

std::wstring ComboSelection(HWND dialog, int id)
{
    const int selected = static_cast<int>(Send(Item(dialog, id), CB_GETCURSEL, 0, 0));
    if (selected < 0)
        return L"";
    return ComboItems(dialog, id).at(static_cast<std::size_t>(selected));
}

void PickInCombo(HWND dialog, int id, const std::wstring& text)
{
    HWND combo = Item(dialog, id);
    const std::vector<std::wstring> items = ComboItems(dialog, id);
    auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end())
        throw CDriverError(L"the combo box " + std::to_wstring(id) + L" has no item \"" + text + L"\"");
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(found - items.begin()), 0);
    // As the list tells its dialog after a pick with the mouse.
    Post(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void DropDown(HWND dialog, int id)
{
    HWND combo = Item(dialog, id);
    Send(combo, CB_SHOWDROPDOWN, TRUE, 0);
    WaitFor(L"the list of the combo box " + std::to_wstring(id) + L" to drop down",
            [&] { return Send(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; });
}

std::vector<std::wstring> TabLabels(HWND dialog, int id)
{
    constexpr std::size_t kChars = 256;
    HWND tabs = Item(dialog, id);
    std::vector<std::wstring> labels;
    const int count = static_cast<int>(Send(tabs, TCM_GETITEMCOUNT, 0, 0));
    CRemoteBlock block(tabs, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(TCITEMW)));
        item.cchTextMax = kChars;
        block.Write(0, &item, sizeof item);
        std::vector<wchar_t> text(kChars, L'\0');
        block.Write(sizeof(TCITEMW), text.data(), kChars * sizeof(wchar_t));
        if (!Send(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(block.At(0))))
            throw CDriverError(L"the tab control " + std::to_wstring(id) + L" gave no text for tab " + std::to_wstring(i));
        block.Read(sizeof(TCITEMW), text.data(), kChars * sizeof(wchar_t));
        text.back() = L'\0';
        labels.push_back(text.data());
    }
    return labels;
}

int SelectedTab(HWND dialog, int id)
{
    return static_cast<int>(Send(Item(dialog, id), TCM_GETCURSEL, 0, 0));
}

void ClickTab(HWND dialog, int id, int tab)
{
    HWND tabs = Item(dialog, id);
    CRemoteBlock block(tabs, sizeof(RECT));
    RECT rect{};
    block.Write(0, &rect, sizeof rect);
    if (!Send(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(block.At(0))))
        throw CDriverError(L"the tab control " + std::to_wstring(id) + L" has no tab " + std::to_wstring(tab));
    block.Read(0, &rect, sizeof rect);
    // A tab control that never takes the focus selects on the button press.
    const LPARAM where = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Post(tabs, WM_LBUTTONDOWN, MK_LBUTTON, where);
    Post(tabs, WM_LBUTTONUP, 0, where);
    WaitFor(L"tab " + std::to_wstring(tab) + L" to be selected by the click",
            [&] { return SelectedTab(dialog, id) == tab; });
}

// ---- Profile list ---------------------------------------------------------------------

HWND ProfileList(HWND main)
{
    HWND list = GetDlgItem(main, IDC_PROFILE_LIST);
    if (!list)
        throw CDriverError(L"the main window has no profile list (control IDC_PROFILE_LIST)");
    return list;
}

int RowCount(HWND main)
{
    return static_cast<int>(Send(ProfileList(main), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring CellText(HWND main, int row, int column)
{
    constexpr std::size_t kChars = 1024;
    HWND list = ProfileList(main);
    CRemoteBlock block(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(LVITEMW)));
    item.cchTextMax = kChars;
    block.Write(0, &item, sizeof item);
    std::vector<wchar_t> zero(kChars, L'\0');
    block.Write(sizeof(LVITEMW), zero.data(), kChars * sizeof(wchar_t));
    Send(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.At(0)));
    std::vector<wchar_t> text(kChars, L'\0');
    block.Read(sizeof(LVITEMW), text.data(), kChars * sizeof(wchar_t));
    text.back() = L'\0';
    return text.data();
}

std::vector<Row> Rows(HWND main)
{
    std::vector<Row> rows;
    int count = RowCount(main);
    for (int r = 0; r < count; ++r)
        rows.push_back({CellText(main, r, 1), CellText(main, r, 2), CellText(main, r, 3)});
    return rows;
}

std::vector<std::wstring> Names(HWND main)
{
    std::vector<std::wstring> names;
    int count = RowCount(main);
    for (int r = 0; r < count; ++r)
        names.push_back(CellText(main, r, 2));
    return names;
}

namespace {

RECT ClientRowRect(HWND list, int row)
{
    CRemoteBlock block(list, sizeof(RECT));
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    block.Write(0, &rect, sizeof rect);
    if (!Send(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(block.At(0))))
        throw CDriverError(L"the profile list has no row " + std::to_wstring(row));
    block.Read(0, &rect, sizeof rect);
    return rect;
}

// A point on the row's name (column 2: after the icon and number columns).
POINT NamePoint(const RECT& row)
{
    return POINT{row.left + 37 + 40 + 40, (row.top + row.bottom) / 2};
}

void MoveMouseTo(POINT screen)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = static_cast<LONG>((screen.x * 65535LL + (width - 1) / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((screen.y * 65535LL + (height - 1) / 2) / (height - 1));
    SendInput(1, &input, sizeof input);
}

}  // namespace

void PointerTo(POINT screen)
{
    MoveMouseTo(screen);
    WaitFor(L"the pointer to reach (" + std::to_wstring(screen.x) + L", " + std::to_wstring(screen.y) + L")", [&] {
        POINT now{};
        GetCursorPos(&now);
        return std::abs(now.x - screen.x) <= 1 && std::abs(now.y - screen.y) <= 1;
    });
    Sleep(250);
}

void PointerAway()
{
    PointerTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
}

RECT RowRect(HWND main, int row)
{
    HWND list = ProfileList(main);
    RECT rect = ClientRowRect(list, row);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT BlankPointOf(const RECT& row)
{
    return POINT{row.left + 37 + 40 + 200, row.top + 3};
}

bool RowSelected(HWND main, int row)
{
    return (Send(ProfileList(main), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

namespace {

// A press and release of a mouse button on a row's name, the pointer there too.
void PressOnRow(HWND main, int row, UINT down, UINT up, WPARAM held)
{
    HWND list = ProfileList(main);
    POINT at = NamePoint(ClientRowRect(list, row));
    POINT screen = at;
    ClientToScreen(list, &screen);
    PointerTo(screen);
    LPARAM where = MAKELPARAM(at.x, at.y);
    Post(list, down, held, where);
    Post(list, up, 0, where);
}

}  // namespace

void ClickRow(HWND main, int row)
{
    PressOnRow(main, row, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    WaitFor(L"row " + std::to_wstring(row) + L" to be selected by the click", [&] { return RowSelected(main, row); });
}

void RightClickRow(const CProcess& process, HWND main, int row)
{
    PressOnRow(main, row, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    WaitFor(L"the list menu to open on row " + std::to_wstring(row),
            [&] { return VisibleMenuCount(process.Id()) == 1; });
}

void DoubleClickRow(HWND main, int row)
{
    ClickRow(main, row);
    HWND list = ProfileList(main);
    POINT at = NamePoint(ClientRowRect(list, row));
    LPARAM where = MAKELPARAM(at.x, at.y);
    Post(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    Post(list, WM_LBUTTONUP, 0, where);
}

void HoverRow(HWND main, int row)
{
    HWND list = ProfileList(main);
    RECT rect = ClientRowRect(list, row);
    POINT at = NamePoint(rect);
    ClientToScreen(list, &at);
    // Several small moves: the list starts tracking at the first, the tip
    // shows once the pointer rests.
    for (int step = 0; step < 3; ++step)
        PointerTo(POINT{at.x + step * 4, at.y});
}

std::wstring MarkedName(const CProcess& process, HWND main)
{
    Command(main, ID_PROFILE_DELETE);
    MessageBoxSeen box = WaitMessageBox(process);
    const std::wstring prefix = L"确认要删除配置[", suffix = L"]吗？";
    if (box.text.rfind(prefix, 0) == 0 && box.text.size() >= prefix.size() + suffix.size() &&
        box.text.compare(box.text.size() - suffix.size(), suffix.size(), suffix) == 0) {
        Answer(box, IDNO);
        return box.text.substr(prefix.size(), box.text.size() - prefix.size() - suffix.size());
    }
    Answer(box, IDOK);
    if (box.text != L"没有选中任何配置!")
        throw CDriverError(L"the delete command showed \"" + box.text + L"\"");
    return L"";
}

HWND WaitTooltip(const CProcess& process, Duration timeout)
{
    return WaitTopLevel(process, L"tooltips_class32", L"a visible tooltip",
                        [](HWND window) { return !WindowText(window).empty(); }, timeout);
}

// ---- Commands and tray --------------------------------------------------------------

void Command(HWND main, int id)
{
    Post(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void SysCommand(HWND main, int command)
{
    Post(main, WM_SYSCOMMAND, command, 0);
}

void TrayMouse(HWND main, UINT mouseMessage)
{
    Post(main, WM_USER + TRAY_CALLBACK_OFFSET, TRAY_ICON_UID, mouseMessage);
}

std::vector<HWND> OpenMenus(DWORD processId)
{
    return TopLevelWindows(processId, L"#32768");
}

int VisibleMenuCount(DWORD processId)
{
    return static_cast<int>(OpenMenus(processId).size());
}

namespace {

void MenuKey(DWORD processId, UINT key)
{
    auto menus = OpenMenus(processId);
    if (menus.empty())
        throw CDriverError(L"no menu of process " + std::to_wstring(processId) + L" is open for a key press");
    Post(menus.front(), WM_KEYDOWN, key, 0);
    Sleep(60);
}

}  // namespace

void OpenMenuBarMenu(const CProcess& process, HWND main, wchar_t accessKey)
{
    SetForegroundWindow(main);
    // As Alt with the letter: the menu bar opens the menu that the letter names.
    Post(main, WM_SYSCOMMAND, SC_KEYMENU, accessKey);
    WaitFor(L"the menu-bar menu \"" + std::wstring(1, accessKey) + L"\" to open",
            [&] { return VisibleMenuCount(process.Id()) == 1; });
    Sleep(200);
}

void MenuKeys(const CProcess& process, std::initializer_list<UINT> keys)
{
    for (UINT key : keys)
        MenuKey(process.Id(), key);
    Sleep(200);
}

void OpenTraySubMenu(const CProcess& process, HWND main, int position)
{
    // The selectable positions of the tray menu; the others are separators.
    const int selectable[] = {0, 1, 3, 4, 6, 8, 9, 11};
    int downs = 0;
    while (downs < 8 && selectable[downs] != position)
        ++downs;
    if (downs == 8)
        throw CDriverError(L"the tray menu has no sub-menu at position " + std::to_wstring(position));

    // The menu opens at the pointer: keep it on the screen's upper left.
    PointerTo(POINT{120, 80});
    TrayMouse(main, WM_RBUTTONDOWN);
    WaitFor(L"the tray menu to open", [&] { return VisibleMenuCount(process.Id()) == 1; });
    Sleep(300);  // the menu loop starts after the window shows
    for (int i = 0; i <= downs; ++i)
        MenuKey(process.Id(), VK_DOWN);
    MenuKey(process.Id(), VK_RIGHT);
    WaitFor(L"the sub-menu at tray position " + std::to_wstring(position) + L" to open",
            [&] { return VisibleMenuCount(process.Id()) == 2; });
    Sleep(200);
}

void ChooseInSubMenu(const CProcess& process, int item)
{
    for (int i = 0; i < item; ++i)
        MenuKey(process.Id(), VK_DOWN);
    MenuKey(process.Id(), VK_RETURN);
    WaitFor(L"the tray menu to close", [&] { return VisibleMenuCount(process.Id()) == 0; });
}

void CloseMenus(const CProcess& process)
{
    for (int i = 0; i < 5 && VisibleMenuCount(process.Id()) > 0; ++i)
        MenuKey(process.Id(), VK_ESCAPE);
    WaitFor(L"the menus to close", [&] { return VisibleMenuCount(process.Id()) == 0; });
}

// ---- Screenshots ----------------------------------------------------------------------

COLORREF ScreenPixel(POINT at)
{
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

void MoveWindowTo(HWND window, int x, int y)
{
    if (!SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
        throw CDriverError(L"could not move window " + Hex(reinterpret_cast<UINT_PTR>(window)));
}

namespace {

// Saves a rectangle of the screen as <shots>/<name>.bmp, 24 bits, bottom-up.
void SaveArea(const std::wstring& name, const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        throw CDriverError(L"nothing on the screen to take the screenshot " + name + L" of");
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();

    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageBytes = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + imageBytes;
    info.bmiHeader.biSizeImage = imageBytes;
    std::ofstream out(Settings().shots / (name + L".bmp"), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
    out.write(static_cast<const char*>(bits), imageBytes);
    const bool written = copied && out.good();

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!written)
        throw CDriverError(L"could not save the screenshot " + name);
}

// False when no screenshots are wanted; otherwise lets the last paint reach
// the screen first.
bool PrepareShot()
{
    if (Settings().shots.empty())
        return false;
    fs::create_directories(Settings().shots);
    Sleep(300);
    return true;
}

}  // namespace

void SaveScreenshot(const std::wstring& name, HWND window)
{
    if (!PrepareShot())
        return;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window && !GetWindowRect(window, &area))
        throw CDriverError(L"no window to take the screenshot " + name + L" of");
    SaveArea(name, area);
}

void SaveScreenshotAround(const std::wstring& name, const std::vector<HWND>& windows)
{
    if (!PrepareShot())
        return;
    RECT area{};
    for (HWND window : windows) {
        RECT rect{};
        if (!GetWindowRect(window, &rect))
            throw CDriverError(L"a window of the screenshot " + name + L" is gone");
        UnionRect(&area, &area, &rect);
    }
    SaveArea(name, area);
}

}  // namespace e2e
