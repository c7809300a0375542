#include "StoreFixture.h"

namespace {

const std::u16string kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::u16string kRunValue = u"Lanvoy(CORVELL STUDIO)";

std::string WithSwitches(std::string_view autoExec, std::string_view autoUpdate, std::string_view logFlag)
{
    return Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)", R"(<DNS VERSION="2.0" />)",
                  "<SYSCONFIG VERSION=\"2.0\">", "<AUTOEXEC>" + std::string(autoExec) + "</AUTOEXEC>",
                  "<AUTOUPDATE>" + std::string(autoUpdate) + "</AUTOUPDATE>",
                  "<LOGFLAG>" + std::string(logFlag) + "</LOGFLAG>", "</SYSCONFIG>", "</LANVOY>"});
}

}  // namespace

TEST_F(StoreTest, SwitchesAreOffOnlyForTheExactTextFalse)
{
    for (std::string on : {"TRUE", "yes", "", "false"}) {
        PutFile(WithSwitches(on, on, on));
        ASSERT_EQ(1, Reload());
        EXPECT_EQ(1, store->autoExec) << on;
        EXPECT_EQ(1, store->autoUpdate) << on;
        EXPECT_EQ(1, store->logFlag) << on;
    }
    PutFile(WithSwitches("FALSE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(0, store->autoExec + store->autoUpdate + store->logFlag);
}

TEST_F(StoreTest, EveryLoadCarriesAutorunOutAsTheSignInTaskAndDropsTheOldRunValue)
{
    const StartupTaskDefinition expected{u"C:\\Lanvoy\\lanvoy.exe", u"-hide", u"C:\\Lanvoy"};
    registry.PutText(kRunKey, kRunValue, u"C:\\Lanvoy\\lanvoy.exe -hide");
    PutFile(WithSwitches("TRUE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(expected, startupTask.task);
    RegValue value;
    EXPECT_FALSE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_EQ(0, registry.OpenKeyCount());

    // A task that already starts this program is left to its user; one for
    // another place is replaced. The old value goes either way.
    const int registered = startupTask.changes;
    registry.PutText(kRunKey, kRunValue, u"C:\\Lanvoy\\lanvoy.exe -hide");
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(registered, startupTask.changes);
    EXPECT_FALSE(registry.Get(kRunKey, kRunValue, &value));
    startupTask.task = StartupTaskDefinition{u"D:\\Old\\lanvoy.exe", u"-hide", u"D:\\Old"};
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(expected, startupTask.task);

    // Off, a load drops the old value and leaves the scheduler alone.
    registry.PutText(kRunKey, kRunValue, u"C:\\Lanvoy\\lanvoy.exe -hide");
    PutFile(WithSwitches("FALSE", "FALSE", "FALSE"));
    const int beforeOff = startupTask.changes;
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(beforeOff, startupTask.changes);
    EXPECT_FALSE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_TRUE(registry.HasKey(kRunKey));
    EXPECT_EQ(0, registry.OpenKeyCount());

    // Without AUTOEXEC the load leaves the task alone.
    startupTask.task = expected;
    const int before = startupTask.changes;
    PutFile(Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)",
                   R"(<SYSCONFIG VERSION="2.0"><LOGFLAG>TRUE</LOGFLAG></SYSCONFIG>)", "</LANVOY>"}));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(before, startupTask.changes);
    EXPECT_EQ(expected, startupTask.task);
}

TEST_F(StoreTest, ARefusedTaskIsReportedAndTheFileStillRecordsTheSwitch)
{
    // A Run value from another installation, which cannot go without the rights.
    const std::vector<std::uint8_t> other = RegUnterminatedBytes(u"C:\\Old\\lanvoy.exe -hide");
    registry.Put(kRunKey, kRunValue, kRegSz, other);
    registry.SetReadOnly(true);
    startupTask.refuse = true;

    PutFile(WithSwitches("FALSE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(0, store->SetAutorun(1));
    EXPECT_EQ(0, store->SetAutorun(0));
    RegValue value;
    ASSERT_TRUE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_EQ(other, value.data);
    EXPECT_EQ(0, registry.OpenKeyCount());

    // Turned on, the switch is saved and read back on although the task was refused.
    store->autoExec = 1;
    ASSERT_EQ(1, store->WriteSystemSettings());
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(1, store->autoExec);
    EXPECT_FALSE(startupTask.task);

    // The task decides the result: the old value left behind starts nothing.
    startupTask.refuse = false;
    EXPECT_EQ(1, store->SetAutorun(1));
    EXPECT_TRUE(startupTask.task);
    EXPECT_TRUE(registry.Get(kRunKey, kRunValue, &value));
}

TEST_F(StoreTest, AutorunStartsTheProgramFromItsOwnFolderWhereverThatIs)
{
    StoreEnvironment environment{u"D:\\Program Files\\网络 & Co\\Lanvoy.EXE", files, registry, startupTask, clock};
    CProfileStore spaced(environment);
    const StartupTaskDefinition task = spaced.AutorunTask();
    // A path, not a command line: no quotes around the blanks.
    EXPECT_EQ((StartupTaskDefinition{u"D:\\Program Files\\网络 & Co\\Lanvoy.exe", u"-hide",
                                     u"D:\\Program Files\\网络 & Co"}),
              task);
    ASSERT_EQ(1, spaced.SetAutorun(1));
    EXPECT_EQ(task, startupTask.task);

    StoreEnvironment atRoot{u"E:\\lanvoy.exe", files, registry, startupTask, clock};
    EXPECT_EQ(u"E:\\", CProfileStore(atRoot).AutorunTask().workingFolder);

    // The scheduler's document reads back as the same program, for the given user.
    CXmlDoc xml;
    ASSERT_TRUE(xml.SetText(StartupTaskXml(task, u"PC<1>\\张三")));
    // The text of the last element of the path, each a child of the one before.
    auto text = [&xml](std::vector<std::u16string_view> path) {
        xml.ResetPosition();
        for (std::size_t i = 0; i + 1 < path.size(); ++i)
            if (!xml.FindNext(path[i]) || (i + 2 < path.size() && !xml.Enter()))
                return std::u16string(u"<missing>");
        return xml.FindNextChild(path.back()) ? xml.ChildText() : u"<missing>";
    };
    EXPECT_EQ(task.program, text({u"Task", u"Actions", u"Exec", u"Command"}));
    EXPECT_EQ(u"-hide", text({u"Task", u"Actions", u"Exec", u"Arguments"}));
    EXPECT_EQ(task.workingFolder, text({u"Task", u"Actions", u"Exec", u"WorkingDirectory"}));
    EXPECT_EQ(u"PC<1>\\张三", text({u"Task", u"Triggers", u"LogonTrigger", u"UserId"}));
    EXPECT_EQ(u"PC<1>\\张三", text({u"Task", u"Principals", u"Principal", u"UserId"}));
    EXPECT_EQ(u"HighestAvailable", text({u"Task", u"Principals", u"Principal", u"RunLevel"}));
    EXPECT_EQ(u"InteractiveToken", text({u"Task", u"Principals", u"Principal", u"LogonType"}));
    EXPECT_EQ(u"PT0S", text({u"Task", u"Settings", u"ExecutionTimeLimit"}));
    EXPECT_EQ(u"false", text({u"Task", u"Settings", u"DisallowStartIfOnBatteries"}));
    EXPECT_EQ(u"false", text({u"Task", u"Settings", u"StopIfGoingOnBatteries"}));
}

TEST_F(StoreTest, SettingsRewriteReplacesSysconfigInPlace)
{
    Reload();
    store->autoExec = 1;
    store->logFlag = 1;
    ASSERT_EQ(1, store->WriteSystemSettings());
    EXPECT_EQ(WithSwitches("TRUE", "FALSE", "TRUE"), FileBytes());

    // An element with other children in the middle of the root keeps its place.
    const std::string middle = Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)",
                                      R"(<SYSCONFIG VERSION="1.0"><OLD/></SYSCONFIG>)", R"(<DNS VERSION="2.0" />)",
                                      "</LANVOY>"});
    PutFile(middle);
    ASSERT_EQ(1, Reload());
    store->autoUpdate = 1;
    ASSERT_EQ(1, store->WriteSystemSettings());
    EXPECT_EQ(Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)",
                     R"(<SYSCONFIG VERSION="2.0">)", "<AUTOEXEC>FALSE</AUTOEXEC>", "<AUTOUPDATE>TRUE</AUTOUPDATE>",
                     "<LOGFLAG>FALSE</LOGFLAG>", "</SYSCONFIG>", R"(<DNS VERSION="2.0" />)", "</LANVOY>"}),
              FileBytes());

    // A missing one is added at the end; without the root nothing is saved.
    PutFile(Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)", "</LANVOY>"}));
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(1, store->WriteSystemSettings());
    EXPECT_NE(std::string::npos, FileBytes().find("<LOGFLAG>FALSE</LOGFLAG>\r\n</SYSCONFIG>\r\n</LANVOY>"));
    PutFile("<OTHER/>");
    EXPECT_EQ(0, Reload());
    EXPECT_EQ(0, store->WriteSystemSettings());
    EXPECT_EQ("<OTHER/>", FileBytes());
}

