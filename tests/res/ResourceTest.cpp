// The resources of res/lanvoy.rc, linked into this test and read back from
// its own module the way the main window, the tray and the shell read them:
// by ID, with the exact texts, positions and layouts the code relies on.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "lanvoy_version.h"
#include "resource.h"

namespace {

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

// One line per menu position: "-" for a separator, "> text" for a pop-up,
// "id text" for a command, so a mismatch prints the whole menu.
std::vector<std::wstring> Describe(HMENU menu) {
  std::vector<std::wstring> lines;
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    wchar_t text[256] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 256;
    GetMenuItemInfoW(menu, pos, TRUE, &info);
    if (info.fType & MFT_SEPARATOR)
      lines.push_back(L"-");
    else if (info.hSubMenu)
      lines.push_back(L"> " + std::wstring(text));
    else
      lines.push_back(std::to_wstring(info.wID) + L" " + text);
  }
  return lines;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

RECT DialogUnits(HWND dialog, int left, int top, int width, int height) {
  RECT r = {left, top, left + width, top + height};
  MapDialogRect(dialog, &r);
  return r;
}

void ExpectRect(const RECT& expected, const RECT& actual) {
  EXPECT_EQ(expected.left, actual.left);
  EXPECT_EQ(expected.top, actual.top);
  EXPECT_EQ(expected.right, actual.right);
  EXPECT_EQ(expected.bottom, actual.bottom);
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The bytes of a resource, empty when it is missing.
std::string RawResource(LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(Self(), name, type);
  if (!found) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(Self(), found)));
  return std::string(data, SizeofResource(Self(), found));
}

class Resources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
  }
};

TEST_F(Resources, MenusHoldTheirCommandsAtFixedPositions) {
  HMENU bar = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_MAINMENU));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Describe(bar), (std::vector<std::wstring>{L"> 文件(&F)", L"> 编辑(&E)", L"> 选项(&O)", L"> 帮助(&H)"}));
  const std::vector<std::vector<std::wstring>> popups = {
      {L"32803 新建(&N)...", L"32777 启用(&A)", L"-", L"32793 查看当前IP...", L"32778 备份电脑IP...", L"-",
       L"32811 修复配置文件", L"32813 导入1.x配置...", L"-", L"32772 退出(&X)"},
      {L"32776 修改...", L"32795 删除(&D)", L"-", L"32796 复制(&C)", L"-", L"32812 建立快捷方式"},
      {L"32789 系统设置(&S)", L"-", L"-", L"32790 查看日志"},
      {L"32775 帮助", L"-", L"32773 关于(&A)", L"-", L"32797 捐助.."},
  };
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Describe(GetSubMenu(bar, i)), popups[i]) << "menu bar pop-up " << i;
  EXPECT_EQ(Describe(bar)[MAINMENU_OPTIONS_POS], L"> 选项(&O)");
  DestroyMenu(bar);

  HMENU tray = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_TRAYMENU));
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(Describe(tray), std::vector<std::wstring>{L"> 弹出菜单"});
  EXPECT_EQ(Describe(GetSubMenu(tray, 0)),
            (std::vector<std::wstring>{L"32771 打开主界面", L"32793 查看当前IP...", L"-", L"-", L"-",
                                       L"32789 系统设置(&S)...", L"32773 关于...", L"-", L"32772 退出"}));
  DestroyMenu(tray);

  HMENU list = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_LISTMENU));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Describe(list), std::vector<std::wstring>{L"> 编辑菜单"});
  EXPECT_EQ(Describe(GetSubMenu(list, 0)),
            (std::vector<std::wstring>{L"32777 启用", L"32812 建立快捷方式", L"-", L"32776 修改...", L"32796 复制",
                                       L"32795 删除", L"-", L"32804 属性..."}));
  DestroyMenu(list);
}

