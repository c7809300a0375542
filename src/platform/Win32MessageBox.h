#pragma once

#include "platform/MessageBox.h"

// Shows the box with MessageBoxW.
class CWin32MessageBox : public IMessageBox {
public:
    int Show(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
             std::uint32_t style) override;
};

// The window that owns a box asked for by `window`: the window itself, unless
// it is a dialog not shown yet (its WM_INITDIALOG), which hands the box to the
// window that opened it; a box owned by the hidden dialog would leave that
// window usable behind it. A window without an owner keeps its boxes while
// hidden (the main window in the tray).
WindowHandle BoxOwnerFor(WindowHandle window);
