#pragma once
// Drives the shipped lanvoy.exe from another process, as a user would: starts
// it in a folder of its own, finds its windows, reads what they show, answers
// its message boxes and checks what it leaves on disk and in the registry.
// Every wait has a timeout; a step that cannot be done throws CDriverError
// with what was awaited, which the test reports as its failure.

#include "net/AdapterRecord.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// Long enough for a cold Wine start on a busy machine.
constexpr Duration kWait = 30s;
// How often WaitFor looks again. A benchmark timing a start looks far more
// often, so that the look's own step does not hide the difference it times.
inline Duration waitPoll = 50ms;

class CDriverError : public std::runtime_error {
public:
    explicit CDriverError(const std::wstring& what);
};

// Taken from the command line by main().
struct DriverSettings {
    std::filesystem::path lanvoy;  // the program under test
    std::filesystem::path shots;   // screenshots go here, as .bmp
    std::filesystem::path config;  // the distributed lanvoy.cfg, with its DNS providers
    std::filesystem::path service; // lanvoy-service.exe, for the scenarios that install it
};
DriverSettings& Settings();
// "--lanvoy=<path>", "--shots=<folder>", "--config=<path>" and
// "--service=<path>"; a Unix path names drive Z:.
void ParseDriverArguments(int argc, wchar_t** argv);

// ---- The demo machine of the Wine prefix -----------------------------------

struct DemoAdapter {
    const char16_t* guid;
    const char16_t* connection;
};
inline constexpr DemoAdapter kOffice{u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}", u"本地连接"};
inline constexpr DemoAdapter kHome{u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E02}", u"本地连接 2"};
inline constexpr DemoAdapter kLab{u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}", u"实验室网络"};
inline constexpr int kDemoAdapterCount = 3;

// A TCP/IP value of a demo adapter: a text (a multi-string's entries joined
// by ","), or "<absent>".
std::wstring TcpIpText(const DemoAdapter& adapter, const wchar_t* name);
DWORD TcpIpDword(const DemoAdapter& adapter, const wchar_t* name);

// The TCP/IP values of every demo adapter as they were at construction,
// written back at destruction, so scenarios do not depend on their order.
class CDemoMachine {
public:
    CDemoMachine();
    ~CDemoMachine();
    CDemoMachine(const CDemoMachine&) = delete;
    CDemoMachine& operator=(const CDemoMachine&) = delete;

private:
    struct Value {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    std::map<std::pair<std::wstring, std::wstring>, Value> values;
};

// ---- Configurations ---------------------------------------------------------

struct ProfileSpec {
    std::u16string name;
    std::vector<AdapterRecord> entries;
};
AdapterRecord ManualEntry(const DemoAdapter& adapter, std::u16string ip, std::u16string mask,
                          std::u16string gateway, std::u16string dns1, std::u16string dns2 = u"");
AdapterRecord DhcpEntry(const DemoAdapter& adapter, std::u16string dns1 = u"");

// The time stamp every prepared profile carries.
inline const std::wstring kPreparedTime = L"08-12-07 18:17:06";

// ---- Files ------------------------------------------------------------------

std::string ReadBytes(const std::filesystem::path& file);  // empty when missing
// What the program's store writes for a missing configuration: made by the
// store itself in a scratch folder.
std::string DefaultConfigBytes();
// UTF-16LE bytes of a text, without a byte-order mark.
std::string Utf16Bytes(const std::wstring& text);

// One entry of "system.log" or "debug.log".
struct LogEntry {
    std::wstring stamp;    // "%y-%m-%d %H:%M:%S"
    std::wstring message;
};
// Reads a log: the byte-order mark FF FE, then entries, each the time stamp,
// "\r\n" when `breakAfterStamp` (the debug log), the message, "\r\n", 80 "="
// and "\r\n". Throws naming the offset where the file leaves that layout.
std::vector<LogEntry> ReadLog(const std::filesystem::path& file, bool breakAfterStamp);
std::vector<std::wstring> LogMessages(const std::filesystem::path& file, bool breakAfterStamp = false);

// ---- Processes --------------------------------------------------------------

class CProcess {
public:
    CProcess(PROCESS_INFORMATION info) : info(info) {}
    ~CProcess();
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;

    DWORD Id() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }
    bool Running() const;
    // Waits for the end and returns the exit code.
    DWORD WaitExit(Duration timeout = kWait) const;
    void Kill();

private:
    PROCESS_INFORMATION info;
};

// A fresh folder holding a copy of lanvoy.exe, and every process started from
// it; the processes are killed and the folder removed at destruction.
class CLanvoyFolder {
public:
    CLanvoyFolder();
    ~CLanvoyFolder();
    CLanvoyFolder(const CLanvoyFolder&) = delete;
    CLanvoyFolder& operator=(const CLanvoyFolder&) = delete;

