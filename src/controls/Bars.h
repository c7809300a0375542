#pragma once
// The toolbar and the status bar of a window: handles plus inline calls.

#include "controls/Window.h"

#include <commctrl.h>

#include <string>
#include <vector>

class CToolBar : public CWindow {
public:
    bool Create(HWND parent, int id, DWORD style)
    {
        hwnd = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        if (hwnd)
            Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
        return hwnd != nullptr;
    }
    bool AddButtons(std::vector<TBBUTTON>& buttons)
    {
        return Send(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != FALSE;
    }
    void SetImageLists(HIMAGELIST normal, HIMAGELIST disabled)
    {
        Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
        Send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
    }
    void SetSizes(SIZE button, SIZE image)
    {
        Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
        Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
    }
    bool SetButtonText(int position, const std::u16string& text)
    {
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
        info.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.c_str()));
        return Send(TB_SETBUTTONINFOW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&info)) != FALSE;
    }
    void EnableButton(unsigned id, bool on) { Send(TB_ENABLEBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0)); }
    bool IsButtonEnabled(unsigned id) const { return Send(TB_ISBUTTONENABLED, id) != FALSE; }
    void AutoSize() { Send(TB_AUTOSIZE); }
};

class CStatusBar : public CWindow {
public:
    bool Create(HWND parent, int id)
    {
        hwnd = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                               nullptr);
        return hwnd != nullptr;
    }
    // Right edges of the parts; -1 reaches the right border.
    void SetParts(std::vector<int> rightEdges)
    {
        Send(SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
    }
    void SetPartText(int part, const std::u16string& text, UINT look = 0)
    {
        Send(SB_SETTEXTW, static_cast<WPARAM>(part) | look, reinterpret_cast<LPARAM>(text.c_str()));
    }
};
