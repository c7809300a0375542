#pragma once

#include "platform/Shell.h"

// ShellExecuteW, owned by the given window (may be none); the desktop folder
// and shell links through the shell's COM objects.
class CWin32Shell : public IShell {
public:
    explicit CWin32Shell(void* owner = nullptr) : owner(owner) {}
    bool Open(const ShellRequest& request) override;
    std::u16string DesktopFolder() override;
    bool CreateShortcut(const ShortcutRequest& request) override;
    void SetOwner(void* window) { owner = window; }

private:
    void* owner;
};
