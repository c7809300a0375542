// The sign-in task switched by the store through the Task Scheduler of the
// Wine prefix and read back through the scheduler's own interfaces, and the
// access lists the store reads before it makes one; runs in the windows build.

#include "platform/WideText.h"
#include "platform/Win32Registry.h"
#include "platform/Win32StartupTask.h"
#include "store/ProfileStore.h"
#include "support/MemoryFileSystem.h"
#include "support/TempFolder.h"
#include "support/Win32TaskScheduler.h"

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

// MinGW-w64's taskschd.h lacks the logon trigger.
MIDL_INTERFACE("72dade38-fae4-4b3e-baf4-5d009af02b1c")
ILogonTrigger : public ITrigger
{
    virtual HRESULT STDMETHODCALLTYPE get_Delay(BSTR * delay) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Delay(BSTR delay) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_UserId(BSTR * user) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_UserId(BSTR user) = 0;
};
__CRT_UUID_DECL(ILogonTrigger, 0x72dade38, 0xfae4, 0x4b3e, 0xba, 0xf4, 0x5d, 0x00, 0x9a, 0xf0, 0x2b, 0x1c)

namespace {

const wchar_t kRunKey[] = L"software\\microsoft\\windows\\currentversion\\run";
const wchar_t kRunValue[] = L"Lanvoy(CORVELL STUDIO)";

// Gives a file or folder this access list, in SDDL, cut off from its parent's.
DWORD SetAccess(const std::filesystem::path& path, const wchar_t* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return GetLastError();
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    std::wstring name = path.wstring();
    DWORD status = SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                                         DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                         nullptr, dacl, nullptr);
    LocalFree(descriptor);
    return status;
}

// SYSTEM and Administrators full, Users read and run: a folder under Program Files.
const wchar_t kAdminsOnly[] = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
// A folder on another drive, as Windows makes one: Authenticated Users may change it.
const wchar_t kUsersModify[] = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;AU)";

class StartupTaskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.Usable());
        ASSERT_TRUE(scheduler.Connected()) << "the Task Scheduler does not run";
        ASSERT_FALSE(kTestTask.empty()) << "no user signed in to the session";
        scheduler.Delete(kTestTask);
        // The program the task starts, in a folder only administrators change.
        std::filesystem::create_directories(folder / "Lanvoy & Co");
        std::ofstream(folder / "Lanvoy & Co" / "lanvoy.exe") << "MZ";
        ASSERT_EQ(ERROR_SUCCESS, SetAccess(folder / "Lanvoy & Co", kAdminsOnly));
        ASSERT_EQ(ERROR_SUCCESS, SetAccess(folder / "Lanvoy & Co" / "lanvoy.exe", kAdminsOnly));
    }
    void TearDown() override
    {
        if (scheduler.Connected())
            scheduler.Delete(kTestTask);
    }

    // The task's definition as the scheduler holds it.
    void Registered(CComHolder<ITaskDefinition>& definition)
    {
        CComHolder<IRegisteredTask> task;
        ASSERT_HRESULT_SUCCEEDED(scheduler.Find(kTestTask, task));
        ASSERT_HRESULT_SUCCEEDED(task->get_Definition(definition.Put()));
    }

    CComScope com;
    CTaskSchedulerRoot scheduler;
    CWin32StartupTask task{u"LanvoyTest sign-in"};
    const std::wstring kTestTask = Wide(task.TaskName());
    TempFolder folder;
    CMemoryFileSystem files;
    CWin32Registry registry;
    CSystemClock clock;
    CProfileStore store{StoreEnvironment{folder.Native("Lanvoy & Co\\lanvoy.exe"), files, registry, task, clock}};
};

}  // namespace

TEST_F(StartupTaskTest, TheStoreSwitchesTheTaskAndDropsAnEarlierVersionsRunValue)
{
    const wchar_t old[] = L"C:\\Lanvoy\\lanvoy.exe -hide";
    for (std::int32_t on : {1, 1, 0, 0}) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, REG_SZ, old, sizeof old));
        // Registering again replaces the task; removing a missing one is as good as done.
        EXPECT_EQ(1, store.SetAutorun(on)) << on;
        EXPECT_EQ(on != 0, scheduler.Exists(kTestTask)) << on;
        EXPECT_NE(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, RRF_RT_ANY, nullptr, nullptr,
                                              nullptr))
            << on;
    }
    EXPECT_FALSE(task.Starts(store.AutorunTask()));

    ASSERT_EQ(1, store.SetAutorun(1));
    CComHolder<ITaskDefinition> definition;
    ASSERT_NO_FATAL_FAILURE(Registered(definition));
    CComHolder<ITaskSettings> settings;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Settings(settings.Put()));
    CBstr limit;
    ASSERT_HRESULT_SUCCEEDED(settings->get_ExecutionTimeLimit(limit.Put()));
    EXPECT_STREQ(L"PT0S", limit.Text());
    VARIANT_BOOL disallowed = VARIANT_TRUE, stopped = VARIANT_TRUE;
    ASSERT_HRESULT_SUCCEEDED(settings->get_DisallowStartIfOnBatteries(&disallowed));
    ASSERT_HRESULT_SUCCEEDED(settings->get_StopIfGoingOnBatteries(&stopped));
    EXPECT_EQ(VARIANT_FALSE, disallowed);
    EXPECT_EQ(VARIANT_FALSE, stopped);
}

