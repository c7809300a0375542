#pragma once
// The message boxes a dialog's model shows: owned by the dialog while it
// shows, so that it cannot be used behind them; before it shows, by the
// window that opened it.

#include "controls/Dialog.h"
#include "platform/Win32MessageBox.h"

class CDialogMessages : public IMessageBox {
public:
    CDialogMessages(CWin32MessageBox& boxes, const CDialogBase& dialog) : boxes(boxes), dialog(dialog) {}
    int Show(const std::u16string& text, const std::u16string& caption, std::uint32_t style) override
    {
        const HWND window = dialog.Handle();
        if (window == nullptr || !IsWindowVisible(window))
            return boxes.Show(text, caption, style);
        return boxes.ShowOwnedBy(window, text, caption, style);
    }

private:
    CWin32MessageBox& boxes;
    const CDialogBase& dialog;
};
