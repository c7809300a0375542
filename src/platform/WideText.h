#pragma once
// The portable core holds UTF-16 as char16_t; Win32 takes the same units as wchar_t.

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the windows build needs 16-bit wchar_t");

inline const wchar_t* Wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string FromWide(const wchar_t* text)
{
    return FromWide(text, std::char_traits<wchar_t>::length(text));
}
