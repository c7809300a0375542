#pragma once
// The dialog base: `this` is stored when the dialog is created and every
// message goes through one virtual switch. Modal dialogs run their own
// message loop, so a dialog sees each message before it is dispatched.

#include "controls/Handles.h"
#include "controls/Window.h"

// The title bar's two icons at the drawn sizes nearest to a scale. They are
// the window's own, not shared: a shared icon keeps the first size loaded.
struct TitleIcons {
    UINT dpi = 0;
    CIconHolder big, small;
};
// Made on any thread: icons belong to no window until one shows them.
TitleIcons MakeTitleIcons(int id, UINT dpi);

class CDialogBase : public CWindow {
public:
    explicit CDialogBase(int resourceId) : resourceId(resourceId) {}
    virtual ~CDialogBase();
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;

    // Shows the dialog, owner disabled, until End; -1 when it cannot be created.
    INT_PTR RunModal(HWND owner);
    // Creates it as a window of its own; false when it cannot be created.
    bool CreateModeless(HWND parent);
    // Ends a modal run with the result, or destroys a modeless dialog.
    void End(INT_PTR result);

    // The dialog's controls by id. A box reads as checked only when fully
    // ticked, not when indeterminate.
    bool Checked(int id) const { return IsDlgButtonChecked(hwnd, id) == BST_CHECKED; }
    void SetChecked(int id, bool on) const { CheckDlgButton(hwnd, id, on ? BST_CHECKED : BST_UNCHECKED); }
    std::u16string ItemText(int id) const { return CWindow(Item(id)).Caption(); }
    bool SetItemText(int id, const std::u16string& text) const { return CWindow(Item(id)).SetCaption(text); }
    void EnableItem(int id, bool on) const { CWindow(Item(id)).Enable(on); }

protected:
    // The title bar's icons, the module's icon `id` at the drawn sizes nearest
    // to the window's; drawn again at each change of scale.
    void SetTitleIcons(int id);
    // The same with icons made ahead; made again if the window's scale differs.
    void SetTitleIcons(int id, TitleIcons made);

    // True when handled; *result is the message's answer.
    virtual bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result);
    virtual bool OnInitDialog() { return true; }
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnNotify(int id, NMHDR* header, LRESULT* result);
    // True discards a message of this dialog's loop before it is dispatched.
    virtual bool PreTranslate(MSG& message);
    // The dialog moved to a screen of another scale and has its new size:
    // what the dialog sized in pixels itself is made again for `dpi`.
    virtual void OnDpiChanged(UINT) {}

    static HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM w, LPARAM l);
    INT_PTR Dispatch(UINT message, WPARAM w, LPARAM l);
    void ShowTitleIcons(TitleIcons icons);

    int resourceId;
    bool modal = false;
    bool ending = false;
    INT_PTR result = 0;
    int titleIcon = 0;
    TitleIcons titleIcons;  // freed after the window goes
};
