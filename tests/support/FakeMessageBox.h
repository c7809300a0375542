#pragma once
// Records every message box instead of showing it, and answers with a set reply.

#include "platform/MessageBox.h"

#include <vector>

class CFakeMessageBox : public IMessageBox {
public:
    struct Shown {
        std::u16string text;
        std::u16string caption;
        std::uint32_t style = 0;
        WindowHandle owner = nullptr;
    };

    int Show(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
             std::uint32_t style) override
    {
        shown.push_back({text, caption, style, owner});
        return answer;
    }

    std::vector<Shown> shown;
    int answer = kIdOk;
};
