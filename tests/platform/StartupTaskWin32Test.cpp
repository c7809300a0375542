// The sign-in task registered in the Task Scheduler of the Wine prefix and read
// back through the scheduler's own interfaces; runs in the windows build.

#include "platform/ComScope.h"
#include "platform/WideText.h"
#include "platform/Win32Registry.h"
#include "platform/Win32StartupTask.h"
#include "store/ProfileStore.h"
#include "support/MemoryFileSystem.h"
#include "support/Win32TaskScheduler.h"

#include <windows.h>
#include <taskschd.h>

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

const std::u16string kTestTask = u"LanvoyTest sign-in";
const StartupTaskDefinition kDefinition{u"C:\\Program Files\\Lanvoy & Co\\lanvoy.exe", u"-hide",
                                        u"C:\\Program Files\\Lanvoy & Co"};

std::u16string Read(const CBstr& text)
{
    return FromWide(text.Text());
}

class StartupTaskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TaskSchedulerRunning()) << "the Task Scheduler service does not run";
        ASSERT_TRUE(com.Usable());
        ASSERT_TRUE(scheduler.Connected());
        scheduler.Delete(Wide(kTestTask));
    }
    void TearDown() override
    {
        if (scheduler.Connected())
            scheduler.Delete(Wide(kTestTask));
    }

    HRESULT Find(CComHolder<IRegisteredTask>& task) { return scheduler.Find(Wide(kTestTask), task); }

    CComScope com;
    CTaskSchedulerRoot scheduler;
    CWin32StartupTask task{kTestTask};
};

}  // namespace

TEST_F(StartupTaskTest, RegisteredWithoutTimeLimitOnBatteryThenReplacedAndRemoved)
{
    ASSERT_TRUE(task.Register(kDefinition));
    CComHolder<IRegisteredTask> registered;
    ASSERT_HRESULT_SUCCEEDED(Find(registered));
    CBstr path;
    ASSERT_HRESULT_SUCCEEDED(registered->get_Path(path.Put()));
    EXPECT_EQ(u"\\" + kTestTask, Read(path));

    CComHolder<ITaskDefinition> definition;
    ASSERT_HRESULT_SUCCEEDED(registered->get_Definition(definition.Put()));
    CComHolder<ITaskSettings> settings;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Settings(settings.Put()));
    CBstr limit;
    ASSERT_HRESULT_SUCCEEDED(settings->get_ExecutionTimeLimit(limit.Put()));
    EXPECT_EQ(u"PT0S", Read(limit));
    VARIANT_BOOL flag = VARIANT_TRUE;
    ASSERT_HRESULT_SUCCEEDED(settings->get_DisallowStartIfOnBatteries(&flag));
    EXPECT_EQ(VARIANT_FALSE, flag);
    flag = VARIANT_TRUE;
    ASSERT_HRESULT_SUCCEEDED(settings->get_StopIfGoingOnBatteries(&flag));
    EXPECT_EQ(VARIANT_FALSE, flag);
    ASSERT_HRESULT_SUCCEEDED(settings->get_Enabled(&flag));
    EXPECT_EQ(VARIANT_TRUE, flag);

    // Registering again replaces the task instead of failing on it.
    ASSERT_TRUE(task.Register(kDefinition));
    ASSERT_HRESULT_SUCCEEDED(Find(registered));

    EXPECT_TRUE(task.Remove());
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), Find(registered));
    // Nothing left to remove is as good as removed.
    EXPECT_TRUE(task.Remove());
}