    const std::filesystem::path& Path() const { return folder; }
    std::filesystem::path File(const wchar_t* name) const { return folder / name; }
    std::string Bytes(const wchar_t* name) const { return ReadBytes(File(name)); }
    bool Has(const wchar_t* name) const { return std::filesystem::exists(File(name)); }

    // Writes "lanvoy.cfg" through the program's own store: the profiles get
    // numbers 1, 2, ... in order and the time stamp kPreparedTime.
    void WriteConfig(const std::vector<ProfileSpec>& profiles, bool logFlag = true);
    // The same on top of the distributed configuration, so the file also
    // holds its DNS providers.
    void WriteDistributedConfig(const std::vector<ProfileSpec>& profiles, bool logFlag = true);
    // The names of the profiles in "lanvoy.cfg", read by the program's store.
    std::vector<std::wstring> ConfigNames() const;
    // The profiles in "lanvoy.cfg" with their entries, read by the program's store.
    std::vector<ProfileSpec> ConfigProfiles() const;

    // Starts lanvoy.exe with the arguments; the current directory is elsewhere,
    // since the program must find its files beside itself.
    CProcess& Start(const std::wstring& arguments = L"");
    // Starts a copy of another program put beside lanvoy.exe in this folder,
    // in the same way (a benchmark's floor).
    CProcess& StartCopyOf(const std::filesystem::path& program);

private:
    CProcess& Launch(const std::filesystem::path& exe, const std::wstring& arguments);

    std::filesystem::path folder;
    std::vector<std::unique_ptr<CProcess>> processes;
};

// ---- Windows of the program -------------------------------------------------

// The main window: the one carrying the instance property (kInstanceName).
HWND WaitMainWindow(const CProcess& process, Duration timeout = kWait);
HWND FindMainWindow(DWORD processId);
void WaitVisible(HWND window, bool visible, Duration timeout = kWait);
// Until the list shows `rows` rows and the window answers at once.
void WaitAnswering(HWND main, int rows, Duration timeout = kWait);
// Waits until the window has stayed as it is for the given time.
bool StaysVisible(HWND window, Duration time);

// A message box captioned "Lanvoy".
struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring text;
};
MessageBoxSeen WaitMessageBox(const CProcess& process, Duration timeout = kWait);
// Presses a button of the box (IDOK, IDYES, IDNO) and waits until it is gone.
void Answer(const MessageBoxSeen& box, int button = IDOK);
// Waits for the next box, answers it, and returns its text.
std::wstring AnswerNextBox(const CProcess& process, int button = IDOK);
// True when no message box of the process shows for the given time.
bool NoMessageBoxFor(const CProcess& process, Duration time);

// The wait dialog: a child of the main window showing "请稍候....".
HWND FindWaitDialog(HWND main);

// ---- Dialogs of the program --------------------------------------------------

// Their captions, as the resources give them.
inline const std::wstring kEditorCaption = L"IP方案设置";
inline const std::wstring kBackupCaption = L"备份当前IP";
inline const std::wstring kCurrentIpCaption = L"电脑当前IP配置信息";
inline const std::wstring kSettingsCaption = L"系统设置";
inline const std::wstring kAboutCaption = L"关于Lanvoy（Lanvoy）";

// A visible dialog of the process with the caption (message boxes are
// captioned "Lanvoy" and never match).
HWND WaitDialog(const CProcess& process, const std::wstring& caption, Duration timeout = kWait);
void WaitClosed(HWND dialog, Duration timeout = kWait);
HWND Item(HWND dialog, int id);  // throws when the dialog has no such control
std::wstring ItemText(HWND dialog, int id);
// WM_SETTEXT, as a paste would: the control tells its dialog of the change.
void SetItemText(HWND dialog, int id, const std::wstring& text);
bool ItemEnabled(HWND dialog, int id);
bool Checked(HWND dialog, int id);
// A mouse click on a button or check box (BM_CLICK, posted: the click may
// open a message box).
void Click(HWND dialog, int id);

// IP address controls, as dotted text; "" is a blank control.
std::wstring Address(HWND dialog, int id);
// Types the address into the control's fields as keys, field by field, and
// throws when the control then shows another one.
void TypeAddress(HWND dialog, int id, const std::wstring& dotted);

// Combo boxes: the list's texts, the selected one, and a pick by text as the
// user's choice reaches the dialog (CBN_SELCHANGE).
std::vector<std::wstring> ComboItems(HWND dialog, int id);
std::wstring ComboSelection(HWND dialog, int id);
void PickInCombo(HWND dialog, int id, const std::wstring& text);
// Drops the list down, as a click on the arrow does.
void DropDown(HWND dialog, int id);

// Tab controls: the labels, the selection, and a click on a tab.
std::vector<std::wstring> TabLabels(HWND dialog, int id);
int SelectedTab(HWND dialog, int id);
void ClickTab(HWND dialog, int id, int tab);