namespace {

// An installed copy: its file in the data folder, its Run value in the user's hive.
class InstalledStoreTest : public StoreTest {
protected:
    static inline const std::u16string kInstalledExe = u"C:\\Program Files\\Lanvoy\\lanvoy.exe";
    static inline const std::u16string kDataCfg = u"C:\\ProgramData\\Lanvoy\\lanvoy.cfg";
    static inline const std::u16string kCommand = u"\"C:\\Program Files\\Lanvoy\\lanvoy.exe\" -hide";

    int LoadInstalled()
    {
        store = std::make_unique<CProfileStore>(StoreEnvironment{kInstalledExe, files, registry, startupTask, clock,
                                                                 u"C:\\ProgramData\\Lanvoy", true, &userRegistry});
        return store->Load();
    }
    std::u16string UserRunValue()
    {
        RegValue value;
        return userRegistry.Get(kRunKey, kRunValue, &value) ? RegBytesToText(value.data) : u"<absent>";
    }

    CMemoryRegistry userRegistry;
};

}  // namespace

TEST_F(InstalledStoreTest, AutorunIsTheUsersOwnRunValueAndTheBoxShowsWhatIsThere)
{
    files.files[kDataCfg] = WithSwitches("TRUE", "FALSE", "FALSE");
    registry.PutText(kRunKey, kRunValue, u"C:\\Lanvoy\\lanvoy.exe -hide");
    ASSERT_EQ(1, LoadInstalled());
    EXPECT_EQ(kDataCfg, store->ConfigPath());
    // The shared file says on, but this user has no value: off, and nothing written.
    EXPECT_EQ(0, store->autoExec);
    EXPECT_EQ(u"<absent>", UserRunValue());

    EXPECT_EQ(kAutorunDone, store->SetAutorun(1));
    EXPECT_EQ(kCommand, UserRunValue());
    ASSERT_EQ(1, LoadInstalled());
    EXPECT_EQ(1, store->autoExec);
    // A value that starts some other program is not this copy's autorun.
    userRegistry.PutText(kRunKey, kRunValue, u"\"D:\\Tools\\lanvoy.exe\" -hide");
    ASSERT_EQ(1, LoadInstalled());
    EXPECT_EQ(0, store->autoExec);

    EXPECT_EQ(kAutorunDone, store->SetAutorun(0));
    EXPECT_EQ(u"<absent>", UserRunValue());
    EXPECT_EQ(kAutorunDone, store->SetAutorun(0));

    // No task, no machine-wide value: neither needs rights an installed copy lacks.
    EXPECT_EQ(0, startupTask.changes);
    RegValue old;
    EXPECT_TRUE(registry.Get(kRunKey, kRunValue, &old));
    EXPECT_EQ(0, userRegistry.OpenKeyCount());

    // A hive that takes no writes: the box would lie, so it fails.
    userRegistry.SetReadOnly(true);
    EXPECT_EQ(kAutorunFailed, store->SetAutorun(1));
    userRegistry.SetReadOnly(false);
    userRegistry.PutText(kRunKey, kRunValue, kCommand);
    userRegistry.SetReadOnly(true);
    EXPECT_EQ(kAutorunFailed, store->SetAutorun(0));
}

