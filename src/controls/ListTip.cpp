#include "controls/ListTip.h"

TTTOOLINFOW CListTip::Tool(int id) const
{
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = list;
    info.uId = static_cast<UINT_PTR>(id);
    return info;
}

void CListTip::Create(HWND owner)
{
    Destroy();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    list = tip != nullptr ? owner : nullptr;
    tool = -1;
}

void CListTip::Destroy()
{
    if (tip != nullptr && IsWindow(tip))
        DestroyWindow(tip);
    tip = nullptr;
    list = nullptr;
    tool = -1;
}

void CListTip::Activate(bool on)
{
    if (tip != nullptr)
        SendMessageW(tip, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
    if (!on)
        DropTool();
}

void CListTip::DropTool()
{
    if (tip == nullptr || tool == -1)
        return;
    TTTOOLINFOW info = Tool(tool);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    tool = -1;
}

void CListTip::FitTool()
{
    if (tip == nullptr || tool == -1)
        return;
    TTTOOLINFOW info = Tool(tool);
    GetClientRect(list, &info.rect);
    SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CListTip::Relay(UINT message, WPARAM w, LPARAM l, int cell)
{
    if (tip == nullptr)
        return;
    if (cell != tool) {
        DropTool();
        if (cell != -1) {
            TTTOOLINFOW info = Tool(cell);
            info.lpszText = LPSTR_TEXTCALLBACKW;
            GetClientRect(list, &info.rect);
            if (SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
                tool = cell;
        }
    }
    const DWORD position = GetMessagePos();
    MSG relayed{list, message, w, l, static_cast<DWORD>(GetMessageTime()),
                {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CListTip::Answer(NMHDR* request, const wchar_t* text, int maxWidth, int showTime)
{
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(showTime, 0));
    if (text == nullptr)
        return;
    if (request->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(request);
        info->hinst = nullptr;
        info->lpszText = const_cast<wchar_t*>(text);
        return;
    }
    // A tooltip that speaks ANSI gets the text in the system's code page.
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    ansiText.assign(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansiText.data(), size, nullptr, nullptr);
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(request);
    info->hinst = nullptr;
    info->lpszText = ansiText.data();
}
