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

TEST_F(StoreTest, EveryLoadAppliesAutorunToTheRunKey)
{
    PutFile(WithSwitches("TRUE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());
    RegValue value;
    ASSERT_TRUE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_EQ(kRegSz, value.type);
    // The characters alone, no terminator; the folder is the executable's.
    EXPECT_EQ(RegUnterminatedBytes(u"C:\\Lanvoy\\lanvoy.exe -hide"), value.data);
    EXPECT_EQ(0, registry.OpenKeyCount());

    PutFile(WithSwitches("FALSE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());
    EXPECT_FALSE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_TRUE(registry.HasKey(kRunKey));
}

TEST_F(StoreTest, WithoutTheRightsAutorunIsLeftAsItIsAndTheFileStillRecordsTheSwitch)
{
    // A Run value from another installation, which neither switch may change without the rights.
    const std::vector<std::uint8_t> other = RegUnterminatedBytes(u"C:\\Old\\lanvoy.exe -hide");
    registry.Put(kRunKey, kRunValue, kRegSz, other);
    registry.SetReadOnly(true);

    PutFile(WithSwitches("FALSE", "FALSE", "FALSE"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(1, store->SetAutorun(1));
    RegValue value;
    ASSERT_TRUE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_EQ(other, value.data);
    EXPECT_EQ(0, registry.OpenKeyCount());

    // Turned on, the switch is saved and read back on although the registry refused it.
    store->autoExec = 1;
    ASSERT_EQ(1, store->WriteSystemSettings());
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(1, store->autoExec);
    ASSERT_TRUE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_EQ(other, value.data);
    EXPECT_EQ(0, registry.OpenKeyCount());
}

TEST_F(StoreTest, AutorunNamesTheProgramWhereverItWasStartedFrom)
{
    StoreEnvironment environment{u"D:\\Program Files\\网络\\Lanvoy.EXE", files, registry, clock};
    CProfileStore spaced(environment);
    EXPECT_EQ(u"\"D:\\Program Files\\网络\\Lanvoy.exe\" -hide", spaced.AutorunCommand());
    spaced.SetAutorun(1);
    RegValue value;
    ASSERT_TRUE(registry.Get(kRunKey, kRunValue, &value));
    EXPECT_EQ(RegUnterminatedBytes(spaced.AutorunCommand()), value.data);
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
