#include "app/MainDlg.h"

#include "app/UpdateWorker.h"
#include "app/WaitDlg.h"
#include "controls/Dpi.h"
#include "controls/FileDialog.h"
#include "controls/QuickMenuItems.h"
#include "controls/Resources.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/BackupDlg.h"
#include "dialogs/CurrentIpDlg.h"
#include "dialogs/ProfileDlg.h"
#include "dialogs/SettingsDlg.h"
#include "platform/ComScope.h"
#include "platform/ProcessPaths.h"
#include "platform/ProductNames.h"
#include "platform/WideText.h"
#include "ui/About.h"
#include "ui/QuickMenus.h"
#include "ui/Shortcut.h"
#include "ui/StatusPrompts.h"

#include "resource.h"

#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

constexpr UINT kTrayCallback = WM_USER + TRAY_CALLBACK_OFFSET;
constexpr int kToolBarId = 0xE800;
constexpr int kListTipHitMask = 4;  // on an item's label

// Texts by position; the separators at 2 and 6 have none.
const char16_t* const kButtonTexts[] = {u"启用", u"查看...", nullptr, u"添加", u"修改",
                                        u"删除", nullptr,       u"捐助",  u"关于", u"帮助"};
// Sizes at 96 DPI; the pictures are 32 pixels there, with room for the text.
constexpr SIZE kButtonSize = {52, 62};
constexpr int kButtonImageTextRoom = 8;
constexpr int kToolBarBorder = 4;
// The list's columns: image, "NO.", "名称", "建立时间".
constexpr int kColumnWidths[] = {37, 40, 225, 120};
// The status bar's two small parts on the right.
constexpr int kStatusPartWidth = 100;

// Commands that need a marked row: on the toolbar, and in the menu bar.
constexpr unsigned kRowButtons[] = {ID_PROFILE_APPLY, ID_PROFILE_PROPERTIES, ID_PROFILE_EDIT, ID_PROFILE_DELETE};
constexpr unsigned kRowMenuItems[] = {ID_PROFILE_APPLY,  ID_PROFILE_PROPERTIES, ID_PROFILE_EDIT,
                                      ID_PROFILE_DELETE, ID_PROFILE_COPY,       ID_PROFILE_SHORTCUT};

void BringForward(HWND window)
{
    SetForegroundWindow(window);
    SetForegroundWindow(GetLastActivePopup(window));
}

}  // namespace

CMainDlg::CMainDlg(const MainServices& services)
    : CDialogBase(IDD_MAIN),
      services(services),
      adapters(services.net),
      store(services.storage),
      applier(store, services.changer),
      log(services.storage.files, services.storage.clock, services.paths.systemLog, services.paths.debugLog),
      commands(store, adapters, applier, services.changer, services.messages, log, services.storage.files),
      updateCheck(store, services.messages, services.shell, services.storage.files,
                  [this](std::u16string_view text) { commands.WriteSystemLog(text); })
{
    StartReading();
}

CMainDlg::~CMainDlg()
{
    if (reader.joinable())
        reader.join();
}

void CMainDlg::StartReading()
{
    // Nothing the window builds before the list touches the store or the
    // inventory, so both are read meanwhile, after the first pictures for
    // the screen the window opens on. The thread has its own COM apartment
    // for the sign-in task the store may look at.
    std::promise<StartPictures> pictures;
    startPictures = pictures.get_future();
    try {
        reader = std::thread([this, screenDpi = PrimaryScreenDpi(), pictures = std::move(pictures)]() mutable {
            pictures.set_value(MakeStartPictures(screenDpi));
            CComScope com;
            commands.ReadAtStart();
        });
    } catch (const std::system_error&) {
        commands.ReadAtStart();
    }
}

StartPictures CMainDlg::TakeStartPictures()
{
    StartPictures made;
    try {
        made = startPictures.get();
    } catch (const std::future_error&) {
        // No thread made them: made here below.
    }
    if (made.main.dpi != dpi)
        made.main = MakeMainPictures(dpi);
    return made;
}

void CMainDlg::FinishReading()
{
    if (reader.joinable())
        reader.join();
    commands.TellStartFailures();
}

