#pragma once
// Records what the program asks of the shell instead of doing it, with a set
// desktop folder and set answers.

#include "platform/Shell.h"

#include <vector>

class CFakeShell : public IShell {
public:
    bool Open(const ShellRequest& request) override
    {
        opened.push_back(request);
        return openAnswer;
    }
    std::u16string DesktopFolder() override { return desktop; }
    bool CreateShortcut(const ShortcutRequest& request) override
    {
        shortcuts.push_back(request);
        return shortcutAnswer;
    }

    std::u16string desktop = u"C:\\Users\\Lanvoy\\Desktop";
    bool openAnswer = true;
    bool shortcutAnswer = true;
    std::vector<ShellRequest> opened;
    std::vector<ShortcutRequest> shortcuts;
};