TEST_F(Resources, ToolbarLayoutIsTenWordIdsAfterItsHeader) {
  const std::string raw = RawResource(MAKEINTRESOURCEW(IDR_TOOLBAR), MAKEINTRESOURCEW(RT_TOOLBAR_TYPE));
  std::vector<WORD> words(raw.size() / 2);
  memcpy(words.data(), raw.data(), words.size() * 2);
  EXPECT_EQ(raw.size() % 2, 0u);
  EXPECT_EQ(words, (std::vector<WORD>{1, 16, 15, 10, 32777, 32804, 0, 32803, 32776, 32795, 0, 32797, 32773, 32775}));
}

TEST_F(Resources, CommandStringsAreExact) {
  const std::vector<std::pair<UINT, std::wstring>> strings = {
      {101, L"关于 Lanvoy(&A)..."},
      {32772, L"退出系统\n退出该系统"},
      {32773, L"关于\n关于本软件"},
      {32775, L"帮助\n帮助"},
      {32776, L"修改\n修改选中的IP方案"},
      {32777, L"应用配置\n启用选中的IP设置方案"},
      {32778, L"保存电脑当前的IP设置到文件"},
      {32789, L"软件运行参数设置"},
      {32790, L"查看操作日志"},
      {32793, L"查看\n查看电脑当前的IP设置"},
      {32795, L"删除\n删除选中的方案"},
      {32796, L"复制方案\n复制选中的方案生成新的IP设置方案"},
      {32797, L"捐助\n为了本软件的发展，请伸出你的援手"},
      {32803, L"添加\n建立一个新的IP配置"},
      {32804, L"\n查看配置文件详细信息"},
      {32811, L"用此命令修复配置文件，适用电脑重装系统、软件升级等\n用此命令可修复配置文件，适用电脑重装系统、软件升级等"},
      {32812, L"在桌面为该方案建立快捷方式\n在桌面为该方案建立快捷方式"},
      {32813, L"导入1.x版本的配置文件\n导入1.x版本的配置文件"},
  };
  for (const auto& [id, text] : strings) {
    const wchar_t* stored = nullptr;
    int length = LoadStringW(Self(), id, reinterpret_cast<LPWSTR>(&stored), 0);
    EXPECT_EQ(std::wstring(stored ? stored : L"", length), text) << "string " << id;
  }
  // Commands without a prompt must have no string, or the status bar shows a stale one.
  wchar_t none[8];
  EXPECT_EQ(LoadStringW(Self(), ID_OPEN_MAIN_WINDOW, none, 8), 0);
}

// Shortcuts name the shortcut icon by its index among the icon groups.
TEST_F(Resources, IconsComeInOrderWithTheirSizesIn32Bit) {
  std::vector<UINT> order;
  EnumResourceNamesW(
      Self(), RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) -> BOOL {
        if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<UINT>*>(out)->push_back(LOWORD(name));
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&order));
  EXPECT_EQ(order, (std::vector<UINT>{IDI_APP, IDI_PROFILE, IDI_SHORTCUT}));

  // Every drawn size, so a scaled screen never gets a stretched one.
  const std::vector<int> drawn = {16, 20, 24, 32, 40, 48, 64, 256};
  const std::vector<std::pair<UINT, std::vector<int>>> sizes = {
      {IDI_APP, drawn}, {IDI_PROFILE, drawn}, {IDI_SHORTCUT, drawn}};
  for (const auto& [id, expected] : sizes) {
    // The group directory: 6-byte header, then 14-byte entries.
    const std::string group = RawResource(MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u) << "icon " << id;
    const int count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6u + 14u * count) << "icon " << id;
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
      const BYTE* entry = reinterpret_cast<const BYTE*>(group.data() + 6 + 14 * i);
      widths.push_back(entry[0] ? entry[0] : 256);
      EXPECT_EQ(entry[0], entry[1]) << "icon " << id << " is square";
      EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 32) << "icon " << id << " has alpha";
    }
    EXPECT_EQ(widths, expected) << "icon " << id;
    HICON icon = static_cast<HICON>(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr) << "icon " << id;
    DestroyIcon(icon);
  }
}

