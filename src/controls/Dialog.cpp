#include "controls/Dialog.h"

#include "controls/Dpi.h"
#include "controls/Resources.h"

namespace {

// The dialog being created on this thread: messages sent before
// WM_INITDIALOG (fonts, owner-drawn sizes) reach it too.
thread_local CDialogBase* creating = nullptr;

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
// Posted to itself once the system has handled a change of scale.
constexpr UINT kDpiChangedAfter = WM_APP + 0x20;

}  // namespace

CDialogBase::~CDialogBase()
{
    if (hwnd && IsWindow(hwnd)) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        DestroyWindow(hwnd);
    }
}

INT_PTR CDialogBase::RunModal(HWND owner)
{
    modal = true;
    ending = false;
    result = -1;
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    creating = this;
    HWND dialog = CreateDialogParamW(Instance(), MAKEINTRESOURCEW(resourceId), owner, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    creating = nullptr;
    if (!dialog)
        return -1;
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    if (!ending)
        ShowWindow(dialog, SW_SHOW);

    MSG message;
    bool quit = false;
    while (!ending) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        if (PreTranslate(message))
            continue;
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (hwnd)
        DestroyWindow(hwnd);
    if (quit)
        PostQuitMessage(static_cast<int>(message.wParam));
    return result;
}

bool CDialogBase::CreateModeless(HWND parent)
{
    modal = false;
    creating = this;
    HWND dialog = CreateDialogParamW(Instance(), MAKEINTRESOURCEW(resourceId), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    creating = nullptr;
    return dialog != nullptr;
}

void CDialogBase::End(INT_PTR value)
{
    result = value;
    ending = true;
    if (!modal && hwnd)
        DestroyWindow(hwnd);
    else if (hwnd)
        PostMessageW(hwnd, WM_NULL, 0, 0);  // wakes the loop
}

TitleIcons MakeTitleIcons(int id, UINT dpi)
{
    TitleIcons icons;
    icons.dpi = dpi;
    icons.big = LoadDrawnIcon(id, MetricForDpi(SM_CXICON, dpi));
    icons.small = LoadDrawnIcon(id, MetricForDpi(SM_CXSMICON, dpi));
    return icons;
}

void CDialogBase::SetTitleIcons(int id)
{
    SetTitleIcons(id, TitleIcons{});
}

void CDialogBase::SetTitleIcons(int id, TitleIcons made)
{
    titleIcon = id;
    const UINT dpi = WindowDpi(hwnd);
    ShowTitleIcons(made.dpi == dpi && made.big && made.small ? std::move(made) : MakeTitleIcons(id, dpi));
}

void CDialogBase::ShowTitleIcons(TitleIcons icons)
{
    // The old icons are freed only once the window holds the new ones.
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.big.Get()));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small.Get()));
    titleIcons = std::move(icons);
}

bool CDialogBase::PreTranslate(MSG&)
{
    return false;
}

bool CDialogBase::OnCommand(int id, int, HWND)
{
    if (id == IDOK || id == IDCANCEL) {
        End(id);
        return true;
    }
    return false;
}

bool CDialogBase::OnNotify(int, NMHDR*, LRESULT*)
{
    return false;
}

bool CDialogBase::OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT* answer)
{
    switch (message) {
    case WM_DPICHANGED: {
        // The suggested rectangle keeps the window's place on the new screen.
        // The dialog manager may scale the template's controls after this
        // returns, so the dialog's own pixel sizes follow once it has.
        const RECT* suggested = reinterpret_cast<const RECT*>(l);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        Post(kDpiChangedAfter, LOWORD(w));
        return false;
    }
    case kDpiChangedAfter:
        if (titleIcon != 0)
            ShowTitleIcons(MakeTitleIcons(titleIcon, static_cast<UINT>(w)));
        OnDpiChanged(static_cast<UINT>(w));
        return true;
    case WM_INITDIALOG:
        *answer = OnInitDialog() ? TRUE : FALSE;
        return true;
    case WM_COMMAND:
        return OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(l);
        return OnNotify(static_cast<int>(header->idFrom), header, answer);
    }
    default:
        return false;
    }
}

INT_PTR CDialogBase::Dispatch(UINT message, WPARAM w, LPARAM l)
{
    LRESULT answer = 0;
    bool handled = OnMessage(message, w, l, &answer);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        hwnd = nullptr;
    }
    if (!handled)
        return FALSE;
    switch (message) {
    // These answer through the procedure's own result.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(answer);
    default:
        if (hwnd)
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, answer);
        return TRUE;
    }
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self && message == WM_INITDIALOG)
        self = reinterpret_cast<CDialogBase*>(l);
    if (!self)
        self = creating;
    if (!self)
        return FALSE;
    if (!self->hwnd) {
        self->hwnd = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    // No exception may unwind through the system's code.
    try {
        return self->Dispatch(message, w, l);
    } catch (...) {
        return FALSE;
    }
}