bool CMainDlg::OnInitDialog()
{
    // What the window needs before anything shows in it.
    commands.SetOwner(hwnd);
    updateCheck.SetOwner(hwnd);
    SetPropW(hwnd, Wide(kInstanceName), reinterpret_cast<HANDLE>(1));
    dpi = WindowDpi(hwnd);
    // Without a taskbar yet (a start at sign-in) the icon comes with it.
    // Explorer runs without administrator rights, so its message must be let
    // through to this elevated window.
    taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    ChangeWindowMessageFilterEx(hwnd, taskbarCreated, MSGFLT_ALLOW, nullptr);
    AddTrayIcon();
    StartPictures pictures = TakeStartPictures();
    CreateBars(pictures.main);

    AddAboutToSystemMenu();
    SetTitleIcons(IDI_APP, std::move(pictures.title));

    // The program's files are reached by their full paths; the current
    // folder is set only for what the system starts from here.
    SetCurrentDirectoryW(Wide(services.paths.folder));

    FinishReading();
    SetUpList(std::move(pictures.main.rows));
    RefreshList();

    statusBar.Create(hwnd, IDC_STATUSBAR);
    LayOutStatusBar();
    statusBar.SetPartText(0, kIdlePrompt, SBT_POPOUT);
    prompt = kIdlePrompt;

    BuildQuickMenus();
    UpdateCommandStates();

    // The worker only downloads; what follows happens on this thread.
    if (store.autoUpdate)
        StartUpdateWorker(hwnd, kUpdateDownloadedMessage, CUpdateCheck::UpdateAddress(),
                          services.paths.versionFile);

    visible = services.commandLine.hide ? 0 : 1;
    commands.debug = services.commandLine.debug;
    if (commands.debug)
        commands.WriteStartupFacts(services.net.version.QueryVersion(), services.service);
    return true;
}

void CMainDlg::AddAboutToSystemMenu()
{
    std::optional<std::u16string> about = LoadResourceString(IDS_ABOUTBOX);
    if (!about || about->empty())
        return;
    HMENU system = GetSystemMenu(hwnd, FALSE);
    AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(system, MF_STRING, IDM_ABOUTBOX, Wide(*about));
}

int CMainDlg::TrayIconSize() const
{
    // The notification area shows small icons at its own screen's scale.
    return MetricForDpi(SM_CXSMICON, TaskbarDpi());
}

void CMainDlg::AddTrayIcon()
{
    // Sized for the taskbar, whose scale need not be this window's.
    trayIconSize = TrayIconSize();
    tray.Add(hwnd, TRAY_ICON_UID, kTrayCallback, LoadIconAtSize(IDI_APP, trayIconSize), u"Lanvoy（Lanvoy）");
}

void CMainDlg::FitTrayIcon()
{
    // The taskbar's screen may have changed its scale: the icon is drawn
    // again at the new size and keeps its place in the notification area.
    const int size = TrayIconSize();
    if (size == trayIconSize)
        return;
    trayIconSize = size;
    tray.SetIcon(LoadIconAtSize(IDI_APP, size));
}

void CMainDlg::OnTaskbarCreated()
{
    // Explorer started again, or the taskbar came after this window; either
    // may be at another scale than before.
    FitTrayIcon();
    tray.Restore();
}

void CMainDlg::CreateBars(MainPictures& pictures)
{
    toolBar.Create(hwnd, kToolBarId,
                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE);

    std::vector<TBBUTTON> buttons;
    int image = 0;
    std::vector<WORD> ids = LoadToolBarButtons(IDR_TOOLBAR);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        TBBUTTON button = {};
        if (ids[i] == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = image++;
            button.idCommand = ids[i];
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            if (i < std::size(kButtonTexts) && kButtonTexts[i])
                button.iString = reinterpret_cast<INT_PTR>(kButtonTexts[i]);
        }
        buttons.push_back(button);
    }
    SetToolBarPictures(pictures);
    LayOutToolBar();
    toolBar.AddButtons(buttons);
    // The buttons with their texts change the sizes: set again.
    LayOutToolBar();
}

void CMainDlg::SetToolBarPictures(MainPictures& pictures)
{
    // The toolbar lets go of the old pictures before they are freed.
    toolBar.SetImageLists(pictures.tools, pictures.toolsDisabled);
    toolImages = std::move(pictures.tools);
    toolImagesDisabled = std::move(pictures.toolsDisabled);
}

