#include "platform/Win32StartupTask.h"

#include "platform/ComScope.h"
#include "platform/WideText.h"

#define SECURITY_WIN32
#include <windows.h>
#include <security.h>
#include <taskschd.h>

namespace {

// The scheduler's root folder on this machine; false when the service cannot
// be reached (not running, COM refused).
bool ConnectRoot(CComHolder<ITaskFolder>& root)
{
    CComHolder<ITaskService> service;
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                service.Out())))
        return false;
    VARIANT none;
    VariantInit(&none);
    if (FAILED(service->Connect(none, none, none, none)))
        return false;
    CBstr rootPath(L"\\");
    return SUCCEEDED(service->GetFolder(rootPath.Get(), root.Put())) && root;
}

// Runs `use` on the root folder; false when it cannot be had. The program
// sets COM up once for its thread (CLanvoyApp::Run).
template <typename Use>
bool WithRoot(Use use)
{
    CComHolder<ITaskFolder> root;
    if (!ConnectRoot(root))
        return false;
    return use(*root.Get());
}

}  // namespace

std::u16string CWin32StartupTask::CurrentUser()
{
    wchar_t user[512] = {};
    ULONG size = ARRAYSIZE(user);
    if (!GetUserNameExW(NameSamCompatible, user, &size))
        return {};
    return FromWide(user);
}

bool CWin32StartupTask::Register(const StartupTaskDefinition& definition)
{
    // The trigger names the user: without one, every user's sign-in would
    // start the task.
    const std::u16string user = CurrentUser();
    if (user.empty())
        return false;
    return WithRoot([&](ITaskFolder& root) {
        // The whole task as one document: the scheduler takes it or refuses
        // it, so no half-made task is left behind.
        CBstr path(Wide(name));
        CBstr xml(Wide(StartupTaskXml(definition, user)));
        VARIANT none;
        VariantInit(&none);
        CComHolder<IRegisteredTask> registered;
        return SUCCEEDED(root.RegisterTask(path.Get(), xml.Get(), TASK_CREATE_OR_UPDATE, none, none,
                                           TASK_LOGON_INTERACTIVE_TOKEN, none, registered.Put()));
    });
}

bool CWin32StartupTask::Starts(const StartupTaskDefinition& definition)
{
    return WithRoot([&](ITaskFolder& root) {
        CBstr path(Wide(name));
        CComHolder<IRegisteredTask> task;
        CComHolder<ITaskDefinition> held;
        CComHolder<IActionCollection> actions;
        LONG count = 0;
        if (FAILED(root.GetTask(path.Get(), task.Put())) || FAILED(task->get_Definition(held.Put())) ||
            FAILED(held->get_Actions(actions.Put())) || FAILED(actions->get_Count(&count)) || count != 1)
            return false;
        CComHolder<IAction> action;
        CComHolder<IExecAction> exec;
        CBstr program, arguments, folder;
        if (FAILED(actions->get_Item(1, action.Put())) ||
            FAILED(action->QueryInterface(IID_IExecAction, exec.Out())) || FAILED(exec->get_Path(program.Put())) || FAILED(exec->get_Arguments(arguments.Put())) ||
            FAILED(exec->get_WorkingDirectory(folder.Put())))
            return false;
        return definition == StartupTaskDefinition{FromWide(program.Text()), FromWide(arguments.Text()),
                                                   FromWide(folder.Text())};
    });
}

bool CWin32StartupTask::Remove()
{
    return WithRoot([&](ITaskFolder& root) {
        CBstr path(Wide(name));
        HRESULT deleted = root.DeleteTask(path.Get(), 0);
        return SUCCEEDED(deleted) || deleted == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
               deleted == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    });
}
