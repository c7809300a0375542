#include "ui/MainCommands.h"
#include "ui/OperationLog.h"
#include "ui/ProgramFiles.h"

#include "store/ConfigFile.h"
#include "support/MemoryRegistry.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string U8(const std::u16string& text)
{
    return Utf16ToUtf8(text);
}

}  // namespace

TEST(ProgramFilesTest, EveryFileSitsBesideTheProgramAndIsHandedOnWhole)
{
    const ProgramFiles paths = ProgramFilesBeside(u"C:\\Program Files\\Lanvoy\\lanvoy.exe");
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy", paths.folder);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy\\lanvoy.cfg", paths.config);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy\\config.xml", paths.settingsCopy);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy\\system.log", paths.systemLog);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy\\debug.log", paths.debugLog);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy\\Lanvoy使用手册.chm", paths.manual);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy\\lanvoy.version", paths.versionFile);

    // A blank in the folder would split the viewer's argument in two.
    EXPECT_EQ((ShellRequest{u"open", u"C:\\Windows\\system32\\NOTEPAD.EXE",
                            u" \"C:\\Program Files\\Lanvoy\\system.log\""}),
              ViewLogRequest(paths.systemLog, u"C:\\Windows\\system32"));
    EXPECT_EQ((ShellRequest{u"open", u"C:\\Windows\\hh.exe", u"\"C:\\Program Files\\Lanvoy\\Lanvoy使用手册.chm\""}),
              HelpRequest(paths.manual, u"C:\\Windows"));
    EXPECT_EQ((ShellRequest{u"open", u"C:\\Windows\\hh.exe", u"D:\\Lanvoy\\Lanvoy使用手册.chm"}),
              HelpRequest(ProgramFilesBeside(u"D:\\Lanvoy\\lanvoy.exe").manual, u"C:\\Windows"));
}

TEST(ProgramFilesTest, OnlyTheRecordedInstallationKeepsItsFilesInTheDataFolder)
{
    const InstallRecord record{u"C:\\Program Files\\Lanvoy\\", u"C:\\ProgramData\\Lanvoy"};
    // The recorded folder, whatever the case of its letters or its separators.
    for (const char16_t* exe : {u"C:\\Program Files\\Lanvoy\\lanvoy.exe", u"c:\\PROGRAM FILES\\lanvoy\\lanvoy.exe",
                                u"C:/Program Files/Lanvoy/lanvoy.exe"}) {
        const ProgramFiles paths = ProgramFilesFor(exe, record, u"C:\\ProgramData");
        EXPECT_TRUE(paths.installed) << U8(exe);
        EXPECT_EQ(u"C:\\ProgramData\\Lanvoy", paths.dataFolder);
        EXPECT_EQ(u"C:\\ProgramData\\Lanvoy\\lanvoy.cfg", paths.config);
        EXPECT_EQ(u"C:\\ProgramData\\Lanvoy\\config.xml", paths.settingsCopy);
        EXPECT_EQ(u"C:\\ProgramData\\Lanvoy\\system.log", paths.systemLog);
        EXPECT_EQ(u"C:\\ProgramData\\Lanvoy\\debug.log", paths.debugLog);
        EXPECT_EQ(u"C:\\ProgramData\\Lanvoy\\lanvoy.version", paths.versionFile);
        EXPECT_EQ(JoinPath(FolderOf(exe), u"Lanvoy使用手册.chm"), paths.manual);
    }
    // Without a recorded data folder: %ProgramData%\Lanvoy.
    EXPECT_EQ(u"D:\\Data\\Lanvoy",
              ProgramFilesFor(u"C:\\Program Files\\Lanvoy\\lanvoy.exe", {record.installFolder, u""}, u"D:\\Data\\")
                  .dataFolder);

    // Any other copy is portable, also one in a folder whose name starts the same.
    for (const char16_t* exe : {u"D:\\Tools\\Lanvoy\\lanvoy.exe", u"C:\\Program Files\\Lanvoy2\\lanvoy.exe",
                                u"C:\\Program Files\\Lanvoy\\old\\lanvoy.exe"}) {
        const ProgramFiles paths = ProgramFilesFor(exe, record, u"C:\\ProgramData");
        EXPECT_FALSE(paths.installed) << U8(exe);
        EXPECT_EQ(ProgramFilesBeside(exe).config, paths.config);
        EXPECT_EQ(FolderOf(exe) + u"\\lanvoy.cfg", paths.config);
    }
    EXPECT_FALSE(ProgramFilesFor(u"C:\\Program Files\\Lanvoy\\lanvoy.exe", {}, u"C:\\ProgramData").installed);
}

