#include "ui/MainCommands.h"
#include "ui/OperationLog.h"
#include "ui/ProgramFiles.h"

#include <gtest/gtest.h>

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
