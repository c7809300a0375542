#pragma once
// "请稍候....": a borderless child of the main window shown while an apply
// runs on the window's own thread, so it is painted before the apply starts.

#include "controls/Dialog.h"
#include "ui/MainCommands.h"

#include "resource.h"

class CWaitDlg : public CDialogBase, public IBusyIndicator {
public:
    explicit CWaitDlg(HWND owner) : CDialogBase(IDD_WAIT), owner(owner) {}

    void Begin() override
    {
        if (!CreateModeless(owner))
            return;
        RECT outer, inner;
        GetClientRect(owner, &outer);
        GetWindowRect(hwnd, &inner);
        int width = inner.right - inner.left, height = inner.bottom - inner.top;
        SetWindowPos(hwnd, HWND_TOP, (outer.right - width) / 2, (outer.bottom - height) / 2, 0, 0, SWP_NOSIZE);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
    }
    void End() override
    {
        if (hwnd)
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
    }

protected:
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result) override
    {
        if (message == WM_CLOSE) {
            CDialogBase::End(0);
            return true;
        }
        return CDialogBase::OnMessage(message, w, l, result);
    }

private:
    HWND owner;
};
