#include "platform/Registry.h"

std::uint32_t CRegKey::Open(const std::u16string& path, IRegistry::Access access)
{
    Close();
    std::uint32_t status = registry.OpenKey(path, access, &handle);
    open = status == 0;
    return status;
}

std::uint32_t CRegKey::Create(const std::u16string& path)
{
    Close();
    std::uint32_t status = registry.CreateKey(path, &handle);
    open = status == 0;
    return status;
}

void CRegKey::Close()
{
    if (open)
        registry.CloseKey(handle);
    open = false;
    handle = 0;
}

bool CRegKey::EnumSubKey(std::uint32_t index, std::u16string* name) const
{
    return open && registry.EnumSubKey(handle, index, name);
}

bool CRegKey::Query(const std::u16string& name, RegValue* value) const
{
    return open && registry.QueryValue(handle, name, value);
}

bool CRegKey::QueryText(const std::u16string& name, std::u16string* text) const
{
    RegValue value;
    if (!Query(name, &value))
        return false;
    *text = RegBytesToText(value.data);
    return true;
}

void CRegKey::Set(const std::u16string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) const
{
    if (open)
        registry.SetValue(handle, name, type, data);
}

void CRegKey::Delete(const std::u16string& name) const
{
    if (open)
        registry.DeleteValue(handle, name);
}

std::u16string RegBytesToText(const std::vector<std::uint8_t>& data)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}

static void AppendUnits(std::vector<std::uint8_t>& out, const std::u16string& text, bool terminated = true)
{
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    if (terminated) {
        out.push_back(0);
        out.push_back(0);
    }
}

std::vector<std::uint8_t> RegUnterminatedBytes(const std::u16string& text)
{
    std::vector<std::uint8_t> out;
    AppendUnits(out, text, false);
    return out;
}

std::vector<std::uint8_t> RegSzBytes(const std::u16string& text)
{
    std::vector<std::uint8_t> out;
    AppendUnits(out, text);
    return out;
}

std::vector<std::uint8_t> RegMultiSzBytes(const std::vector<std::u16string>& entries)
{
    std::vector<std::uint8_t> out;
    for (const auto& entry : entries)
        AppendUnits(out, entry);
    out.push_back(0);
    out.push_back(0);
    return out;
}

std::vector<std::uint8_t> RegDwordBytes(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}
