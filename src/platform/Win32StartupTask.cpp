#include "platform/Win32StartupTask.h"

#include "platform/ComScope.h"
#include "platform/WideText.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <taskschd.h>
#include <wtsapi32.h>

#include <vector>

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

std::u16string SidText(PSID sid)
{
    LPWSTR text = nullptr;
    if (!sid || !ConvertSidToStringSidW(sid, &text))
        return {};
    std::u16string result = FromWide(text);
    LocalFree(text);
    return result;
}

std::u16string SessionText(WTS_INFO_CLASS which)
{
    LPWSTR text = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, which, &text, &bytes) || !text)
        return {};
    std::u16string result = FromWide(text);
    WTSFreeMemory(text);
    return result;
}

// The user of a process's token.
std::u16string TokenUserSid(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    std::vector<BYTE> buffer(SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER));
    DWORD size = 0;
    std::u16string sid;
    if (GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size))
        sid = SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    CloseHandle(token);
    return sid;
}

}  // namespace

std::u16string SidOfAccount(const std::u16string& account)
{
    if (account.rfind(u"S-1-", 0) == 0)
        return account;
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    wchar_t domain[256];
    DWORD domainSize = ARRAYSIZE(domain);
    SID_NAME_USE use;
    if (account.empty() || !LookupAccountNameW(nullptr, Wide(account), sid, &sidSize, domain, &domainSize, &use))
        return {};
    return SidText(sid);
}

std::u16string CWin32StartupTask::SessionUserSid()
{
    // The session's user, whoever's password elevated this process.
    const std::u16string name = SessionText(WTSUserName);
    if (!name.empty()) {
        const std::u16string domain = SessionText(WTSDomainName);
        std::u16string sid = SidOfAccount(domain.empty() ? name : domain + u"\\" + name);
        if (!sid.empty())
            return sid;
    }
    // The shell runs as the signed-in user too.
    DWORD shellProcess = 0;
    if (HWND shell = GetShellWindow(); shell && GetWindowThreadProcessId(shell, &shellProcess)) {
        if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellProcess)) {
            std::u16string sid = TokenUserSid(process);
            CloseHandle(process);
            if (!sid.empty())
                return sid;
        }
    }
    return TokenUserSid(GetCurrentProcess());
}

std::u16string CWin32StartupTask::TaskName() const
{
    const std::u16string sid = SessionUserSid();
    return sid.empty() ? std::u16string() : StartupTaskName(prefix, sid);
}

bool CWin32StartupTask::Register(const StartupTaskDefinition& definition)
{
    // The trigger names the user: without one, every user's sign-in would
    // start the task.
    const std::u16string sid = SessionUserSid();
    if (sid.empty())
        return false;
    return WithRoot([&](ITaskFolder& root) {
        // The whole task as one document: the scheduler takes it or refuses
        // it, so no half-made task is left behind.
        CBstr path(Wide(StartupTaskName(prefix, sid)));
        CBstr xml(Wide(StartupTaskXml(definition, sid)));
        VARIANT none;
        VariantInit(&none);
        CComHolder<IRegisteredTask> registered;
        return SUCCEEDED(root.RegisterTask(path.Get(), xml.Get(), TASK_CREATE_OR_UPDATE, none, none,
                                           TASK_LOGON_INTERACTIVE_TOKEN, none, registered.Put()));
    });
}

bool CWin32StartupTask::Starts(const StartupTaskDefinition& definition)
{
    const std::u16string sid = SessionUserSid();
    if (sid.empty())
        return false;
    return WithRoot([&](ITaskFolder& root) {
        CBstr path(Wide(StartupTaskName(prefix, sid)));
        CComHolder<IRegisteredTask> task;
        CComHolder<ITaskDefinition> held;
        CComHolder<IPrincipal> principal;
        CComHolder<IActionCollection> actions;
        VARIANT_BOOL enabled = VARIANT_FALSE;
        CBstr user;
        LONG count = 0;
        if (FAILED(root.GetTask(path.Get(), task.Put())) || FAILED(task->get_Enabled(&enabled)) ||
            enabled == VARIANT_FALSE || FAILED(task->get_Definition(held.Put())) ||
            FAILED(held->get_Principal(principal.Put())) || FAILED(principal->get_UserId(user.Put())) ||
            SidOfAccount(FromWide(user.Text())) != sid || FAILED(held->get_Actions(actions.Put())) ||
            FAILED(actions->get_Count(&count)) || count != 1)
            return false;
        CComHolder<IAction> action;
        CComHolder<IExecAction> exec;
        CBstr program, arguments, folder;
        if (FAILED(actions->get_Item(1, action.Put())) ||
            FAILED(action->QueryInterface(IID_IExecAction, exec.Out())) || FAILED(exec->get_Path(program.Put())) ||
            FAILED(exec->get_Arguments(arguments.Put())) || FAILED(exec->get_WorkingDirectory(folder.Put())))
            return false;
        return definition == StartupTaskDefinition{FromWide(program.Text()), FromWide(arguments.Text()),
                                                   FromWide(folder.Text())};
    });
}

bool CWin32StartupTask::Remove()
{
    const std::u16string sid = SessionUserSid();
    if (sid.empty())
        return false;
    return WithRoot([&](ITaskFolder& root) {
        CBstr path(Wide(StartupTaskName(prefix, sid)));
        HRESULT deleted = root.DeleteTask(path.Get(), 0);
        return SUCCEEDED(deleted) || deleted == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
               deleted == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    });
}

std::optional<AccessList> CWin32StartupTask::Access(const std::u16string& path)
{
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(Wide(path), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return std::nullopt;
    AccessList list;
    if (!dacl) {
        // No list at all lets everyone do everything.
        list.push_back({true, u"S-1-1-0", GENERIC_ALL, false});
    } else {
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            ACE_HEADER* header = nullptr;
            if (!GetAce(dacl, i, reinterpret_cast<void**>(&header)))
                continue;
            // Allow and deny entries share their layout; object and callback
            // entries, which files do not use, are left out.
            if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE)
                continue;
            auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
            list.push_back({header->AceType == ACCESS_ALLOWED_ACE_TYPE, SidText(&ace->SidStart), ace->Mask,
                            (header->AceFlags & INHERIT_ONLY_ACE) != 0});
        }
    }
    LocalFree(descriptor);
    return list;
}
