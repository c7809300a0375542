#pragma once
// The notification-area icon of the main window. The shell forgets it when
// Explorer restarts, and a start at sign-in may come before the taskbar;
// either way the taskbar's "TaskbarCreated" message is the time to add it.

#include "controls/Handles.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <utility>

class CTrayIcon {
public:
    ~CTrayIcon() { Delete(); }

    // The icon stays with this object: it is added again with it.
    bool Add(HWND owner, UINT id, UINT callbackMessage, CIconHolder shown, const std::u16string& tip)
    {
        Delete();
        icon = std::move(shown);
        record = {};
        record.cbSize = sizeof record;
        record.hWnd = owner;
        record.uID = id;
        record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        record.uCallbackMessage = callbackMessage;
        record.hIcon = icon;
        tip.copy(reinterpret_cast<char16_t*>(record.szTip), std::size(record.szTip) - 1);
        wanted = true;
        added = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
        return added;
    }
    // Shows another picture in the icon's place, its position and tip kept.
    // The shell has its own copy once this returns, so the old picture goes.
    // Kept for the next Restore when the icon is not shown now.
    bool SetIcon(CIconHolder shown)
    {
        const CIconHolder old = std::exchange(icon, std::move(shown));
        record.hIcon = icon;
        if (!added)
            return false;
        NOTIFYICONDATAW change = record;
        change.uFlags = NIF_ICON;
        return Shell_NotifyIconW(NIM_MODIFY, &change) != FALSE;
    }
    // Shows the icon again as it was last given, once the taskbar is back.
    // A taskbar that kept it (it also announces itself after a change of
    // scale) would refuse a second add: there it is only brought up to date.
    bool Restore()
    {
        if (!wanted)
            return false;
        added = Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE || Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
        return added;
    }
    void Delete()
    {
        if (added)
            Shell_NotifyIconW(NIM_DELETE, &record);
        added = false;
        wanted = false;
    }

    HICON Icon() const { return icon; }
    bool Added() const { return added; }

private:
    NOTIFYICONDATAW record = {};
    CIconHolder icon;
    bool added = false;
    bool wanted = false;  // given by Add and not deleted since
};
