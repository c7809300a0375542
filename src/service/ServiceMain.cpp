// lanvoy-service.exe: the Windows service that makes the adapter changes a
// standard user may not. `-console` runs the same pipe server in the
// foreground until Ctrl+C, for tests and diagnosis.

#include "net/Win32Net.h"
#include "platform/ProductNames.h"
#include "platform/WideText.h"
#include "service/PipeAccess.h"
#include "service/PipeServer.h"
#include "service/Win32EventLog.h"
#include "text/DecimalText.h"

#include "lanvoy_version.h"

#include <windows.h>

#include <chrono>
#include <cwchar>

namespace {

// A change waits this long for the one before it.
constexpr std::chrono::milliseconds kChangeWait{10000};

// The service manager calls back without a context: the one service's state.
struct ServiceState {
    SERVICE_STATUS_HANDLE handle = nullptr;
    SERVICE_STATUS status{};
    HANDLE stop = nullptr;
} service;

// A DLL planted beside the program or in the current folder must never load
// into a process that runs as SYSTEM. Looked up, as Windows 7 has it only
// with an update.
void LoadDllsFromSystem32Only()
{
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetDirectories>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                      : nullptr;
    if (set)
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Serves the pipe until `stop` is set; `running` is called once it serves.
// 0, or the system error code that kept it from starting.
template <typename Running>
DWORD RunServer(HANDLE stop, Running running)
{
    CWin32EventLog log;
    CWin32NetPlatform system(RunningUnderWine());
    CRequestExecutor executor(system.Platform());
    CRequestHandler handler(executor, log, {LANVOY_VERSION_MAJOR, LANVOY_VERSION_MINOR, LANVOY_VERSION_PATCH},
                            kChangeWait);
    CPipeServer server(handler, kServicePipeName, PipeSecurityDescriptor(system.registry), PipeDeadlines{});
    const DWORD error = server.Start();
    if (error != 0) {
        log.Report(EventType::kError, u"The service's pipe could not be created (error " + DecimalText(error) +
                                          u"); another program may hold its name.");
        return error;
    }
    running();
    WaitForSingleObject(stop, INFINITE);
    server.Stop();
    return 0;
}

void Report(DWORD state, DWORD exitCode = NO_ERROR)
{
    service.status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    service.status.dwCurrentState = state;
    service.status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    service.status.dwWin32ExitCode = exitCode;
    service.status.dwWaitHint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : 5000;
    SetServiceStatus(service.handle, &service.status);
}

DWORD WINAPI OnControl(DWORD control, DWORD, void*, void*)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        Report(SERVICE_STOP_PENDING);
        SetEvent(service.stop);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD, wchar_t**)
{
    service.handle = RegisterServiceCtrlHandlerExW(Wide(kServiceName), OnControl, nullptr);
    if (!service.handle)
        return;
    Report(SERVICE_START_PENDING);
    service.stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const DWORD error = service.stop ? RunServer(service.stop, [] { Report(SERVICE_RUNNING); }) : GetLastError();
    Report(SERVICE_STOPPED, error);
}

HANDLE consoleStop = nullptr;

BOOL WINAPI OnConsoleControl(DWORD)
{
    SetEvent(consoleStop);
    return TRUE;
}

int RunConsole()
{
    consoleStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    return static_cast<int>(RunServer(consoleStop, [] {}));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    LoadDllsFromSystem32Only();
    if (argc == 2 && std::wcscmp(argv[1], L"-console") == 0)
        return RunConsole();
    std::u16string name = kServiceName;
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(Wide(name)), ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : static_cast<int>(GetLastError());
}
