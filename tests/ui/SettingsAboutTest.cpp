// The settings dialog's confirm step on a store over an in-memory folder and
// registry, and the web pages the About box and the donate command open.
#include "ui/About.h"
#include "ui/Switches.h"

#include "StoreFixture.h"
#include "support/FakeMessageBox.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::u16string kRunValue = u"Lanvoy(CORVELL STUDIO)";

class SettingsTest : public StoreTest {
protected:
    void SetUp() override
    {
        // Hand-written switches, and a child the rewrite does not keep.
        PutFile(Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)",
                       R"(<SYSCONFIG VERSION="1.0">)", "<LOGFLAG>yes</LOGFLAG>", "<AUTOEXEC>FALSE</AUTOEXEC>",
                       "<EXTRA>1</EXTRA>", "</SYSCONFIG>", R"(<DNS VERSION="2.0" />)", "</LANVOY>"}));
        ASSERT_EQ(1, Reload());
    }

    bool RunValueExists()
    {
        RegValue value;
        return registry.Get(kRunKey, kRunValue, &value);
    }

    static inline const StartupTaskDefinition kTask{u"C:\\Lanvoy\\lanvoy.exe", u"-hide", u"C:\\Lanvoy"};

    static std::string File(std::string_view autoExec, std::string_view autoUpdate, std::string_view logFlag)
    {
        return Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)",
                      R"(<SYSCONFIG VERSION="2.0">)", "<AUTOEXEC>" + std::string(autoExec) + "</AUTOEXEC>",
                      "<AUTOUPDATE>" + std::string(autoUpdate) + "</AUTOUPDATE>",
                      "<LOGFLAG>" + std::string(logFlag) + "</LOGFLAG>", "</SYSCONFIG>", R"(<DNS VERSION="2.0" />)",
                      "</LANVOY>"});
    }

    CFakeMessageBox messages;
    char dialog = 0;  // stands in for the settings dialog's window
};

}  // namespace