// The open-file dialog of the process: the path typed as its file name, then
// its OK button pressed.
HWND WaitFileDialog(const CProcess& process, Duration timeout = kWait);
void ChooseFile(HWND fileDialog, const std::filesystem::path& file);

// A visible top-level window of any process, by its class (another program
// the one under test starts: Notepad, the help viewer).
HWND WaitWindowOfClass(const wchar_t* className, Duration timeout = kWait);
// A window's text as it answers WM_GETTEXT, across processes.
std::wstring TextOf(HWND window);

// ---- The profile list (IDC_PROFILE_LIST) ---------------------------------------

HWND ProfileList(HWND main);
int RowCount(HWND main);
std::wstring CellText(HWND main, int row, int column);
// Column 1 ("NO."), 2 (name) and 3 (time) of every row.
struct Row {
    std::wstring number, name, time;
    bool operator==(const Row&) const = default;
};
std::vector<Row> Rows(HWND main);
std::vector<std::wstring> Names(HWND main);
// A row's rectangle in screen coordinates.
RECT RowRect(HWND main, int row);
// A point of a row where no text is drawn: the empty end of its name column.
POINT BlankPointOf(const RECT& row);
bool RowSelected(HWND main, int row);
// A left click on a row: the list's click notification marks it.
void ClickRow(HWND main, int row);
// A right click on a row: the list menu opens.
void RightClickRow(const CProcess& process, HWND main, int row);
// Two clicks in a row: the first marks it, the second is the double-click.
void DoubleClickRow(HWND main, int row);
// Moves the pointer onto the middle of a row's name, as real mouse input.
void HoverRow(HWND main, int row);
// The name of the marked row, asked the way a user would: the delete command
// names it in its question, which is answered No. Empty when no row is marked.
std::wstring MarkedName(const CProcess& process, HWND main);
// A visible tooltip window of the process and its text.
HWND WaitTooltip(const CProcess& process, Duration timeout = 10s);
std::wstring WindowText(HWND window);

// ---- Commands, system commands, tray ---------------------------------------

void Command(HWND main, int id);
void SysCommand(HWND main, int command);
// The tray icon's callback as the shell sends it: WM_USER + 1 with the mouse message.
void TrayMouse(HWND main, UINT mouseMessage);
// Opens the tray menu, and the sub-menu at a position (3 disable, 4 enable,
// 6 apply) with its first item selected.
void OpenTraySubMenu(const CProcess& process, HWND main, int position);
// Moves down to an item of the open sub-menu and chooses it.
void ChooseInSubMenu(const CProcess& process, int item);
// Opens a menu of the menu bar by its access key, as Alt with the letter.
void OpenMenuBarMenu(const CProcess& process, HWND main, wchar_t accessKey);
// Keys to the open menu: VK_DOWN, VK_RIGHT, VK_RETURN, ...
void MenuKeys(const CProcess& process, std::initializer_list<UINT> keys);
// The open menus of the process, the topmost first.
std::vector<HWND> OpenMenus(DWORD processId);
// Selected with nothing else: closes every open menu of the process.
void CloseMenus(const CProcess& process);
int VisibleMenuCount(DWORD processId);

// ---- Screenshots ------------------------------------------------------------

// Moves the real pointer and lets the mouse messages it causes arrive: the
// list selects the row under a resting pointer, and an open menu follows it.
void PointerTo(POINT screen);
// The pointer to the screen's lower right corner, off every window, so that
// no tip or hot item shows.
void PointerAway();

// The colour of one pixel of the screen.
COLORREF ScreenPixel(POINT at);
// Moves a top-level window of the program, e.g. a message box that covers
// what a screenshot should show.
void MoveWindowTo(HWND window, int x, int y);

// Saves the screen as <shots>/<name>.bmp (24-bit); the test's wrapper turns it
// into a trimmed PNG. With a window, that window whole, title bar included
// (Wine draws it, on a bare screen as on a virtual desktop).
void SaveScreenshot(const std::wstring& name, HWND window = nullptr);
// The smallest rectangle around whole windows: a window with its open menus.
void SaveScreenshotAround(const std::wstring& name, const std::vector<HWND>& windows);

// ---- Waiting ------------------------------------------------------------------

// Polls until the condition holds; throws with the description on timeout.
template <typename Condition>
void WaitFor(const std::wstring& what, Condition condition, Duration timeout = kWait)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return;
        if (std::chrono::steady_clock::now() > end)
            throw CDriverError(L"timed out after " + std::to_wstring(timeout.count()) + L" ms waiting for " + what);
        Sleep(static_cast<DWORD>(waitPoll.count()));
    }
}

std::string Narrow(const std::wstring& text);  // UTF-8, for messages
std::wstring WideOf(const std::u16string& text);

}  // namespace e2e
