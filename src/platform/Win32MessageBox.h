#pragma once

#include "platform/MessageBox.h"

// Shows the box with MessageBoxW, owned by the given window (may be none).
class CWin32MessageBox : public IMessageBox {
public:
    explicit CWin32MessageBox(void* owner = nullptr) : owner(owner) {}
    int Show(const std::u16string& text, const std::u16string& caption, std::uint32_t style) override;
    void SetOwner(void* window) { owner = window; }

private:
    void* owner;
};