// The toolbar's image lists take white as see-through: a picture needs a white
// border and colour of its own, and a disabled twin is all grey.
TEST_F(Resources, ButtonPicturesAre32By32OnWhiteWithGreyTwins) {
  const std::vector<std::pair<UINT, UINT>> pairs = {
      {IDB_APPLY, IDB_APPLY_DISABLED},   {IDB_PROPERTIES, IDB_PROPERTIES_DISABLED},
      {IDB_NEW, IDB_NEW_DISABLED},       {IDB_EDIT, IDB_EDIT_DISABLED},
      {IDB_DELETE, IDB_DELETE_DISABLED}, {IDB_DONATE, IDB_DONATE_DISABLED},
      {IDB_ABOUT, IDB_ABOUT_DISABLED},   {IDB_HELP, IDB_HELP_DISABLED},
      {IDB_COPY, IDB_COPY_DISABLED}};
  auto pixels = [](UINT id) {
    std::vector<COLORREF> out;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION dib = {};
    if (!bitmap || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib) return out;
    EXPECT_EQ(dib.dsBm.bmWidth, 32) << "bitmap " << id;
    EXPECT_EQ(dib.dsBm.bmHeight, 32) << "bitmap " << id;
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24) << "bitmap " << id;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < dib.dsBm.bmHeight; ++y)
      for (int x = 0; x < dib.dsBm.bmWidth; ++x) out.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return out;
  };
  const COLORREF white = RGB(255, 255, 255);
  for (const auto& [normal, disabled] : pairs) {
    const auto colour = pixels(normal), grey = pixels(disabled);
    ASSERT_EQ(colour.size(), 1024u) << "bitmap " << normal;
    ASSERT_EQ(grey.size(), 1024u) << "bitmap " << disabled;
    EXPECT_EQ(colour[0], white) << "bitmap " << normal;
    EXPECT_EQ(grey[0], white) << "bitmap " << disabled;
    int coloured = 0, notGrey = 0, drawn = 0;
    for (COLORREF c : colour) coloured += GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c);
    for (COLORREF c : grey) {
      notGrey += GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c);
      drawn += c != white;
    }
    EXPECT_GT(coloured, 50) << "bitmap " << normal << " is in colour";
    EXPECT_EQ(notGrey, 0) << "bitmap " << disabled << " is grey";
    EXPECT_GT(drawn, 100) << "bitmap " << disabled << " shows the picture";
  }
}

// The toolbar as shown: its eight pictures side by side at each drawn size,
// on white, and their greyed twins.
TEST_F(Resources, ToolbarStripsAtEveryDrawnSize) {
  const int sizes[] = {16, 20, 24, 32, 40, 48, 64};
  for (int i = 0; i < 7; ++i) {
    for (UINT id : {UINT(IDB_TOOLBAR_16 + i), UINT(IDB_TOOLBAR_16_DISABLED + i)}) {
      HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
      BITMAP info = {};
      ASSERT_TRUE(bitmap && GetObjectW(bitmap, sizeof info, &info)) << "bitmap " << id;
      EXPECT_EQ(info.bmWidth, 8 * sizes[i]) << "bitmap " << id;
      EXPECT_EQ(info.bmHeight, sizes[i]) << "bitmap " << id;
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, bitmap);
      EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255)) << "bitmap " << id;
      SelectObject(dc, old);
      DeleteDC(dc);
      DeleteObject(bitmap);
    }
  }
}

