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

    // The icon stays with this object: it is added again with it. The shell
    // answers the add from its own process, so it is asked from a thread of
    // its own and the window is built meanwhile; everything else here waits
    // for that answer first.
    void Add(HWND owner, UINT id, UINT callbackMessage, CIconHolder shown, const std::u16string& tip)
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
        adding.Reset(CreateThread(nullptr, 0, AddOnThread, this, 0, nullptr));
        if (!adding)
            AddNow();
    }
    // Shows another picture in the icon's place, its position and tip kept.
    // The shell has its own copy once this returns, so the old picture goes.
    // Kept for the next Restore when the icon is not shown now.
    bool SetIcon(CIconHolder shown)
    {
        Settle();
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
        Settle();
        if (!wanted)
            return false;
        added = Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE || Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
        return added;
    }
    void Delete()
    {
        Settle();
        if (added)
            Shell_NotifyIconW(NIM_DELETE, &record);
        added = false;
        wanted = false;
    }

    HICON Icon() const { return icon; }
    bool Added() const
    {
        Settle();
        return added;
    }

private:
    static DWORD WINAPI AddOnThread(void* self)
    {
        static_cast<CTrayIcon*>(self)->AddNow();
        return 0;
    }
    void AddNow() { added = Shell_NotifyIconW(NIM_ADD, &record) != FALSE; }
    // Waits for the add's thread. Should the shell ask this window something
    // meanwhile, the question is answered while waiting.
    void Settle() const
    {
        if (!adding)
            return;
        HANDLE thread = adding;
        while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        adding.Reset();
    }

    NOTIFYICONDATAW record = {};
    CIconHolder icon;
    bool added = false;
    bool wanted = false;  // given by Add and not deleted since
    mutable CKernelHandleHolder adding;  // the first add's thread, until it has ended
};