TEST_F(StartupTaskTest, TheTaskStartsTheProgramWithHighestRightsAtTheUsersSignIn)
{
    ASSERT_EQ(1, store.SetAutorun(1));
    CComHolder<ITaskDefinition> definition;
    ASSERT_NO_FATAL_FAILURE(Registered(definition));

    CComHolder<ITriggerCollection> triggers;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Triggers(triggers.Put()));
    LONG count = 0;
    if (triggers->get_Count(&count) == E_NOTIMPL) {
        // Wine 8 keeps a task's settings only: it cannot hold logon triggers,
        // run levels or actions, and drops them from the task it stores.
        GTEST_SKIP() << "this Task Scheduler keeps no triggers, principal or actions";
    }
    ASSERT_EQ(1, count);
    CComHolder<ITrigger> trigger;
    ASSERT_HRESULT_SUCCEEDED(triggers->get_Item(1, trigger.Put()));
    CComHolder<ILogonTrigger> logon;
    ASSERT_HRESULT_SUCCEEDED(trigger->QueryInterface(__uuidof(ILogonTrigger), logon.Out()));
    CBstr user;
    ASSERT_HRESULT_SUCCEEDED(logon->get_UserId(user.Put()));
    EXPECT_EQ(std::wstring(Wide(CWin32StartupTask::SessionUserSid())), std::wstring(Wide(SidOfAccount(FromWide(user.Text()))))) << "a trigger for another user";

    CComHolder<IPrincipal> principal;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Principal(principal.Put()));
    ASSERT_HRESULT_SUCCEEDED(principal->get_UserId(user.Put()));
    EXPECT_EQ(std::wstring(Wide(CWin32StartupTask::SessionUserSid())), std::wstring(Wide(SidOfAccount(FromWide(user.Text()))))) << "run by another user";
    TASK_RUNLEVEL_TYPE level = TASK_RUNLEVEL_LUA;
    TASK_LOGON_TYPE logonType = TASK_LOGON_NONE;
    ASSERT_HRESULT_SUCCEEDED(principal->get_RunLevel(&level));
    ASSERT_HRESULT_SUCCEEDED(principal->get_LogonType(&logonType));
    EXPECT_EQ(TASK_RUNLEVEL_HIGHEST, level);
    EXPECT_EQ(TASK_LOGON_INTERACTIVE_TOKEN, logonType);

    CComHolder<IActionCollection> actions;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Actions(actions.Put()));
    ASSERT_HRESULT_SUCCEEDED(actions->get_Count(&count));
    ASSERT_EQ(1, count);
    CComHolder<IAction> action;
    ASSERT_HRESULT_SUCCEEDED(actions->get_Item(1, action.Put()));
    CComHolder<IExecAction> exec;
    ASSERT_HRESULT_SUCCEEDED(action->QueryInterface(IID_IExecAction, exec.Out()));
    CBstr program, arguments, folder;
    ASSERT_HRESULT_SUCCEEDED(exec->get_Path(program.Put()));
    ASSERT_HRESULT_SUCCEEDED(exec->get_Arguments(arguments.Put()));
    ASSERT_HRESULT_SUCCEEDED(exec->get_WorkingDirectory(folder.Put()));
    EXPECT_EQ(store.AutorunTask(),
              (StartupTaskDefinition{FromWide(program.Text()), FromWide(arguments.Text()), FromWide(folder.Text())}));
    EXPECT_TRUE(task.Starts(store.AutorunTask()));
    EXPECT_FALSE(task.Starts({u"D:\\other.exe", u"-hide", u"D:\\"}));
}

TEST_F(StartupTaskTest, AProgramThatStandardUsersCanChangeGetsNoTask)
{
    const std::filesystem::path program = folder / "Lanvoy & Co" / "lanvoy.exe";
    const std::optional<AccessList> read = task.Access(program.u16string());
    ASSERT_TRUE(read);
    if (!read->empty() && WritableByNonAdministrators(*read, u"S-1-5-21-1-2-3-4"))
        GTEST_SKIP() << "this file system keeps no access lists";
    EXPECT_EQ(AccessEntry({true, u"S-1-5-32-545", 0x1200a9, false}), read->back());

    // Either the program or its folder open to Authenticated Users: refused,
    // and a task made before goes.
    for (const std::filesystem::path& opened : {program, program.parent_path()}) {
        ASSERT_EQ(1, store.SetAutorun(1));
        ASSERT_TRUE(scheduler.Exists(kTestTask));
        ASSERT_EQ(ERROR_SUCCESS, SetAccess(opened, kUsersModify));
        EXPECT_TRUE(WritableByNonAdministrators(*task.Access(opened.u16string()), task.User()));
        EXPECT_EQ(kAutorunUnsafe, store.SetAutorun(1)) << opened;
        EXPECT_FALSE(scheduler.Exists(kTestTask)) << opened;
        ASSERT_EQ(ERROR_SUCCESS, SetAccess(opened, kAdminsOnly));
    }
    // A program that is not there cannot be shown safe.
    EXPECT_FALSE(task.Access((folder / "missing.exe").u16string()));
}