TEST_F(Resources, MainWindowTemplate) {
  HWND dialog = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_MAIN), nullptr, QuietDialog, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), L"Lanvoy");
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(Describe(GetMenu(dialog)).size(), 4u);

  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"宋体");

  RECT client;
  GetClientRect(dialog, &client);
  ExpectRect(DialogUnits(dialog, 0, 0, 302, 230), client);

  HWND list = GetDlgItem(dialog, IDC_PROFILE_LIST);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ClassOf(list), L"SysListView32");
  const LONG listStyle = GetWindowLongW(list, GWL_STYLE);
  EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(listStyle & (LVS_SHOWSELALWAYS | WS_TABSTOP), LVS_SHOWSELALWAYS | WS_TABSTOP);
  // The list turns a plain border into its sunken edge.
  EXPECT_TRUE((listStyle & WS_BORDER) || (GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
  RECT placed;
  GetWindowRect(list, &placed);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
  ExpectRect(DialogUnits(dialog, 2, 46, 298, 168), placed);
  DestroyWindow(dialog);
}

TEST_F(Resources, WaitDialogTemplate) {
  HWND owner = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_MAIN), nullptr, QuietDialog, 0);
  ASSERT_NE(owner, nullptr);
  HWND wait = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_WAIT), owner, QuietDialog, 0);
  ASSERT_NE(wait, nullptr);
  const LONG style = GetWindowLongW(wait, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_BORDER | WS_CAPTION), WS_CHILD | WS_BORDER);
  RECT client;
  GetClientRect(wait, &client);
  ExpectRect(DialogUnits(wait, 0, 0, 188, 62), client);

  HWND progress = GetDlgItem(wait, IDC_WAIT_PROGRESS);
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(ClassOf(progress), L"msctls_progress32");
  EXPECT_TRUE(GetWindowLongW(progress, GWL_STYLE) & WS_VISIBLE);
  HWND ok = GetDlgItem(wait, IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_FALSE(GetWindowLongW(ok, GWL_STYLE) & WS_VISIBLE);

  bool text = false;
  for (HWND child = GetWindow(wait, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    text = text || (ClassOf(child) == L"Static" && TextOf(child) == L"请稍候....");
  EXPECT_TRUE(text);
  DestroyWindow(owner);
}

TEST_F(Resources, VersionAndManifest) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::vector<char> info(GetFileVersionInfoSizeW(path, nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));
  auto value = [&](const wchar_t* name) {
    void* text = nullptr;
    UINT length = 0;
    std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), &text, &length) || !text) return std::wstring(L"<none>");
    return std::wstring(static_cast<const wchar_t*>(text));
  };
  // The project version, through the generated header the script includes.
  EXPECT_EQ(value(L"ProductVersion"), L"" LANVOY_VERSION_TEXT);
  EXPECT_EQ(value(L"FileVersion"), L"" LANVOY_VERSION_TEXT);
  EXPECT_EQ(value(L"FileDescription"), L"Lanvoy 网络配置切换工具");
  EXPECT_EQ(value(L"LegalCopyright"), L"© 2026 Lanvoy");
  EXPECT_EQ(value(L"OriginalFilename"), L"lanvoy.exe");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(LANVOY_VERSION_MINOR, LANVOY_VERSION_MAJOR));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, LANVOY_VERSION_PATCH));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(LANVOY_VERSION_MINOR, LANVOY_VERSION_MAJOR));
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size));
  ASSERT_EQ(size, 4u);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 1200);

  const std::string manifest = RawResource(MAKEINTRESOURCEW(1), RT_MANIFEST);
  for (const char* part : {"level=\"asInvoker\"", "Microsoft.Windows.Common-Controls", "\"6.0.0.0\"",
                           "name=\"Lanvoy.Lanvoy\"", "version=\"" LANVOY_VERSION_TEXT ".0\"",
                           "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a", ">PerMonitorV2, System</dpiAwareness>"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  // The loader read the manifest: the common controls in use are version 6,
  // the side-by-side copy, not the system folder's version 5.
  wchar_t controls[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), controls, MAX_PATH);
  CharLowerW(controls);
  EXPECT_NE(std::wstring(controls).find(L"microsoft.windows.common-controls"), std::wstring::npos) << controls;
}

// One control of a dialog template: found by ID, or, without one, by class
// and text (an icon, which has none, by class and style); placed in dialog
// units (-1: the control sizes itself that way).
struct TemplateControl {
  int id;
  const wchar_t* className;
  const wchar_t* text;
  int left, top, width, height;
  LONG styleMask;
  LONG style;
};

struct DialogTemplate {
  int id;
  const wchar_t* caption;
  int width, height;
  std::vector<TemplateControl> controls;
};