TEST_F(SettingsTest, EachBoxSetsItsOwnSwitchInTheFileAndTheSignInTask)
{
    EXPECT_EQ((SystemSwitches{false, false, true}), ReadSwitches(*store));

    struct Case {
        SystemSwitches ticked;
        std::string_view autoExec, autoUpdate, logFlag;
    } cases[] = {
        {{true, false, false}, "TRUE", "FALSE", "FALSE"},
        {{false, true, false}, "FALSE", "TRUE", "FALSE"},
        {{false, false, true}, "FALSE", "FALSE", "TRUE"},
        {{false, false, false}, "FALSE", "FALSE", "FALSE"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(1, SaveSwitches(*store, c.ticked, messages, &dialog));
        EXPECT_EQ(File(c.autoExec, c.autoUpdate, c.logFlag), FileBytes()) << c.autoExec << c.autoUpdate << c.logFlag;
        EXPECT_EQ(c.ticked, ReadSwitches(*store));
        EXPECT_EQ(c.ticked.autoExec, startupTask.task.has_value()) << c.autoExec;
        // What was saved is what the next start reads.
        ASSERT_EQ(1, Reload());
        EXPECT_EQ(c.ticked, ReadSwitches(*store));
    }
}

TEST_F(SettingsTest, ConfirmingWithoutChangesStillRewritesTheFileAndTheTask)
{
    // An earlier version left its Run value behind, and a task of this copy is there.
    registry.PutText(kRunKey, kRunValue, u"D:\\old\\lanvoy.exe -hide");
    startupTask.task = kTask;
    EXPECT_EQ(1, SaveSwitches(*store, ReadSwitches(*store), messages, &dialog));
    EXPECT_EQ(File("FALSE", "FALSE", "TRUE"), FileBytes());
    EXPECT_FALSE(RunValueExists());
    EXPECT_FALSE(startupTask.task);
    EXPECT_TRUE(messages.shown.empty());

    registry.PutText(kRunKey, kRunValue, u"D:\\old\\lanvoy.exe -hide");
    SaveSwitches(*store, {true, false, true}, messages, &dialog);
    EXPECT_EQ(kTask, startupTask.task);
    EXPECT_FALSE(RunValueExists());
    EXPECT_EQ(0, registry.OpenKeyCount());
    EXPECT_TRUE(messages.shown.empty());
    // Confirmed again, the task goes to whoever confirmed, even when it already starts the program.
    const int changes = startupTask.changes;
    SaveSwitches(*store, {true, false, true}, messages, &dialog);
    EXPECT_EQ(changes + 1, startupTask.changes);
}

TEST_F(SettingsTest, AFailedSaveIsToldAndKeepsTheSwitchesAndStillRegistersTheTask)
{
    const std::string before = FileBytes();
    files.readOnly.insert(kCfg);
    EXPECT_EQ(0, SaveSwitches(*store, {true, true, false}, messages, &dialog));
    EXPECT_EQ(before, FileBytes());
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ(u"保存配置文件失败!", messages.shown[0].text);
    EXPECT_EQ(u"Lanvoy", messages.shown[0].caption);
    EXPECT_EQ(static_cast<std::uint32_t>(kMbIconStop), messages.shown[0].style);
    EXPECT_EQ(&dialog, messages.shown[0].owner);
    EXPECT_EQ((SystemSwitches{true, true, false}), ReadSwitches(*store));
    EXPECT_EQ(kTask, startupTask.task);

    // The next save that succeeds carries them.
    files.readOnly.clear();
    EXPECT_EQ(1, store->Save());
    EXPECT_EQ(File("TRUE", "TRUE", "FALSE"), FileBytes());
}

TEST_F(SettingsTest, ARefusedTaskIsToldEitherWayAfterTheSavedFile)
{
    startupTask.refuse = true;
    for (bool on : {true, false}) {
        messages.shown.clear();
        EXPECT_EQ(1, SaveSwitches(*store, {on, false, true}, messages, &dialog)) << on;
        EXPECT_EQ(File(on ? "TRUE" : "FALSE", "FALSE", "TRUE"), FileBytes()) << on;
        ASSERT_EQ(1u, messages.shown.size()) << on;
        EXPECT_EQ(u"设置开机自动运行失败!", messages.shown[0].text);
        EXPECT_EQ(u"Lanvoy", messages.shown[0].caption);
        EXPECT_EQ(static_cast<std::uint32_t>(kMbIconStop), messages.shown[0].style);
    }

    // Both failing: each is told, the file first.
    messages.shown.clear();
    files.readOnly.insert(kCfg);
    EXPECT_EQ(0, SaveSwitches(*store, {true, false, false}, messages, &dialog));
    ASSERT_EQ(2u, messages.shown.size());
    EXPECT_EQ(u"保存配置文件失败!", messages.shown[0].text);
    EXPECT_EQ(u"设置开机自动运行失败!", messages.shown[1].text);
}

TEST(AboutPages, DonationAndHomePageOverHttpOnTheProjectsHost)
{
    EXPECT_EQ((ShellRequest{u"open", u"http://lanvoy.net/lanvoy/register.html", u""}), DonateRequest());
    EXPECT_EQ((ShellRequest{u"open", u"http://lanvoy.net/lanvoy/index.html", u""}), HomePageRequest());
}

TEST_F(SettingsTest, AProgramOthersCanChangeIsToldWhyItDoesNotStartWithWindows)
{
    startupTask.access[u"C:\\Lanvoy"] = AccessList{{true, u"S-1-5-11", 0x1301bf}};
    EXPECT_EQ(1, SaveSwitches(*store, {true, false, true}, messages, &dialog));
    EXPECT_FALSE(startupTask.task);
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ(kUnsafeAutorunMessage, messages.shown[0].text);
    EXPECT_EQ(u"Lanvoy", messages.shown[0].caption);
    EXPECT_EQ(static_cast<std::uint32_t>(kMbIconExclamation), messages.shown[0].style);
}
