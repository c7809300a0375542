// Works a running lanvoy.exe through a list of steps and saves pictures of
// its windows for the user manual. Runs under Wine beside the program:
//   manual-shots.exe <folder for .bmp files> step...
// Steps:
//   wait:MS           pause
//   cmd:ID            post a command to the main window
//   click:ROW         rest the pointer on a profile row and click it
//   rclick:ROW        the same with the right button (opens the list menu)
//   hover:ROW         rest the pointer on a row (its tip shows)
//   away              move the pointer off every window
//   menu:LETTER       open a menu-bar menu by its access key
//   tray              open the tray menu
//   keys:K,K,...      keys to the open popup menu: down, up, right, left, enter, esc
//   tab:N             select tab N of the open dialog's tab control
//   check:ID          click a button or check box of the open dialog
//   drop:ID           drop down a combo box of the open dialog
//   ip:ID:A.B.C.D     set an address control of the open dialog
//   text:ID:TEXT      set the text of an edit of the open dialog
//   close             cancel the open dialog
//   ok                press OK in the open message box
//   shot:NAME:WHAT    save NAME.bmp; WHAT is main, dialog, menus (the main
//                     window and every open menu), popup (the open menus
//                     alone) or screen
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Failure {
    std::wstring what;
};

[[noreturn]] void Fail(const std::wstring& what)
{
    throw Failure{what};
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> TopLevel(DWORD process, const wchar_t* className)
{
    struct Search {
        DWORD process;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{process, className, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (ProcessOf(window) == s.process && IsWindowVisible(window) &&
                (!s.className || ClassOf(window) == s.className))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <class Test>
void WaitFor(const std::wstring& what, Test test, int ms = 10000)
{
    for (int waited = 0; waited < ms; waited += 50) {
        if (test())
            return;
        Sleep(50);
    }
    Fail(L"timed out waiting for " + what);
}

HWND FindMain()
{
    HWND found = nullptr;
    WaitFor(L"the main window", [&] {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                if (GetPropW(window, L"Lanvoy-Good")) {
                    *reinterpret_cast<HWND*>(data) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found != nullptr;
    });
    return found;
}

// The dialog on top: a visible dialog window of the program other than the main window.
HWND OpenDialog(HWND main)
{
    HWND found = nullptr;
    WaitFor(L"a dialog", [&] {
        for (HWND w : TopLevel(ProcessOf(main), L"#32770"))
            if (w != main) {
                found = w;
                return true;
            }
        return false;
    });
    return found;
}

HWND OpenMenu(HWND main)
{
    HWND found = nullptr;
    WaitFor(L"an open menu", [&] {
        auto menus = TopLevel(ProcessOf(main), L"#32768");
        if (menus.empty())
            return false;
        found = menus.front();
        return true;
    });
    return found;
}

// Moves the real pointer: the list selects the row under a resting pointer.
void PointerTo(POINT screen)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = static_cast<LONG>(screen.x * 65535LL / (width - 1));
    input.mi.dy = static_cast<LONG>(screen.y * 65535LL / (height - 1));
    SendInput(1, &input, sizeof input);
    Sleep(300);
}

// A block inside the program's process for control messages that carry pointers.
class CRemote {
public:
    CRemote(HWND window, SIZE_T size)
    {
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(window));
        if (process)
            address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address)
            Fail(L"no memory in the program's process");
    }
    ~CRemote()
    {
        VirtualFreeEx(process, address, 0, MEM_RELEASE);
        CloseHandle(process);
    }
    CRemote(const CRemote&) = delete;
    CRemote& operator=(const CRemote&) = delete;
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address); }
    void Write(const void* data, SIZE_T size) { WriteProcessMemory(process, address, data, size, nullptr); }
    void Read(void* data, SIZE_T size) { ReadProcessMemory(process, address, data, size, nullptr); }

private:
    HANDLE process = nullptr;
    void* address = nullptr;
};

POINT RowPoint(HWND list, int row)
{
    CRemote block(list, sizeof(RECT));
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    block.Write(&rect, sizeof rect);
    if (!SendMessageW(list, LVM_GETITEMRECT, row, block.Address()))
        Fail(L"the list has no row " + std::to_wstring(row));
    block.Read(&rect, sizeof rect);
    // On the name column, past the icon and number columns.
    return POINT{rect.left + 37 + 40 + 40, (rect.top + rect.bottom) / 2};
}

void ClickRow(HWND main, int row, bool right)
{
    HWND list = GetDlgItem(main, 1007);
    POINT at = RowPoint(list, row), screen = at;
    ClientToScreen(list, &screen);
    PointerTo(screen);
    LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(list, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, where);
    PostMessageW(list, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, where);
    Sleep(500);
}

void SelectTab(HWND dialog, int index)
{
    HWND tabs = GetDlgItem(dialog, 1046);
    if (!tabs)
        Fail(L"the dialog has no tab control");
    CRemote block(tabs, sizeof(RECT));
    RECT rect{};
    if (!SendMessageW(tabs, TCM_GETITEMRECT, index, block.Address()))
        Fail(L"the dialog has no tab " + std::to_wstring(index));
    block.Read(&rect, sizeof rect);
    LPARAM where = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(tabs, WM_LBUTTONUP, 0, where);
    Sleep(400);
}

void SaveBitmap(const std::wstring& file, RECT area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const DWORD stride = (width * 3 + 3) & ~3u, size = stride * height;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + size;
    FILE* out = _wfopen(file.c_str(), L"wb");
    bool written = out && copied && fwrite(&header, sizeof header, 1, out) == 1 &&
                   fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 && fwrite(bits, size, 1, out) == 1;
    if (out)
        fclose(out);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!written)
        Fail(L"could not save " + file);
}

