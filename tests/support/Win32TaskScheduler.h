#pragma once
// The Task Scheduler's root folder as tests see it, past the code under test.
// Windows build only.

#include "platform/ComScope.h"

#include <windows.h>
#include <taskschd.h>

#include <string>

// Windows always runs the scheduler; a Wine prefix starts it on demand.
inline bool TaskSchedulerRunning()
{
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceW(manager, L"Schedule", SERVICE_START | SERVICE_QUERY_STATUS) : nullptr;
    bool running = false;
    if (service) {
        StartServiceW(service, 0, nullptr);
        for (int i = 0; i < 100 && !running; ++i) {
            SERVICE_STATUS status = {};
            running = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
            if (!running)
                Sleep(50);
        }
        CloseServiceHandle(service);
    }
    if (manager)
        CloseServiceHandle(manager);
    return running;
}

// Started if need be and connected on construction; Connected() says
// whether that worked. Lives on one thread, inside its COM scope.
class CTaskSchedulerRoot {
public:
    CTaskSchedulerRoot()
    {
        if (!TaskSchedulerRunning())
            return;
        CComHolder<ITaskService> service;
        VARIANT none;
        VariantInit(&none);
        CBstr root(L"\\");
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                       service.Out())) &&
            SUCCEEDED(service->Connect(none, none, none, none)))
            service->GetFolder(root.Get(), folder.Put());
    }
    bool Connected() const { return static_cast<bool>(folder); }

    // The registered task, or the scheduler's answer why there is none.
    HRESULT Find(const std::wstring& name, CComHolder<IRegisteredTask>& task)
    {
        CBstr path(name.c_str());
        return folder->GetTask(path.Get(), task.Put());
    }
    bool Exists(const std::wstring& name)
    {
        CComHolder<IRegisteredTask> task;
        return SUCCEEDED(Find(name, task));
    }
    void Delete(const std::wstring& name)
    {
        CBstr path(name.c_str());
        folder->DeleteTask(path.Get(), 0);
    }

private:
    CComHolder<ITaskFolder> folder;
};
