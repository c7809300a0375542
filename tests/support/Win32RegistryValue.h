#pragma once
// A value under HKEY_LOCAL_MACHINE read straight through Win32, past the code under test.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

inline bool ReadRegistryValue(const std::wstring& key, const wchar_t* name, DWORD* type,
                              std::vector<std::uint8_t>* data)
{
    data->assign(2048, 0);
    for (;;) {
        DWORD size = static_cast<DWORD>(data->size());
        const LSTATUS read =
            RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, type, data->data(), &size);
        if (read == ERROR_MORE_DATA && size > data->size()) {
            data->assign(size, 0);
            continue;
        }
        if (read != ERROR_SUCCESS) {
            data->clear();
            return false;
        }
        data->resize(size);
        return true;
    }
}

// The value's bytes, empty when it is absent.
inline std::vector<std::uint8_t> RawValue(const std::wstring& key, const wchar_t* name, DWORD* type)
{
    std::vector<std::uint8_t> data;
    ReadRegistryValue(key, name, type, &data);
    return data;
}