HWND FindControl(HWND dialog, const TemplateControl& control) {
  if (control.id != -1) return GetDlgItem(dialog, control.id);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassOf(child) == control.className &&
        (control.text ? TextOf(child) == control.text
                      : (GetWindowLongW(child, GWL_STYLE) & control.styleMask) == control.style))
      return child;
  return nullptr;
}

TEST_F(Resources, BackupCurrentIpSettingsAndAboutTemplates) {
  const LONG button = BS_TYPEMASK | WS_DISABLED;
  const LONG check = BS_TYPEMASK | WS_TABSTOP;
  const LONG editMask = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_DISABLED;
  const DialogTemplate templates[] = {
      {IDD_BACKUP, L"备份当前IP", 250, 206, {
          {IDC_BACKUP_ADAPTER_LABEL, L"Static", L"适配器：", 7, 10, 34, 8, 0, 0},
          {IDC_BACKUP_ADAPTER, L"ComboBox", L"", 43, 7, 200, -1, CBS_DROPDOWNLIST | WS_TABSTOP,
           CBS_DROPDOWNLIST | WS_TABSTOP},
          {-1, L"Button", L"详  情：", 7, 25, 236, 103, BS_TYPEMASK, BS_GROUPBOX},
          {IDC_BACKUP_DETAILS, L"Edit", L"", 14, 38, 222, 84, editMask, ES_MULTILINE | WS_VSCROLL},
          {-1, L"Button", L"配置名：", 7, 132, 236, 48, BS_TYPEMASK, BS_GROUPBOX},
          {IDC_BACKUP_NAME, L"Edit", L"", 14, 145, 222, 14, ES_MULTILINE | WS_DISABLED, 0},
          {IDC_BACKUP_ALL, L"Button", L"备份所有网卡", 14, 164, 70, 10, check, BS_AUTOCHECKBOX | WS_TABSTOP},
          {IDC_BACKUP_OTHERS_DHCP, L"Button", L"除选定网卡外，其他设为自动获取", 90, 164, 146, 10, check,
           BS_AUTOCHECKBOX | WS_TABSTOP},
          {IDOK, L"Button", L"保存", 132, 186, 50, 14, button, BS_DEFPUSHBUTTON | WS_DISABLED},
          {IDCANCEL, L"Button", L"放弃", 193, 186, 50, 14, button, BS_PUSHBUTTON},
      }},
      {IDD_CURRENT_IP, L"电脑当前IP配置信息", 280, 229, {
          {-1, L"Button", L"详细信息", 7, 7, 266, 160, BS_TYPEMASK, BS_GROUPBOX},
          {IDC_CURRENT_IP_DETAILS, L"Edit", L"", 14, 20, 252, 140, editMask, ES_MULTILINE | ES_READONLY | WS_VSCROLL},
          {-1, L"Button", L"备份", 7, 171, 266, 31, BS_TYPEMASK, BS_GROUPBOX},
          {-1, L"Static", L"配置名称：", 14, 186, 42, 8, 0, 0},
          {IDC_CURRENT_IP_NAME, L"Edit", L"", 58, 183, 152, 14, ES_MULTILINE | ES_READONLY | WS_DISABLED, 0},
          {IDOK, L"Button", L"备份返回", 216, 183, 50, 14, button, BS_PUSHBUTTON | WS_DISABLED},
          {IDCANCEL, L"Button", L"返回", 223, 208, 50, 14, button, BS_DEFPUSHBUTTON},
      }},
      // The switches top to bottom: autorun, update, log.
      {IDD_SETTINGS, L"系统设置", 292, 97, {
          {IDC_SETTINGS_AUTORUN, L"Button", L"在Windows启动时自动运行", 24, 20, 180, 10, check,
           BS_AUTOCHECKBOX | WS_TABSTOP},
          {IDC_SETTINGS_UPDATE, L"Button", L"程序自动更新", 24, 42, 180, 10, check, BS_AUTOCHECKBOX | WS_TABSTOP},
          {IDC_SETTINGS_LOG, L"Button", L"保存到日志文件", 24, 64, 180, 10, check, BS_AUTOCHECKBOX | WS_TABSTOP},
          {IDOK, L"Button", L"确定", 235, 7, 50, 14, button, BS_DEFPUSHBUTTON},
          {IDCANCEL, L"Button", L"取消", 235, 24, 50, 14, button, BS_PUSHBUTTON},
      }},
      {IDD_ABOUTBOX, L"关于Lanvoy（Lanvoy）", 279, 153, {
          {-1, L"Static", nullptr, 11, 17, -1, -1, SS_TYPEMASK, SS_ICON},
          {-1, L"Static", L"Lanvoy 网络配置切换工具\n\n版权所有 © 2026 Lanvoy\n\n免费软件，欢迎转发与捐助。", 38, 17, 177,
           42, SS_TYPEMASK, SS_LEFT},
          {IDOK, L"Button", L"确定", 222, 7, 50, 14, button, BS_DEFPUSHBUTTON},
          {-1, L"Static", L"特别感谢：", 7, 67, 162, 12, 0, 0},
          {IDC_ABOUT_THANKS, L"Edit", L"", 7, 82, 259, 64, editMask, ES_MULTILINE | WS_DISABLED},
          {IDC_ABOUT_DONATE, L"Button", L"捐赠", 222, 57, 50, 14, button, BS_PUSHBUTTON},
          {IDC_ABOUT_HOMEPAGE, L"Button", L"" LANVOY_WEB_HOST, 224, 33, 48, 15, button, BS_PUSHBUTTON},
      }},
  };
  for (const DialogTemplate& t : templates) {
    HWND dialog = CreateDialogParamW(Self(), MAKEINTRESOURCEW(t.id), nullptr, QuietDialog, 0);
    ASSERT_NE(dialog, nullptr) << "dialog " << t.id;
    EXPECT_EQ(TextOf(dialog), t.caption) << "dialog " << t.id;
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD),
              WS_CAPTION | WS_SYSMENU) << "dialog " << t.id;
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"宋体") << "dialog " << t.id;
    RECT client;
    GetClientRect(dialog, &client);
    ExpectRect(DialogUnits(dialog, 0, 0, t.width, t.height), client);

    int children = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(t.controls.size())) << "dialog " << t.id;
    for (const TemplateControl& c : t.controls) {
      HWND control = FindControl(dialog, c);
      ASSERT_NE(control, nullptr) << "dialog " << t.id << " control " << c.id;
      EXPECT_EQ(ClassOf(control), c.className) << "control " << c.id;
      if (c.id != -1 && ClassOf(control) != L"Edit") {
        EXPECT_EQ(TextOf(control), c.text) << "control " << c.id;
      }
      EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & c.styleMask, c.style) << "dialog " << t.id << " control " << c.id;
      RECT placed;
      GetWindowRect(control, &placed);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
      // The system converts position and size each on its own, rounding each.
      const RECT origin = DialogUnits(dialog, c.left, c.top, 0, 0);
      const RECT size = DialogUnits(dialog, 0, 0, c.width < 0 ? 0 : c.width, c.height < 0 ? 0 : c.height);
      const RECT expected = {origin.left, origin.top, origin.left + size.right, origin.top + size.bottom};
      EXPECT_EQ(placed.left, expected.left) << "dialog " << t.id << " control " << c.id;
      EXPECT_EQ(placed.top, expected.top) << "dialog " << t.id << " control " << c.id;
      if (c.width >= 0) {
        EXPECT_EQ(placed.right, expected.right) << "dialog " << t.id << " control " << c.id;
      }
      if (c.height >= 0) {
        EXPECT_EQ(placed.bottom, expected.bottom) << "dialog " << t.id << " control " << c.id;
      }
    }
    // Edits of a template start empty: their texts come from the code.
    for (const TemplateControl& c : t.controls) {
      if (c.id != -1 && std::wstring(c.className) == L"Edit") {
        EXPECT_EQ(TextOf(GetDlgItem(dialog, c.id)), L"") << "control " << c.id;
      }
    }
    DestroyWindow(dialog);
  }
}

}  // namespace
