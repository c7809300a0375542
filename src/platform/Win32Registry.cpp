#include "platform/Win32Registry.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {

HKEY ToHkey(RegHandle key)
{
    return reinterpret_cast<HKEY>(key);
}

HKEY RootKey(CWin32Registry::Root root)
{
    return root == CWin32Registry::Root::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

}  // namespace

std::uint32_t CWin32Registry::OpenKey(const std::u16string& path, Access access, RegHandle* key)
{
    HKEY hkey = nullptr;
    LONG status = access == Access::Default
                      ? RegOpenKeyW(RootKey(root), Wide(path), &hkey)
                      : RegOpenKeyExW(RootKey(root), Wide(path), 0,
                                      access == Access::Read ? KEY_READ : KEY_WRITE, &hkey);
    if (status == ERROR_SUCCESS)
        *key = reinterpret_cast<RegHandle>(hkey);
    return static_cast<std::uint32_t>(status);
}

std::uint32_t CWin32Registry::CreateKey(const std::u16string& path, RegHandle* key)
{
    HKEY hkey = nullptr;
    LONG status = RegCreateKeyW(RootKey(root), Wide(path), &hkey);
    if (status == ERROR_SUCCESS)
        *key = reinterpret_cast<RegHandle>(hkey);
    return static_cast<std::uint32_t>(status);
}

bool CWin32Registry::EnumSubKey(RegHandle key, std::uint32_t index, std::u16string* name)
{
    wchar_t buffer[kRegMaxKeyNameChars + 1] = {};
    DWORD length = static_cast<DWORD>(kRegMaxKeyNameChars + 1);
    if (RegEnumKeyExW(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    *name = FromWide(buffer, length);
    return true;
}

bool CWin32Registry::QueryValue(RegHandle key, const std::u16string& name, RegValue* value)
{
    BYTE buffer[kRegValueBufferBytes] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExW(ToHkey(key), Wide(name), nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        return false;
    value->type = type;
    value->data.assign(buffer, buffer + size);
    return true;
}

void CWin32Registry::SetValue(RegHandle key, const std::u16string& name, std::uint32_t type,
                              const std::vector<std::uint8_t>& data)
{
    RegSetValueExW(ToHkey(key), Wide(name), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

void CWin32Registry::DeleteValue(RegHandle key, const std::u16string& name)
{
    RegDeleteValueW(ToHkey(key), Wide(name));
}

void CWin32Registry::CloseKey(RegHandle key)
{
    RegCloseKey(ToHkey(key));
}