RECT Union(RECT a, RECT b)
{
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

void Shot(HWND main, const std::wstring& folder, const std::wstring& name, const std::wstring& what)
{
    Sleep(700);  // let the last change paint
    RECT area{};
    if (what == L"main") {
        GetWindowRect(main, &area);
    } else if (what == L"dialog") {
        GetWindowRect(OpenDialog(main), &area);
    } else if (what == L"menus") {
        GetWindowRect(main, &area);
        for (HWND menu : TopLevel(ProcessOf(main), L"#32768")) {
            RECT r;
            GetWindowRect(menu, &r);
            area = Union(area, r);
        }
    } else if (what == L"popup") {
        auto menus = TopLevel(ProcessOf(main), L"#32768");
        if (menus.empty())
            Fail(L"no menu is open");
        GetWindowRect(menus.front(), &area);
        for (HWND menu : menus) {
            RECT r;
            GetWindowRect(menu, &r);
            area = Union(area, r);
        }
    } else if (what == L"screen") {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    } else {
        Fail(L"unknown shot kind " + what);
    }
    SaveBitmap(folder + L"\\" + name + L".bmp", area);
}

void MenuKeys(HWND main, const std::wstring& keys)
{
    std::size_t start = 0;
    while (start <= keys.size()) {
        std::size_t end = keys.find(L',', start);
        std::wstring key = keys.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        UINT code = key == L"down" ? VK_DOWN : key == L"up" ? VK_UP : key == L"right" ? VK_RIGHT
                  : key == L"left" ? VK_LEFT : key == L"enter" ? VK_RETURN : key == L"esc" ? VK_ESCAPE : 0;
        if (!code)
            Fail(L"unknown key " + key);
        HWND menu = OpenMenu(main);
        PostMessageW(menu, WM_KEYDOWN, code, 0);
        PostMessageW(menu, WM_KEYUP, code, 0);
        Sleep(300);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
}

DWORD ParseAddress(const std::wstring& text)
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    swscanf(text.c_str(), L"%u.%u.%u.%u", &a, &b, &c, &d);
    return MAKEIPADDRESS(a, b, c, d);
}

void Step(HWND main, const std::wstring& folder, const std::wstring& step)
{
    std::wstring verb = step.substr(0, step.find(L':'));
    std::wstring rest = step.find(L':') == std::wstring::npos ? L"" : step.substr(step.find(L':') + 1);
    std::wstring second = rest.find(L':') == std::wstring::npos ? L"" : rest.substr(rest.find(L':') + 1);
    int number = _wtoi(rest.c_str());
    if (verb == L"wait") {
        Sleep(number);
    } else if (verb == L"cmd") {
        PostMessageW(main, WM_COMMAND, number, 0);
        Sleep(800);
    } else if (verb == L"click" || verb == L"rclick") {
        ClickRow(main, number, verb == L"rclick");
    } else if (verb == L"hover") {
        HWND list = GetDlgItem(main, 1007);
        POINT at = RowPoint(list, number);
        ClientToScreen(list, &at);
        for (int step = 0; step < 3; ++step)
            PointerTo(POINT{at.x + step * 4, at.y});
        Sleep(1000);
    } else if (verb == L"away") {
        PointerTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
    } else if (verb == L"menu") {
        SetForegroundWindow(main);
        PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, rest.empty() ? 0 : rest[0]);
        OpenMenu(main);
    } else if (verb == L"tray") {
        PostMessageW(main, WM_USER + 1, 0, WM_RBUTTONDOWN);
        OpenMenu(main);
    } else if (verb == L"keys") {
        MenuKeys(main, rest);
    } else if (verb == L"tab") {
        SelectTab(OpenDialog(main), number);
    } else if (verb == L"check") {
        PostMessageW(GetDlgItem(OpenDialog(main), number), BM_CLICK, 0, 0);
        Sleep(300);
    } else if (verb == L"drop") {
        SendMessageW(GetDlgItem(OpenDialog(main), number), CB_SHOWDROPDOWN, TRUE, 0);
        Sleep(300);
    } else if (verb == L"ip") {
        HWND control = GetDlgItem(OpenDialog(main), number);
        SendMessageW(control, IPM_SETADDRESS, 0, ParseAddress(second));
        Sleep(200);
    } else if (verb == L"text") {
        SetWindowTextW(GetDlgItem(OpenDialog(main), number), second.c_str());
        Sleep(200);
    } else if (verb == L"close") {
        PostMessageW(OpenDialog(main), WM_COMMAND, IDCANCEL, 0);
        WaitFor(L"the dialog to close", [&] { return TopLevel(ProcessOf(main), L"#32770").size() <= 1; });
    } else if (verb == L"ok") {
        PostMessageW(OpenDialog(main), WM_COMMAND, IDOK, 0);
        Sleep(500);
    } else if (verb == L"shot") {
        Shot(main, folder, rest.substr(0, rest.find(L':')), second.empty() ? L"main" : second);
    } else {
        Fail(L"unknown step " + step);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fwprintf(stderr, L"usage: manual-shots <folder> step...\n");
        return 2;
    }
    try {
        HWND main = FindMain();
        // The pointer starts wherever the screen put it; off the list no row tip shows.
        PointerTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
        Sleep(1500);
        for (int i = 2; i < argc; ++i)
            Step(main, argv[1], argv[i]);
    } catch (const Failure& failure) {
        fwprintf(stderr, L"manual-shots: %ls\n", failure.what.c_str());
        return 1;
    }
    return 0;
}
