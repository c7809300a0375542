#pragma once
// A window handle and the calls every wrapper needs; it owns nothing.

#include <windows.h>

#include <string>

class CWindow {
public:
    CWindow() = default;
    explicit CWindow(HWND hwnd) : hwnd(hwnd) {}

    void Attach(HWND window) { hwnd = window; }
    HWND Handle() const { return hwnd; }
    operator HWND() const { return hwnd; }

    LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) const { return SendMessageW(hwnd, message, w, l); }
    bool Post(UINT message, WPARAM w = 0, LPARAM l = 0) const { return PostMessageW(hwnd, message, w, l) != FALSE; }
    bool Show(int command) const { return ShowWindow(hwnd, command) != FALSE; }
    bool Enable(bool on) const { return EnableWindow(hwnd, on ? TRUE : FALSE) != FALSE; }
    bool IsVisible() const { return IsWindowVisible(hwnd) != FALSE; }
    HWND Item(int id) const { return GetDlgItem(hwnd, id); }

    std::u16string Caption() const
    {
        int length = GetWindowTextLengthW(hwnd);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
        return std::u16string(text.begin(), text.end());
    }
    bool SetCaption(const std::u16string& text) const
    {
        return SetWindowTextW(hwnd, reinterpret_cast<const wchar_t*>(text.c_str())) != FALSE;
    }

protected:
    HWND hwnd = nullptr;
};
