#pragma once
// lanvoy-service.exe registered, started, stopped and removed in the Wine
// prefix through the service manager, for the tests that talk to it.

#include "platform/ProductNames.h"
#include "platform/WideText.h"

#include <windows.h>

#include <string>

class CServiceHandle {
public:
    explicit CServiceHandle(SC_HANDLE handle = nullptr) : handle(handle) {}
    ~CServiceHandle()
    {
        if (handle)
            CloseServiceHandle(handle);
    }
    CServiceHandle(const CServiceHandle&) = delete;
    CServiceHandle& operator=(const CServiceHandle&) = delete;
    SC_HANDLE Get() const { return handle; }

private:
    SC_HANDLE handle;
};

inline DWORD ServiceState(SC_HANDLE service, DWORD* processId = nullptr)
{
    SERVICE_STATUS_PROCESS status{};
    DWORD size = 0;
    if (!QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof(status),
                              &size))
        return 0;
    if (processId)
        *processId = status.dwProcessId;
    return status.dwCurrentState;
}

inline bool WaitForServiceState(SC_HANDLE service, DWORD state)
{
    for (int i = 0; i < 200; ++i) {
        if (ServiceState(service) == state)
            return true;
        Sleep(50);
    }
    return false;
}

inline CServiceHandle OpenLanvoyService(DWORD access = SERVICE_ALL_ACCESS)
{
    CServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    return CServiceHandle(manager.Get() ? OpenServiceW(manager.Get(), Wide(kServiceName), access) : nullptr);
}

// False when it runs on; true also when there is no service to stop.
inline bool StopLanvoyService()
{
    CServiceHandle service = OpenLanvoyService();
    if (!service.Get())
        return true;
    SERVICE_STATUS status{};
    ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
    return WaitForServiceState(service.Get(), SERVICE_STOPPED);
}

inline bool StartLanvoyService()
{
    CServiceHandle service = OpenLanvoyService();
    return service.Get() && StartServiceW(service.Get(), 0, nullptr) &&
           WaitForServiceState(service.Get(), SERVICE_RUNNING);
}

inline void RemoveLanvoyService()
{
    StopLanvoyService();
    CServiceHandle service = OpenLanvoyService();
    if (service.Get())
        DeleteService(service.Get());
}

// Registers the program at `path` (a Windows path) as the service, with its
// path quoted as the installers write it: unquoted, a blank is a hole.
// A service a failed run left behind goes first.
inline bool InstallLanvoyService(const std::wstring& path)
{
    RemoveLanvoyService();
    CServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.Get())
        return false;
    const std::wstring command = L"\"" + path + L"\"";
    CServiceHandle service(CreateServiceW(manager.Get(), Wide(kServiceName), Wide(kServiceDisplayName),
                                          SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                          SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr));
    return service.Get() != nullptr;
}