TEST_F(StartupTaskTest, TheTaskStartsTheProgramWithHighestRightsAtTheUsersSignIn)
{
    ASSERT_TRUE(task.Register(kDefinition));
    CComHolder<IRegisteredTask> registered;
    ASSERT_HRESULT_SUCCEEDED(Find(registered));
    CComHolder<ITaskDefinition> definition;
    ASSERT_HRESULT_SUCCEEDED(registered->get_Definition(definition.Put()));

    CComHolder<ITriggerCollection> triggers;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Triggers(triggers.Put()));
    LONG count = 0;
    if (triggers->get_Count(&count) == E_NOTIMPL) {
        // Wine 8 keeps a task's settings only: it cannot create logon
        // triggers, set run levels or enumerate actions, and drops them from
        // the task it stores.
        GTEST_SKIP() << "this Task Scheduler keeps no triggers, principal or actions";
    }
    ASSERT_EQ(1, count);
    CComHolder<ITrigger> trigger;
    ASSERT_HRESULT_SUCCEEDED(triggers->get_Item(1, trigger.Put()));
    TASK_TRIGGER_TYPE2 type = TASK_TRIGGER_EVENT;
    ASSERT_HRESULT_SUCCEEDED(trigger->get_Type(&type));
    EXPECT_EQ(TASK_TRIGGER_LOGON, type);
    CComHolder<ILogonTrigger> logon;
    ASSERT_HRESULT_SUCCEEDED(trigger->QueryInterface(__uuidof(ILogonTrigger), logon.Out()));
    CBstr user;
    ASSERT_HRESULT_SUCCEEDED(logon->get_UserId(user.Put()));
    EXPECT_EQ(CSTR_EQUAL, CompareStringOrdinal(user.Text(), -1, Wide(CWin32StartupTask::CurrentUser()), -1, TRUE))
        << "trigger for another user";

    CComHolder<IPrincipal> principal;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Principal(principal.Put()));
    TASK_RUNLEVEL_TYPE level = TASK_RUNLEVEL_LUA;
    ASSERT_HRESULT_SUCCEEDED(principal->get_RunLevel(&level));
    EXPECT_EQ(TASK_RUNLEVEL_HIGHEST, level);
    TASK_LOGON_TYPE logonType = TASK_LOGON_NONE;
    ASSERT_HRESULT_SUCCEEDED(principal->get_LogonType(&logonType));
    EXPECT_EQ(TASK_LOGON_INTERACTIVE_TOKEN, logonType);

    CComHolder<IActionCollection> actions;
    ASSERT_HRESULT_SUCCEEDED(definition->get_Actions(actions.Put()));
    ASSERT_HRESULT_SUCCEEDED(actions->get_Count(&count));
    ASSERT_EQ(1, count);
    CComHolder<IAction> action;
    ASSERT_HRESULT_SUCCEEDED(actions->get_Item(1, action.Put()));
    CComHolder<IExecAction> exec;
    ASSERT_HRESULT_SUCCEEDED(action->QueryInterface(IID_IExecAction, exec.Out()));
    CBstr program, arguments, folderText;
    ASSERT_HRESULT_SUCCEEDED(exec->get_Path(program.Put()));
    ASSERT_HRESULT_SUCCEEDED(exec->get_Arguments(arguments.Put()));
    ASSERT_HRESULT_SUCCEEDED(exec->get_WorkingDirectory(folderText.Put()));
    EXPECT_EQ(kDefinition, (StartupTaskDefinition{Read(program), Read(arguments), Read(folderText)}));
}

TEST_F(StartupTaskTest, TheStoreSwitchesTheTaskAndDropsAnEarlierVersionsRunValue)
{
    const wchar_t runKey[] = L"software\\microsoft\\windows\\currentversion\\run";
    const wchar_t runValue[] = L"Lanvoy(CORVELL STUDIO)";
    const wchar_t old[] = L"C:\\Lanvoy\\lanvoy.exe -hide";
    auto runValueExists = [&] {
        return RegGetValueW(HKEY_LOCAL_MACHINE, runKey, runValue, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    };
    CMemoryFileSystem files;
    CWin32Registry registry;
    CSystemClock clock;
    CProfileStore store(StoreEnvironment{u"C:\\Lanvoy\\lanvoy.exe", files, registry, task, clock});
    CComHolder<IRegisteredTask> registered;

    for (std::int32_t on : {1, 0}) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, runKey, runValue, REG_SZ, old, sizeof old));
        EXPECT_EQ(1, store.SetAutorun(on)) << on;
        EXPECT_EQ(on != 0, SUCCEEDED(Find(registered))) << on;
        EXPECT_FALSE(runValueExists()) << on;
    }
}