TEST_F(StoreTest, APortableCopyThatStandardUsersCanChangeGetsNoTask)
{
    const StartupTaskDefinition task{u"C:\\Lanvoy\\lanvoy.exe", u"-hide", u"C:\\Lanvoy"};
    const AccessList adminsOnly{{true, u"S-1-5-18", 0x1f01ff}, {true, u"S-1-5-32-544", 0x1f01ff}};
    PutFile(WithSwitches("FALSE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());

    // Write, modify or full rights for a group of standard users, on the
    // program or its folder: refused, and a task made earlier goes.
    const std::vector<AccessEntry> opened{
        {true, u"S-1-5-32-545", 0x1301bf},       // Users: modify
        {true, u"S-1-5-11", 0x2},                // Authenticated Users: add a file to the folder
        {true, u"S-1-1-0", 0x10000000},          // Everyone: generic all
        {true, u"S-1-5-4", 0x40000},             // INTERACTIVE: change the access list
        {true, u"S-1-5-21-9-9-9-1002", 0x1f01ff},  // another user
    };
    for (const std::u16string& path : {task.program, task.workingFolder}) {
        for (const AccessEntry& entry : opened) {
            startupTask.task = task;
            AccessList list = adminsOnly;
            list.push_back(entry);
            startupTask.access[path] = list;
            EXPECT_EQ(kAutorunUnsafe, store->SetAutorun(1)) << U8(path) << " " << U8(entry.sid);
            EXPECT_FALSE(startupTask.task) << U8(entry.sid);
        }
        // A list that cannot be read cannot be shown safe.
        startupTask.access[path] = std::nullopt;
        EXPECT_EQ(kAutorunUnsafe, store->SetAutorun(1));
        startupTask.access.erase(path);
    }

    // What does not let a standard user change the program: reading and
    // running, entries only for what is made inside, CREATOR OWNER, deny
    // entries, and the task's own user, who gains nothing.
    AccessList safe = adminsOnly;
    safe.push_back({true, u"S-1-5-32-545", 0x1200a9});
    safe.push_back({true, u"S-1-5-11", 0x1301bf, true});
    safe.push_back({true, u"S-1-3-0", 0x10000000});
    safe.push_back({false, u"S-1-1-0", 0x1f01ff});
    safe.push_back({true, startupTask.user, 0x1f01ff});
    startupTask.access[task.workingFolder] = safe;
    EXPECT_EQ(kAutorunDone, store->SetAutorun(1));
    EXPECT_EQ(task, startupTask.task);

    // Every load checks again: a folder opened since loses its task.
    startupTask.access[task.workingFolder]->push_back({true, u"S-1-5-32-545", 0x1301bf});
    PutFile(WithSwitches("TRUE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());
    EXPECT_FALSE(startupTask.task);
    EXPECT_EQ(1, store->autoExec);
}
