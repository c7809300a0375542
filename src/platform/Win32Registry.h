#pragma once
// The registry interface over advapi32, rooted at HKEY_LOCAL_MACHINE, or at
// HKEY_CURRENT_USER for the values each user keeps for themselves.

#include "platform/Registry.h"

class CWin32Registry : public IRegistry {
public:
    enum class Root { LocalMachine, CurrentUser };
    explicit CWin32Registry(Root root = Root::LocalMachine) : root(root) {}

    std::uint32_t OpenKey(const std::u16string& path, Access access, RegHandle* key) override;
    std::uint32_t CreateKey(const std::u16string& path, RegHandle* key) override;
    bool EnumSubKey(RegHandle key, std::uint32_t index, std::u16string* name) override;
    bool QueryValue(RegHandle key, const std::u16string& name, RegValue* value) override;
    void SetValue(RegHandle key, const std::u16string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override;
    void DeleteValue(RegHandle key, const std::u16string& name) override;
    void CloseKey(RegHandle key) override;

private:
    Root root;
};