void CMainDlg::LayOutToolBar()
{
    const int picture = DrawnSizeForDpi(kToolBarPicture, dpi);
    const SIZE button = {ScaleForDpi(kButtonSize.cx, dpi), ScaleForDpi(kButtonSize.cy, dpi)};
    toolBar.SetSizes(button, {picture, picture + ScaleForDpi(kButtonImageTextRoom, dpi)});

    RECT client;
    GetClientRect(hwnd, &client);
    const int border = ScaleForDpi(kToolBarBorder, dpi);
    SetWindowPos(toolBar, nullptr, border, border, client.right - border, button.cy + border,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::LayOutStatusBar()
{
    RECT client;
    GetClientRect(hwnd, &client);
    const int part = ScaleForDpi(kStatusPartWidth, dpi);
    statusBar.SetParts({client.right - 2 * part, client.right - part, -1});
}

void CMainDlg::SetUpList(CImageListHolder rows)
{
    list.Attach(Item(IDC_PROFILE_LIST));
    // The row pictures are this window's (rowImages): the list must not free
    // them as well when it goes.
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    list.InsertColumn(0, u"", ScaleForDpi(kColumnWidths[0], dpi), LVCFMT_LEFT | LVCFMT_IMAGE);
    list.InsertColumn(1, u"NO.", ScaleForDpi(kColumnWidths[1], dpi));
    list.InsertColumn(2, u"名称", ScaleForDpi(kColumnWidths[2], dpi));
    list.InsertColumn(3, u"建立时间", ScaleForDpi(kColumnWidths[3], dpi));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT, LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
    list.SetHoverTime(1);
    SetRowImages(std::move(rows));
    list.SetFullRowSelect(true);
    list.EnableTips(true);
    list.SetTipHitMask(kListTipHitMask);
}

void CMainDlg::SetRowImages(CImageListHolder rows)
{
    list.SetImageList(rows, LVSIL_SMALL);
    rowImages = std::move(rows);
}

void CMainDlg::OnDpiChanged(UINT newDpi)
{
    const UINT oldDpi = dpi;
    dpi = newDpi;
    MainPictures pictures = MakeMainPictures(newDpi);
    SetToolBarPictures(pictures);
    LayOutToolBar();
    // The widths may be the user's: each keeps its size on the new screen.
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column)
        list.SetColumnWidth(column, MulDiv(list.ColumnWidth(column), static_cast<int>(newDpi), static_cast<int>(oldDpi)));
    SetRowImages(std::move(pictures.rows));
    LayOutStatusBar();
}

void CMainDlg::RefreshList()
{
    // The list is virtual: the rows stay with the commands and the list asks
    // for the cells it shows, so any number of profiles shows at once.
    const std::vector<ProfileRow>& rows = commands.RefreshRows();
    list.SetMaxTipLength(commands.MaxTipLength());
    list.SetVirtualRows(static_cast<int>(rows.size()),
                        {[this](int row, int column) { return RowCellText(commands.Rows(), row, column); },
                         [this](int row) { return RowTipText(commands.Rows(), row); }});
}

void CMainDlg::UpdateCommandStates()
{
    bool on = list.GetMarkedRow() >= 0;
    for (unsigned id : kRowButtons)
        toolBar.EnableButton(id, on);
    CMenu bar(GetMenu(hwnd));
    for (unsigned id : kRowMenuItems)
        bar.EnableCommand(id, on);
}

bool CMainDlg::ApplyRow(int row)
{
    CWaitDlg wait(hwnd);
    return commands.ApplyRow(row, wait);
}

void CMainDlg::BuildQuickMenus()
{
    if (!trayMenuResource) {
        trayMenuResource.Reset(LoadMenuW(Instance(), MAKEINTRESOURCEW(IDR_TRAYMENU)));
        trayMenu = CMenu(trayMenuResource).SubMenu(0);
    }
    if (!listMenuResource) {
        listMenuResource.Reset(LoadMenuW(Instance(), MAKEINTRESOURCEW(IDR_LISTMENU)));
        listMenu = CMenu(listMenuResource).SubMenu(0);
    }
    std::vector<std::u16string> adapterNames, rowNames;
    for (int i = 0; i < adapters.Count(); ++i)
        adapterNames.push_back(adapters.At(i)->connectionName);
    for (const ProfileRow& row : commands.Rows())
        rowNames.push_back(row.name);
    QuickMenus built = ::BuildQuickMenus(adapterNames, rowNames);
    if (trayMenu)
        PutQuickItems(trayMenu, built.tray);
    if (CMenu options = CMenu(GetMenu(hwnd)).SubMenu(MAINMENU_OPTIONS_POS))
        PutQuickItems(options, built.options);
}

void CMainDlg::Apply(const ListChange& change)
{
    if (change.refresh)
        RefreshList();
    if (change.mark)
        list.SetMarkedRow(*change.mark);
    if (change.refresh || change.mark)
        UpdateCommandStates();
}

bool CMainDlg::OnCommand(int id, int, HWND)
{
    const int marked = list.GetMarkedRow();
    switch (id) {
    case ID_PROFILE_APPLY:
        ApplyRow(marked);
        return true;
    case ID_PROFILE_DELETE:
        Apply(commands.DeleteRow(marked));
        return true;
    case ID_PROFILE_COPY:
        Apply(commands.CopyRow(marked));
        return true;
    case ID_REPAIR:
        Apply(commands.Repair());
        return true;
    case ID_VIEW_LOG:
        services.shell.Open(ViewLogRequest(services.paths.systemLog, SystemFolder()));
        return true;
    case ID_HELP_MANUAL:
        services.shell.Open(HelpRequest(services.paths.manual, WindowsFolder()));
        return true;
    case ID_APP_EXIT:
        End(IDOK);
        return true;
    case ID_OPEN_MAIN_WINDOW:
        OnOpenMainWindow();
        return true;
    case ID_PROFILE_NEW:
    case ID_PROFILE_EDIT:
    case ID_PROFILE_PROPERTIES:
        OpenEditor(id, marked);
        return true;
    case ID_PROFILE_SHORTCUT:
        OnProfileShortcut(marked);
        return true;
    case ID_BACKUP:
    case ID_CURRENT_IP:
    case ID_SETTINGS:
        OpenSystemDialog(id);
        return true;
    case ID_APP_ABOUT:
        ShowAbout();
        return true;
    case ID_DONATE:
        services.shell.Open(DonateRequest());
        return true;
    case ID_IMPORT_V1:
        OnImportV1();
        return true;
    // Return and Escape never end the main window; only the exit command does.
    case IDOK:
    case IDCANCEL:
        return true;
    default:
        break;
    }
    return OnQuickItem(static_cast<unsigned>(id));
}

bool CMainDlg::OnQuickItem(unsigned id)
{
    if (std::optional<int> row = OnApplyItem(id)) {
        ApplyRow(*row);
        return true;
    }
    if (id >= ID_ENABLE_FIRST && id <= ID_DISABLE_LAST) {
        commands.SwitchAdapter(id);
        return true;
    }
    return false;
}

void CMainDlg::OnProfileShortcut(int marked)
{
    if (commands.NeedsRow(marked))
        CreateProfileShortcut(services.shell, ExecutablePath(), commands.Rows()[static_cast<std::size_t>(marked)]);
}

void CMainDlg::OpenSystemDialog(int command)
{
    switch (command) {
    case ID_BACKUP: {
        CBackupDlg backup(store, adapters, services.messages);
        if (backup.RunModal(hwnd) == IDOK)
            Apply(commands.AfterDialogSaved(CommitKind::Captured));
        break;
    }
    case ID_CURRENT_IP: {
        CCurrentIpDlg current(store, adapters, services.net, services.messages);
        if (current.RunModal(hwnd) == IDOK)
            Apply(commands.AfterDialogSaved(CommitKind::Captured));
        break;
    }
    case ID_SETTINGS: {
        CSettingsDlg settings(store, services.messages);
        if (settings.RunModal(hwnd) == IDOK)
            commands.WriteSettingsCopy(services.paths.settingsCopy);
        break;
    }
    default:
        break;
    }
}

bool CMainDlg::OnNotify(int id, NMHDR* header, LRESULT*)
{
    if (id == IDC_PROFILE_LIST) {
        OnListNotify(header);
        return false;
    }
    switch (header->code) {
    case TTN_GETDISPINFOW:
        return OnButtonTipRequest(*reinterpret_cast<NMTTDISPINFOW*>(header));
    case TBN_HOTITEMCHANGE:
        OnHotButtonChange(*reinterpret_cast<NMTBHOTITEM*>(header));
        return false;
    default:
        return false;
    }
}

bool CMainDlg::OnButtonTipRequest(NMTTDISPINFOW& info)
{
    // Tool tips of the toolbar buttons, keyed by command.
    if (info.uFlags & TTF_IDISHWND)
        return false;
    std::optional<std::u16string> string = LoadResourceString(static_cast<UINT>(info.hdr.idFrom));
    if (!string)
        return false;
    std::u16string tip = ToolTipText(*string, std::size(info.szText));
    tip.copy(reinterpret_cast<char16_t*>(info.szText), tip.size());
    info.szText[tip.size()] = L'\0';
    info.lpszText = info.szText;
    SetWindowPos(info.hdr.hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void CMainDlg::OnHotButtonChange(const NMTBHOTITEM& hot)
{
    if (!(hot.dwFlags & HICF_LEAVING))
        ShowPrompt(MenuPrompt(LoadResourceString(static_cast<UINT>(hot.idNew))));
    else
        ShowPrompt(kIdlePrompt);
}

void CMainDlg::OnListNotify(NMHDR* header)
{
    switch (header->code) {
    case NM_CLICK:
        OnRowClick();
        break;
    case NM_DBLCLK:
        OnRowDoubleClick();
        break;
    case NM_RCLICK:
        OnRowRightClick();
        break;
    case LVN_COLUMNCLICK:
        UpdateCommandStates();
        break;
    default:
        break;
    }
}

void CMainDlg::OnRowClick()
{
    list.SetMarkedRow(list.FirstSelectedRow());
    UpdateCommandStates();
}

void CMainDlg::OnRowDoubleClick()
{
    const int row = list.GetMarkedRow();
    UpdateCommandStates();
    ApplyRow(row);
}

void CMainDlg::OnRowRightClick()
{
    BuildQuickMenus();
    list.SetMarkedRow(list.FirstSelectedRow());
    UpdateCommandStates();
    ShowContextMenu(listMenu);
}

void CMainDlg::ShowContextMenu(CMenu menu)
{
    if (!menu)
        return;
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(hwnd);
    menu.Track(hwnd, at);
    // Lets the menu close when the user clicks elsewhere, also from the tray.
    Post(WM_NULL);
}

void CMainDlg::OnTrayCallback(LPARAM mouse)
{
    // A dialog of this window is open: its commands must wait until it is
    // answered, so a click only brings it forward.
    if (!IsWindowEnabled(hwnd)) {
        if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_LBUTTONDBLCLK)
            BringForward(hwnd);
        return;
    }
    switch (mouse) {
    case WM_LBUTTONDBLCLK:
        OnOpenMainWindow();
        break;
    case WM_RBUTTONDOWN:
        BuildQuickMenus();
        ShowContextMenu(trayMenu);
        break;
    default:
        break;
    }
}

void CMainDlg::OnOpenMainWindow()
{
    ShowWindow(hwnd, SW_SHOWNORMAL);
    BringForward(hwnd);
    visible = 1;
}

void CMainDlg::OnSysCommand(WPARAM command, bool* handled)
{
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAbout();
        *handled = true;
    } else if (command == SC_MINIMIZE || command == SC_CLOSE) {
        // Only the exit command ends the program; these hide it in the tray.
        ShowWindow(hwnd, SW_HIDE);
        *handled = true;
    }
}

void CMainDlg::OpenEditor(int command, int marked)
{
    if (command != ID_PROFILE_NEW && !commands.NeedsRow(marked))
        return;
    CProfileDlg editor(store, adapters, services.messages,
                       [this](std::u16string_view text) { commands.WriteSystemLog(text); });
    if (command == ID_PROFILE_NEW) {
        editor.OpenForNew();
    } else {
        const ProfileRow& row = commands.Rows()[static_cast<std::size_t>(marked)];
        if (command == ID_PROFILE_EDIT)
            editor.OpenForEdit(row.id, row.name);
        else
            editor.OpenForProperties(row.id, row.name);
    }
    if (editor.RunModal(hwnd) != IDOK)
        return;
    if (command == ID_PROFILE_PROPERTIES)
        ApplyRow(marked);  // the properties view stores nothing
    else
        Apply(commands.AfterDialogSaved(command == ID_PROFILE_NEW ? CommitKind::NewProfile : CommitKind::Edited));
}

void CMainDlg::OnImportV1()
{
    const COpenFileDialog ask({{u"XML Files (*.xml)", u"*.xml"}, {u"Text Files (*.txt)", u"*.txt"}, {u"All Files (*.*)", u"*.*"}},
                              u"ipconfig.xml", u"xml");
    if (std::optional<std::u16string> path = ask.Ask(hwnd))
        Apply(commands.Import(*path));
}

void CMainDlg::ShowAbout()
{
    CAboutDlg about(services.shell);
    about.RunModal(hwnd);
}

void CMainDlg::ShowPrompt(const std::u16string& text)
{
    if (text == prompt || !statusBar)
        return;
    prompt = text;
    statusBar.SetPartText(0, text, SBT_POPOUT);
}

bool CMainDlg::PreTranslate(MSG& message)
{
    // Return and Escape would press a default button or close the window.
    bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    bool ours = message.hwnd == hwnd || IsChild(hwnd, message.hwnd);
    return key && ours && (message.wParam == VK_ESCAPE || message.wParam == VK_RETURN);
}

void CMainDlg::OnDestroy()
{
    tray.Delete();
    RemovePropW(hwnd, Wide(kInstanceName));
    trayMenu = CMenu();
    listMenu = CMenu();
    trayMenuResource.Reset();
    listMenuResource.Reset();
}

void CMainDlg::OnUpdateDownloaded(bool finished, DownloadNotice notice)
{
    updateCheck.OnDownloadFinished(finished, notice, services.paths.versionFile);
}

void CMainDlg::OnPaint()
{
    // A start in the tray: the dialog manager shows the window once.
    if (!visible)
        ShowWindow(hwnd, SW_HIDE);
}

void CMainDlg::OnMenuSelect(UINT item, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu)
        ShowPrompt(kIdlePrompt);  // the menu closed
    else if (!(flags & (MF_POPUP | MF_SEPARATOR)))
        ShowPrompt(MenuPrompt(LoadResourceString(item)));
    else
        ShowPrompt(u"");
}

