#pragma once
// The registry interface over advapi32, rooted at HKEY_LOCAL_MACHINE.

#include "platform/Registry.h"

class CWin32Registry : public IRegistry {
public:
    std::uint32_t OpenKey(const std::u16string& path, Access access, RegHandle* key) override;
    std::uint32_t CreateKey(const std::u16string& path, RegHandle* key) override;
    bool EnumSubKey(RegHandle key, std::uint32_t index, std::u16string* name) override;
    bool QueryValue(RegHandle key, const std::u16string& name, RegValue* value) override;
    void SetValue(RegHandle key, const std::u16string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override;
    void DeleteValue(RegHandle key, const std::u16string& name) override;
    void CloseKey(RegHandle key) override;
};
