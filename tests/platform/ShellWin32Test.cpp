// Shell links written on the Wine prefix's desktop and read back through the
// shell's own link object; runs in the windows build.

#include "platform/ProcessPaths.h"
#include "platform/WideText.h"
#include "platform/Win32Shell.h"
#include "ui/Shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

bool FileExists(const std::u16string& path)
{
    DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What a saved link holds, as the shell reads it.
struct StoredLink {
    bool loaded = false;
    std::u16string target, arguments, workingFolder, iconPath;
    int iconIndex = -1;
};

StoredLink ReadLink(const std::u16string& path)
{
    StoredLink stored;
    HRESULT com = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(Wide(path), STGM_READ))) {
                wchar_t text[MAX_PATH] = {};
                stored.loaded = true;
                if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
                    stored.target = FromWide(text);
                text[0] = 0;
                if (SUCCEEDED(link->GetArguments(text, MAX_PATH)))
                    stored.arguments = FromWide(text);
                text[0] = 0;
                if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
                    stored.workingFolder = FromWide(text);
                text[0] = 0;
                if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &stored.iconIndex)))
                    stored.iconPath = FromWide(text);
            }
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return stored;
}

const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const wchar_t kTestDesktop[] = L"C:\\users\\Public\\LanvoyTest Desktop";

// Wine links the prefix's desktop to the host's home folder: the links go to
// a desktop of the test's own, named where the shell looks for it.
class ShellLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ | KEY_WRITE, &folders));
        wchar_t old[MAX_PATH] = {};
        DWORD size = sizeof old;
        DWORD type = 0;
        if (RegQueryValueExW(folders, L"Desktop", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
            ERROR_SUCCESS) {
            oldDesktop = FromWide(old);
            oldType = type;
        }
        CreateDirectoryW(kTestDesktop, nullptr);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(folders, L"Desktop", 0, REG_EXPAND_SZ,
                                                reinterpret_cast<const BYTE*>(kTestDesktop), sizeof kTestDesktop));
        desktop = shell.DesktopFolder();
        ASSERT_EQ(FromWide(kTestDesktop), desktop);
        exe = ExecutablePath();
    }
    void TearDown() override
    {
        for (const std::u16string& path : made)
            DeleteFileW(Wide(path));
        if (!folders)
            return;
        if (oldDesktop)
            RegSetValueExW(folders, L"Desktop", 0, oldType, reinterpret_cast<const BYTE*>(Wide(*oldDesktop)),
                           static_cast<DWORD>((oldDesktop->size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(folders, L"Desktop");
        RegCloseKey(folders);
        EXPECT_TRUE(RemoveDirectoryW(kTestDesktop)) << "a link was left behind";
    }

    // The link the command writes for a profile, removed after the test.
    std::u16string Create(const std::u16string& id, const std::u16string& name)
    {
        ProfileRow row{u"1", name, u"", id, u""};
        std::u16string path = ShortcutFor(exe, desktop, id, name).linkPath;
        made.push_back(path);
        EXPECT_TRUE(CreateProfileShortcut(shell, exe, row)) << name.size();
        return path;
    }

    CWin32Shell shell;
    std::u16string desktop, exe;
    std::vector<std::u16string> made;
    HKEY folders = nullptr;
    std::optional<std::u16string> oldDesktop;
    DWORD oldType = REG_EXPAND_SZ;
};

}  // namespace

TEST_F(ShellLinks, AProfilesLinkStartsTheProgramWithItsNumber)
{
    std::u16string path = Create(u"7", u"LanvoyTest 办公室");
    EXPECT_EQ(desktop + u"\\LanvoyTest 办公室.lnk", path);
    ASSERT_TRUE(FileExists(path));
    StoredLink stored = ReadLink(path);
    ASSERT_TRUE(stored.loaded);
    EXPECT_EQ(exe, stored.target);
    EXPECT_EQ(u" -n7", stored.arguments);
    EXPECT_EQ(exe.substr(0, exe.rfind(u'\\')), stored.workingFolder);
    EXPECT_EQ(exe, stored.iconPath);
    EXPECT_EQ(2, stored.iconIndex);
}

TEST_F(ShellLinks, TheLaterOfTwoSameNamedProfilesWins)
{
    std::u16string first = Create(u"3", u"LanvoyTest Same");
    std::u16string second = Create(u"12", u"LanvoyTest Same");
    EXPECT_EQ(first, second);
    EXPECT_EQ(u" -n12", ReadLink(second).arguments);
}

TEST_F(ShellLinks, HostileNamesStayOnTheDesktop)
{
    const std::u16string parent = desktop.substr(0, desktop.rfind(u'\\'));
    const std::u16string grandParent = parent.substr(0, parent.rfind(u'\\'));
    int id = 20;
    for (const char16_t* name : {u"..\\..\\LanvoyTest up", u"LanvoyTest/a", u"C:\\LanvoyTest", u"con", u"LanvoyTest|*?",
                                 u"..", u"LanvoyTest. "}) {
        std::u16string number = std::u16string(1, static_cast<char16_t>(u'0' + id++ % 10));
        std::u16string path = Create(number, name);
        EXPECT_TRUE(FileExists(path)) << id;
        EXPECT_EQ(desktop, path.substr(0, path.rfind(u'\\'))) << id;
        EXPECT_EQ(u" -n" + number, ReadLink(path).arguments) << id;
    }
    EXPECT_FALSE(FileExists(grandParent + u"\\LanvoyTest up.lnk"));
    EXPECT_FALSE(FileExists(u"C:\\LanvoyTest.lnk"));

    // The longest name the path limit allows is still written.
    std::u16string path = Create(u"30", u"LanvoyTest " + std::u16string(300, u'x'));
    EXPECT_EQ(259u, path.size());
    EXPECT_TRUE(FileExists(path));
}

TEST_F(ShellLinks, ALinkThatCannotBeSavedIsReportedAsNotWritten)
{
    ShortcutRequest request = ShortcutFor(exe, desktop + u"\\LanvoyTest missing folder", u"1", u"x");
    EXPECT_FALSE(shell.CreateShortcut(request));
    EXPECT_FALSE(FileExists(request.linkPath));
}
