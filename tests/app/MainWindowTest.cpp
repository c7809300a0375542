// The main window in a real window at the screen's scale: the prefix is set
// to LogPixels 96, 120, 144 and 192 in turn (run-at-dpis.sh), and every pixel
// size the window makes itself must follow.

#include "app/MainDlg.h"
#include "controls/Dpi.h"
#include "controls/ListText.h"
#include "dialogs/BackupDlg.h"
#include "dialogs/SettingsDlg.h"
#include "NetFixture.h"
#include "platform/Win32MessageBox.h"
#include "support/FakeMessageBox.h"
#include "support/FakeShell.h"
#include "support/MemoryFileSystem.h"
#include "support/MemoryStartupTask.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <shellapi.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

const std::u16string kExe = u"C:\\Lanvoy\\lanvoy.exe";
const LocalTime kCreated{2026, 12, 1, 8, 30, 0};

UINT ExpectedDpi()
{
    const char* given = std::getenv("LANVOY_EXPECT_DPI");
    return given ? static_cast<UINT>(std::atoi(given)) : kDesignDpi;
}

class MainWindowTest : public NetTest {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        AddEthernet(u"0000", u"Intel NIC", u"{A}", u"本地连接");
        // One profile, stamped 26-12-01 08:30:00.
        CProfileStore prepared(StoreEnvironment{kExe, files, registry, startupTask, clock});
        prepared.Load();
        ASSERT_EQ(1, prepared.AddProfile(u"办公室", {}));
        ASSERT_EQ(1, prepared.Save());

        window = std::make_unique<CMainDlg>(Services());
        ASSERT_TRUE(window->CreateModeless(nullptr)) << "no window: the test needs a display";
        main = window->Handle();
        list = GetDlgItem(main, IDC_PROFILE_LIST);
        toolBar = FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
        ASSERT_NE(nullptr, toolBar);
    }

    MainServices Services()
    {
        return MainServices{fake.Platform(), changer, ServiceState{}, StoreEnvironment{kExe, files, registry, startupTask, clock},
                            messages, shell, CommandLine{}, ProgramFilesBeside(kExe)};
    }

    // An image list's pictures: one of the drawn sizes, as asked for.
    static int PictureSize(HIMAGELIST images)
    {
        int width = 0, height = 0;
        EXPECT_TRUE(ImageList_GetIconSize(images, &width, &height));
        EXPECT_EQ(width, height);
        return width;
    }

    // The width of the title bar's icon of one kind (ICON_BIG, ICON_SMALL).
    int TitleIconSize(WPARAM kind) const
    {
        ICONINFO info{};
        if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, kind, 0)), &info))
            return 0;
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return bitmap.bmWidth;
    }

    CMemoryFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{kCreated};
    CFakeMessageBox messages;
    CFakeShell shell;
    CDirectAdapterChanger changer{fake.Platform()};
    std::unique_ptr<CMainDlg> window;
    HWND main = nullptr, list = nullptr, toolBar = nullptr;
};

