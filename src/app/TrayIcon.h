#pragma once
// The notification-area icon of the main window. The shell forgets it when
// Explorer restarts, and a start at sign-in may come before the taskbar;
// either way the taskbar's "TaskbarCreated" message is the time to add it.

#include <windows.h>
#include <shellapi.h>

#include <string>

class CTrayIcon {
public:
    ~CTrayIcon() { Delete(); }

    bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::u16string& tip)
    {
        record = {};
        record.cbSize = sizeof record;
        record.hWnd = owner;
        record.uID = id;
        record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        record.uCallbackMessage = callbackMessage;
        record.hIcon = icon;
        tip.copy(reinterpret_cast<char16_t*>(record.szTip), std::size(record.szTip) - 1);
        wanted = true;
        return Restore();
    }
    // Adds the icon again as it was last given, once the taskbar is back.
    bool Restore()
    {
        if (!wanted)
            return false;
        added = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
        return added;
    }
    void Delete()
    {
        if (added)
            Shell_NotifyIconW(NIM_DELETE, &record);
        added = false;
        wanted = false;
    }

private:
    NOTIFYICONDATAW record = {};
    bool added = false;
    bool wanted = false;  // given by Add and not deleted since
};
