#pragma once

#include "platform/Shell.h"

// ShellExecuteW, owned by the given window (may be none).
class CWin32Shell : public IShell {
public:
    explicit CWin32Shell(void* owner = nullptr) : owner(owner) {}
    bool Open(const ShellRequest& request) override;
    void SetOwner(void* window) { owner = window; }

private:
    void* owner;
};
