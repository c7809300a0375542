#pragma once

#include "platform/MessageBox.h"

// Shows the box with MessageBoxW, owned by the given window (may be none).
class CWin32MessageBox : public IMessageBox {
public:
    explicit CWin32MessageBox(void* owner = nullptr) : owner(owner) {}
    int Show(const std::u16string& text, const std::u16string& caption, std::uint32_t style) override
    {
        return ShowOwnedBy(owner, text, caption, style);
    }
    // The same box owned by another window, for this one box.
    int ShowOwnedBy(void* window, const std::u16string& text, const std::u16string& caption, std::uint32_t style);
    void SetOwner(void* window) { owner = window; }

private:
    void* owner;
};
