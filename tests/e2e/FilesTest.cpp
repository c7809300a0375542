// The program's own files stay beside it whatever folder a file dialog shows:
// an import from a sub-folder, then the log, Notepad and the help viewer.
// Run in a Chinese locale (the e2e_files test): Wine's help viewer opens a
// file with a Chinese name only where the ANSI code page can spell it.

#include "Scenario.h"
#include "resource.h"

#include <fstream>
#include <iterator>

namespace e2e {
namespace {

using FilesTest = Scenario;

TEST_F(FilesTest, AfterAnImportFromASubFolderEverythingStaysBesideTheProgram)
{
    const std::filesystem::path manual = Settings().lanvoy.parent_path() / L"Lanvoy使用手册.chm";
    ASSERT_TRUE(std::filesystem::exists(manual)) << "the build made no manual";
    std::filesystem::copy_file(manual, folder.File(L"Lanvoy使用手册.chm"));
    const std::filesystem::path old = folder.Path() / L"old";
    std::filesystem::create_directories(old);
    {
        std::ofstream file(old / L"ipconfig.xml", std::ios::binary);
        file << "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<CONFIG LASTID=\"1\">\r\n"
                "<NETSETING NAME=\"Old\" DATATIME=\"07-01-01 08:00:00\" ID=\"1\">\r\n"
                "<CONNECTION NAME=\"x\" GUID=\"{OLD}\" NETCARD=\"x\" MACCODE=\"x\" EnableCheck=\"1\" TYPE=\"1\">\r\n"
                "</CONNECTION>\r\n</NETSETING>\r\n</CONFIG>\r\n";
    }

    HWND main = StartWith(ThreeProfiles());
    Command(main, ID_IMPORT_V1);
    ChooseFile(WaitFileDialog(*program), old / L"ipconfig.xml");
    WaitFor(L"the imported row", [&] { return RowCount(main) == 4; });
    ClickRow(main, 1);
    Command(main, ID_PROFILE_APPLY);
    EXPECT_TRUE(Box(*program, L"应用网络配置[家里]成功!"));
    WaitFor(L"the apply's log entry", [&] { return SystemLog().size() == 2; });
    EXPECT_EQ(U8({L"建立一个新配置文件,备份配置文件成功!", L"应用网络配置[家里]成功!"}), SystemLog());
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(old), std::filesystem::directory_iterator()))
        << "the program wrote into the folder the dialog showed";

    Command(main, ID_VIEW_LOG);
    HWND notepad = WaitWindowOfClass(L"Notepad");
    HWND text = FindWindowExW(notepad, nullptr, L"Edit", nullptr);
    WaitFor(L"the log in Notepad", [&] { return TextOf(text).find(L"应用网络配置[家里]成功!") != std::wstring::npos; });
    PostMessageW(notepad, WM_CLOSE, 0, 0);

    Command(main, ID_HELP_MANUAL);
    HWND help = WaitWindowOfClass(L"HH Parent");
    EXPECT_EQ(U8(L"Lanvoy 使用手册"), U8(TextOf(help)));
    PostMessageW(help, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace e2e