TEST_F(MainWindowTest, PixelSizesFollowTheScreensScale)
{
    const UINT dpi = ExpectedDpi();
    ASSERT_EQ(dpi, WindowDpi(main)) << "the prefix is not at the scale this run is for";

    // Columns: image, "NO.", "名称", "建立时间", designed at 96 DPI.
    const int designed[] = {37, 40, 225, 120};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(ScaleForDpi(designed[column], dpi), ListView_GetColumnWidth(list, column)) << "column " << column;

    // The row picture comes drawn for the scale, and the row holds it.
    const int picture = PictureSize(ListView_GetImageList(list, LVSIL_SMALL));
    EXPECT_EQ(DrawnSizeForDpi(32, dpi), picture);
    RECT row{};
    ASSERT_TRUE(ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS));
    EXPECT_GE(row.bottom - row.top, picture + ScaleForDpi(2, dpi));

    // The time is drawn whole in its column, with the list's own font.
    wchar_t time[32] = {}, image[32] = {L'?'};
    ListView_GetItemText(list, 0, 3, time, 32);
    ASSERT_STREQ(L"26-12-01 08:30:00", time);
    ListView_GetItemText(list, 0, 0, image, 32);
    EXPECT_STREQ(L"", image) << "the picture's column shows text";
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    const TextMeasure measure = [dc](std::u16string_view text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const ShortText shown = ShortenText(u"26-12-01 08:30:00", ListView_GetColumnWidth(list, 3), ScaleForDpi(12, dpi), measure);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    EXPECT_FALSE(shown.shortened) << "the time column cuts the time";

    // Toolbar: buttons and pictures scale; the list starts just below it.
    const DWORD buttons = static_cast<DWORD>(SendMessageW(toolBar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(ScaleForDpi(52, dpi), LOWORD(buttons));
    EXPECT_EQ(ScaleForDpi(62, dpi), HIWORD(buttons));
    auto images = [this](UINT message) {
        return reinterpret_cast<HIMAGELIST>(SendMessageW(toolBar, message, 0, 0));
    };
    EXPECT_EQ(DrawnSizeForDpi(32, dpi), PictureSize(images(TB_GETIMAGELIST)));
    EXPECT_EQ(DrawnSizeForDpi(32, dpi), PictureSize(images(TB_GETDISABLEDIMAGELIST)));
    EXPECT_EQ(NearestDrawnSize(MetricForDpi(SM_CXICON, dpi)), TitleIconSize(ICON_BIG));
    EXPECT_EQ(NearestDrawnSize(MetricForDpi(SM_CXSMICON, dpi)), TitleIconSize(ICON_SMALL));
    RECT bar{}, listRect{};
    GetWindowRect(toolBar, &bar);
    GetWindowRect(list, &listRect);
    EXPECT_LE(bar.bottom, listRect.top) << "the toolbar covers the list";
    // 22 pixels at 96 DPI; the dialog's face does not grow quite as the scale.
    EXPECT_LE(listRect.top - bar.bottom, ScaleForDpi(24, dpi)) << "a blank band under the toolbar";
}

}  // namespace

namespace {

// What a change of scale sends, and what the window posts itself after it.
void ChangeScale(HWND window, UINT dpi)
{
    RECT place{};
    GetWindowRect(window, &place);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// The width the backup dialog's dropped list needs at a scale: its widest
// line in the box's font now, the list's edges, scroll bar and item margins.
int DropDownWidth(HWND box, UINT dpi)
{
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int item = 0; item < static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0)); ++item) {
        wchar_t text[256] = {};
        SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
        SIZE size{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    return widest + 2 * MetricForDpi(SM_CXEDGE, dpi) + MetricForDpi(SM_CXVSCROLL, dpi) + ScaleForDpi(8, dpi);
}

TEST_F(MainWindowTest, MovingToAScreenOfAnotherScaleSizesTheWindowAgain)
{
    const UINT from = ExpectedDpi();
    const UINT target = from == 144 ? 192 : 144;
    ListView_SetColumnWidth(list, 2, ScaleForDpi(300, from));  // as the user dragged it
    int widths[4] = {};
    for (int column = 0; column < 4; ++column)
        widths[column] = ListView_GetColumnWidth(list, column);

    // A dialog open over the window, with a line wider than its box.
    AddEthernet(u"0001", u"Intel(R) Ethernet Connection I219-LM in the docking station", u"{B}", u"本地连接 2");
    CAdapterList adapters(fake.Platform());
    adapters.Refresh();
    CProfileStore store(StoreEnvironment{kExe, files, registry, startupTask, clock});
    store.Load();
    CBackupDlg backup(store, adapters, messages);
    ASSERT_TRUE(backup.CreateModeless(main));
    HWND box = GetDlgItem(backup.Handle(), IDC_BACKUP_ADAPTER);
    const int dropped = static_cast<int>(SendMessageW(box, CB_GETDROPPEDWIDTH, 0, 0));
    RECT boxRect{};
    GetWindowRect(box, &boxRect);
    ASSERT_GT(dropped, boxRect.right - boxRect.left) << "the line fits the box: nothing to follow";
    const LRESULT icon = SendMessageW(backup.Handle(), WM_GETICON, ICON_SMALL, 0);

    ChangeScale(main, target);
    ChangeScale(backup.Handle(), target);

    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(MulDiv(widths[column], static_cast<int>(target), static_cast<int>(from)),
                  ListView_GetColumnWidth(list, column)) << "column " << column;
    EXPECT_EQ(DrawnSizeForDpi(32, target), PictureSize(ListView_GetImageList(list, LVSIL_SMALL)));
    const DWORD buttons = static_cast<DWORD>(SendMessageW(toolBar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(ScaleForDpi(52, target), LOWORD(buttons));
    EXPECT_EQ(DrawnSizeForDpi(32, target),
              PictureSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0))));

    EXPECT_EQ(DropDownWidth(box, target), static_cast<int>(SendMessageW(box, CB_GETDROPPEDWIDTH, 0, 0)));
    if (NearestDrawnSize(MetricForDpi(SM_CXSMICON, from)) != NearestDrawnSize(MetricForDpi(SM_CXSMICON, target))) {
        EXPECT_NE(icon, SendMessageW(backup.Handle(), WM_GETICON, ICON_SMALL, 0)) << "the title bar's icon stayed";
    }
}

TEST_F(MainWindowTest, TrayIconKeepsItsPictureAndComesBackWithTheTaskbar)
{
    ASSERT_TRUE(window->TrayIcon().Added()) << "no notification area to test with";
    // Sent while the icon is still there, and again once the shell forgot it.
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    SendMessageW(main, taskbarCreated, 0, 0);
    EXPECT_TRUE(window->TrayIcon().Added());
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = main;
    record.uID = TRAY_ICON_UID;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));
    SendMessageW(main, taskbarCreated, 0, 0);
    EXPECT_TRUE(window->TrayIcon().Added());

    ICONINFO picture{};
    ASSERT_TRUE(GetIconInfo(window->TrayIcon().Icon(), &picture)) << "the icon was freed";
    DeleteObject(picture.hbmColor);
    DeleteObject(picture.hbmMask);

    // The exit takes the icon with it: none is left behind.
    window.reset();
    record.uFlags = NIF_TIP;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &record)) << "a ghost icon stayed";
}