TEST(ProgramFilesTest, TheRecordIsReadFromTheInstallersKey)
{
    CMemoryRegistry registry;
    EXPECT_EQ(u"", ReadInstallRecord(registry).installFolder);
    registry.PutText(u"Software\\Lanvoy", u"InstallDir", u"C:\\Program Files\\Lanvoy");
    registry.PutText(u"Software\\Lanvoy", u"DataDir", u"C:\\ProgramData\\Lanvoy\\");
    const InstallRecord record = ReadInstallRecord(registry);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy", record.installFolder);
    EXPECT_EQ(u"C:\\ProgramData\\Lanvoy",
              ProgramFilesFor(u"C:\\Program Files\\Lanvoy\\lanvoy.exe", record, u"").dataFolder);
    EXPECT_EQ(0, registry.OpenKeyCount());
}

TEST(ProgramFilesTest, APortableCopyWithADataFolderKeepsItsFilesThere)
{
    // Scoop's layout: the version's folder, with "data" a junction to the
    // persisted copy that every update keeps.
    const std::u16string exe = u"C:\\Users\\li\\scoop\\apps\\lanvoy\\current\\lanvoy.exe";
    std::u16string asked;
    const ProgramFiles paths = ProgramFilesFor(exe, {}, u"C:\\ProgramData", [&](const std::u16string& folder) {
        asked = folder;
        return true;
    });
    EXPECT_EQ(u"C:\\Users\\li\\scoop\\apps\\lanvoy\\current\\data", asked);
    EXPECT_FALSE(paths.installed);
    EXPECT_EQ(asked, paths.dataFolder);
    for (const std::u16string* file : {&paths.config, &paths.settingsCopy, &paths.systemLog, &paths.debugLog,
                                       &paths.versionFile})
        EXPECT_EQ(asked, FolderOf(*file)) << U8(*file);
    // The manual comes with the program, not with the user's files.
    EXPECT_EQ(u"C:\\Users\\li\\scoop\\apps\\lanvoy\\current\\Lanvoy使用手册.chm", paths.manual);

    // The installed copy keeps the recorded data folder, whatever lies beside it.
    const InstallRecord record{u"C:\\Program Files\\Lanvoy", u"C:\\ProgramData\\Lanvoy"};
    EXPECT_EQ(u"C:\\ProgramData\\Lanvoy",
              ProgramFilesFor(u"C:\\Program Files\\Lanvoy\\lanvoy.exe", record, u"", [](const std::u16string&) {
                  return true;
              }).dataFolder);
}

TEST(ProgramFilesTest, TheDataFolderIsLookedForOnDisk)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lanvoy-programfiles-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::u16string exe = (folder / "lanvoy.exe").u16string();
    EXPECT_EQ(folder.u16string(), ProgramFilesFor(exe, {}, u"").dataFolder);
    // A file of that name is no folder to keep anything in.
    { std::ofstream(folder / "data") << "x"; }
    EXPECT_EQ(folder.u16string(), ProgramFilesFor(exe, {}, u"").dataFolder);
    std::filesystem::remove(folder / "data");
    std::filesystem::create_directory(folder / "data");
    EXPECT_EQ((folder / "data").u16string(), ProgramFilesFor(exe, {}, u"").dataFolder);
    std::filesystem::remove_all(folder);
}
