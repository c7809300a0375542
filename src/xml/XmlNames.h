#pragma once
// Tag and attribute name rules shared by the parser, the readers and the editors.

#include "xml/XmlTokenizer.h"

#include <string_view>

inline char16_t FoldCase(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

inline bool SameName(std::u16string_view a, std::u16string_view b, bool ignoreCase)
{
    if (a.size() != b.size())
        return false;
    if (!ignoreCase)
        return a == b;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

// The part of a tag name that an end tag is matched on: it stops at a blank,
// '=', '/', '[' or ']'.
inline std::u16string_view MatchKey(std::u16string_view name)
{
    std::size_t end = 0;
    while (end < name.size() && !IsXmlBlank(name[end]) && name[end] != u'=' && name[end] != u'/' &&
           name[end] != u'[' && name[end] != u']')
        ++end;
    return name.substr(0, end);
}

// A name that reads back as itself: new elements must not break the text.
inline bool ValidElementName(std::u16string_view name)
{
    if (name.empty() || !StartsTagName(name[0]))
        return false;
    return name.find_first_of(std::u16string_view(u" \t\r\n/<>=\"'[]&\0", 14)) == std::u16string_view::npos;
}

inline bool ValidAttributeName(std::u16string_view name)
{
    if (name.empty())
        return false;
    return name.find_first_of(std::u16string_view(u" \t\r\n/<>=\"'&\0", 12)) == std::u16string_view::npos;
}