int IconWidth(HICON icon)
{
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts))
        return 0;
    BITMAP picture{};
    GetObjectW(parts.hbmMask, sizeof picture, &picture);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return picture.bmWidth;
}

// The main window on a taskbar whose scale the test sets: the screen of a
// test run keeps one scale.
class CMainDlgOnTaskbar : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    int taskbarIconSize = 16;

protected:
    int TrayIconSize() const override { return taskbarIconSize; }
};

TEST_F(MainWindowTest, TrayIconFollowsTheTaskbarsScaleInItsPlace)
{
    EXPECT_EQ(MetricForDpi(SM_CXSMICON, TaskbarDpi()), IconWidth(window->TrayIcon().Icon()));
    window.reset();
    auto onTaskbar = std::make_unique<CMainDlgOnTaskbar>(Services());
    ASSERT_TRUE(onTaskbar->CreateModeless(nullptr));
    const CTrayIcon& tray = onTaskbar->TrayIcon();
    ASSERT_TRUE(tray.Added()) << "no notification area to test with";
    const HICON first = tray.Icon();
    EXPECT_EQ(16, IconWidth(first));

    // Only a change of the taskbar's scale draws the icon again.
    SendMessageW(onTaskbar->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(first, tray.Icon());
    onTaskbar->taskbarIconSize = 24;
    SendMessageW(onTaskbar->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(24, IconWidth(tray.Icon()));
    EXPECT_EQ(0, IconWidth(first)) << "the old picture was kept";
    EXPECT_TRUE(tray.Added());

    // The shell still has the icon under its name, and a taskbar that comes
    // back gets it at its own scale.
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = onTaskbar->Handle();
    record.uID = TRAY_ICON_UID;
    record.uFlags = NIF_TIP;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &record)) << "the icon left the tray";
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));
    onTaskbar->taskbarIconSize = 32;
    SendMessageW(onTaskbar->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(tray.Added());
    EXPECT_EQ(32, IconWidth(tray.Icon()));
}

TEST_F(MainWindowTest, RowPicturesOutliveTheListAndAreFreedByTheWindow)
{
    HIMAGELIST images = ListView_GetImageList(list, LVSIL_SMALL);
    ASSERT_EQ(1, ImageList_GetImageCount(images));
    DestroyWindow(main);
    EXPECT_EQ(1, ImageList_GetImageCount(images)) << "the list freed the window's pictures";
}

TEST_F(MainWindowTest, ADialogsBoxesBelongToItOnceItShows)
{
    CProfileStore store(StoreEnvironment{kExe, files, registry, startupTask, clock});
    store.Load();
    CSettingsDlg settings(store, messages);
    ASSERT_TRUE(settings.CreateModeless(main));
    const HWND dialog = settings.Handle();
    // Not shown yet, as in its WM_INITDIALOG: the window that opened it takes the box.
    EXPECT_EQ(static_cast<WindowHandle>(main), BoxOwnerFor(dialog));
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    EXPECT_EQ(static_cast<WindowHandle>(dialog), BoxOwnerFor(dialog));
    // The main window hidden in the tray keeps its own.
    ShowWindow(main, SW_HIDE);
    EXPECT_EQ(static_cast<WindowHandle>(main), BoxOwnerFor(main));

    files.writeLimit = 0;  // the save fails and says so
    messages.shown.clear();
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(u"保存配置文件失败!", messages.shown[0].text);
    EXPECT_EQ(static_cast<WindowHandle>(dialog), messages.shown[0].owner);
}

}  // namespace
