#pragma once
// Paths and command lines compare as Windows compares file names: ASCII
// letters without regard to case, everything else as it stands.

#include <string_view>

inline bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}