void CMainDlg::OnSetCursor(HWND over)
{
    // Over the toolbar its buttons' prompts show as the pointer moves.
    if (over == hwnd || over == toolBar.Handle() || !IsChild(hwnd, over))
        return;
    // A control inside a combo box speaks for the combo box.
    wchar_t className[32] = {};
    HWND parent = GetParent(over);
    if (parent != hwnd && GetClassNameW(parent, className, 32) && _wcsicmp(className, L"ComboBox") == 0)
        over = parent;
    std::optional<std::u16string> string = LoadResourceString(static_cast<UINT>(GetDlgCtrlID(over)));
    ShowPrompt(ControlPrompt(string, over == statusBar.Handle()));
}

bool CMainDlg::OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result)
{
    if (list.ReflectFromParent(message, w, l, result))
        return true;
    if (message == taskbarCreated && taskbarCreated != 0) {
        OnTaskbarCreated();
        return true;
    }
    switch (message) {
    case kTrayCallback:
        // Also DM_SETDEFID: the dialog manager must not see it, or every
        // mouse event over the icon would change the default button.
        OnTrayCallback(l);
        *result = 0;
        return true;
    case kUpdateDownloadedMessage:
        OnUpdateDownloaded(w != 0, static_cast<DownloadNotice>(l));
        return true;
    case WM_DISPLAYCHANGE:
        // Sent to the top-level windows when the screens change: a scale, a
        // size, or which one is the primary, and with it the taskbar.
        FitTrayIcon();
        return false;
    case WM_SYSCOMMAND: {
        bool handled = false;
        OnSysCommand(w, &handled);
        return handled;
    }
    case WM_PAINT:
        OnPaint();
        return false;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(w), HIWORD(w), reinterpret_cast<HMENU>(l));
        return false;
    case WM_SETCURSOR:
        OnSetCursor(reinterpret_cast<HWND>(w));
        return false;
    case WM_DESTROY:
        OnDestroy();
        return false;
    default:
        return CDialogBase::OnMessage(message, w, l, result);
    }
}
