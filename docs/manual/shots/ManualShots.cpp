// The manual's pictures: each scene starts lanvoy.exe afresh on the demo
// configuration with the operation log on, works it to what a page of the
// manual shows and saves the windows, title bars included, under the names
// the pages use. Run on a Wine virtual desktop by the ctest test manual_shots;
// docs/manual/shots/take-shots.sh copies the pictures into docs/manual/images.

#include "Scenario.h"
#include "resource.h"

namespace e2e {
namespace {

class ManualShots : public Scenario {
protected:
    // The demo configuration comes in as --config.
    HWND Start()
    {
        folder.WriteDistributedConfig({});
        // The list selects the row under the pointer: none should be
        // selected or show its tip unless the scene says so.
        PointerAway();
        program = &folder.Start();
        HWND main = WaitMainWindow(*program);
        WaitVisible(main, true);
        // Menus opened before the pointer moved over the new window were seen
        // unpainted under Wine: it moves once the window shows.
        PointerTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 8, GetSystemMetrics(SM_CYSCREEN) - 8});
        PointerAway();
        Sleep(1000);
        return main;
    }

    HWND Open(HWND main, int command, const std::wstring& caption)
    {
        Command(main, command);
        return WaitDialog(*program, caption);
    }

    // A window with its title bar, once what it shows has settled.
    void Shot(const std::wstring& name, HWND window)
    {
        Sleep(400);
        SaveScreenshot(name, window);
    }

    // The main window with the menus open over it.
    void ShotWithMenus(const std::wstring& name, HWND main)
    {
        std::vector<HWND> windows = OpenMenus(program->Id());
        windows.push_back(main);
        SaveScreenshotAround(name, windows);
    }

    void Cancel(HWND dialog)
    {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitClosed(dialog);
    }
};

TEST_F(ManualShots, MainWindow)
{
    HWND main = Start();
    ClickRow(main, 2);
    PointerAway();
    Shot(L"main-window", main);
}

TEST_F(ManualShots, RowTip)
{
    HWND main = Start();
    HoverRow(main, 2);
    SaveScreenshotAround(L"row-tip", {main, WaitTooltip(*program)});
}

// A menu closed with Esc leaves the menu bar in its menu loop, which takes
// the next mouse message: each menu opens on a fresh start.
TEST_F(ManualShots, FileMenu)
{
    HWND main = Start();
    OpenMenuBarMenu(*program, main, L'f');
    ShotWithMenus(L"file-menu", main);
}

TEST_F(ManualShots, OptionsMenu)
{
    HWND main = Start();
    OpenMenuBarMenu(*program, main, L'o');
    // "启用网络" with its adapters.
    MenuKeys(*program, {VK_DOWN, VK_DOWN, VK_RIGHT});
    WaitFor(L"the adapters' sub-menu", [&] { return VisibleMenuCount(program->Id()) == 2; });
    ShotWithMenus(L"options-menu", main);
}

TEST_F(ManualShots, EditMenu)
{
    HWND main = Start();
    // The profile commands, with a row marked.
    ClickRow(main, 0);
    PointerAway();
    OpenMenuBarMenu(*program, main, L'e');
    ShotWithMenus(L"edit-menu", main);
}

TEST_F(ManualShots, ListMenu)
{
    HWND main = Start();
    RightClickRow(*program, main, 0);
    ShotWithMenus(L"list-menu", main);
}

TEST_F(ManualShots, TrayMenu)
{
    HWND main = Start();
    // The menu opens at the screen's upper left: the main window goes to the
    // lower right, out of the picture.
    RECT frame{};
    GetWindowRect(main, &frame);
    MoveWindowTo(main, GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left),
                 GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top));
    OpenTraySubMenu(*program, main, 6);
    SaveScreenshotAround(L"tray-menu", OpenMenus(program->Id()));
}

TEST_F(ManualShots, Editor)
{
    HWND main = Start();
    HWND editor = Open(main, ID_PROFILE_NEW, kEditorCaption);
    Shot(L"editor-new", editor);
    Cancel(editor);

    // The first profile: manual addresses on the first adapter, the second
    // adapter left as it is.
    ClickRow(main, 0);
    editor = Open(main, ID_PROFILE_EDIT, kEditorCaption);
    Shot(L"editor-manual", editor);
    ClickTab(editor, IDC_PROFILE_TABS, 1);
    Shot(L"editor-untouched", editor);
    Cancel(editor);

    editor = Open(main, ID_PROFILE_EDIT, kEditorCaption);
    // The list closes up when the dialog takes the focus after it shows:
    // dropped again until the picture has it.
    HWND providers = Item(editor, IDC_PROFILE_DNS_LIST);
    for (int attempt = 0; attempt < 3; ++attempt) {
        Sleep(500);
        DropDown(editor, IDC_PROFILE_DNS_LIST);
        Shot(L"editor-dns", editor);
        if (SendMessageW(providers, CB_GETDROPPEDSTATE, 0, 0))
            break;
    }
    EXPECT_TRUE(SendMessageW(providers, CB_GETDROPPEDSTATE, 0, 0)) << "the picture shows no dropped list";
    Cancel(editor);

    ClickRow(main, 1);
    editor = Open(main, ID_PROFILE_EDIT, kEditorCaption);
    Shot(L"editor-dhcp", editor);
    Cancel(editor);

    ClickRow(main, 2);
    Shot(L"properties", Open(main, ID_PROFILE_PROPERTIES, kEditorCaption));
}

TEST_F(ManualShots, Dialogs)
{
    HWND main = Start();
    const struct {
        int command;
        const std::wstring& caption;
        const wchar_t* name;
    } dialogs[] = {
        {ID_BACKUP, kBackupCaption, L"backup"},
        {ID_CURRENT_IP, kCurrentIpCaption, L"current-ip"},
        {ID_SETTINGS, kSettingsCaption, L"settings"},
        {ID_APP_ABOUT, kAboutCaption, L"about"},
    };
    for (const auto& dialog : dialogs) {
        HWND window = Open(main, dialog.command, dialog.caption);
        Shot(dialog.name, window);
        Cancel(window);
    }
}

TEST_F(ManualShots, MessageBoxes)
{
    HWND main = Start();
    Command(main, ID_PROFILE_DELETE);
    MessageBoxSeen box = WaitMessageBox(*program);
    EXPECT_EQ(U8(L"没有选中任何配置!"), U8(box.text));
    Shot(L"no-selection", box.window);
    Answer(box);

    // Last: the apply changes the demo machine, which the scenario puts back.
    ClickRow(main, 0);
    Command(main, ID_PROFILE_APPLY);
    box = WaitMessageBox(*program);
    EXPECT_EQ(U8(L"应用网络配置[办公室]成功!"), U8(box.text));
    Shot(L"apply-done", box.window);
    Answer(box);
}

}  // namespace
}  // namespace e2e
