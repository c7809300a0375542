#include "xml/XmlDoc.h"

#include <algorithm>
#include <array>

namespace {

struct Entity {
    char16_t character;
    std::u16string_view reference;
};

constexpr std::array<Entity, 5> entities{{
    {u'<', u"&lt;"},
    {u'&', u"&amp;"},
    {u'>', u"&gt;"},
    {u'\'', u"&apos;"},
    {u'"', u"&quot;"},
}};

bool IsAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsNameCharacter(char16_t c)
{
    return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'_' || c == u':' ||
           c > 127;
}

// The length of the entity or character reference at offset ("&...;"), or 0.
std::size_t ReferenceLength(std::u16string_view value, std::size_t offset)
{
    std::size_t i = offset + 1;
    if (i >= value.size())
        return 0;
    char16_t first = value[i];
    if (!IsAsciiLetter(first) && first != u'#' && first != u'_' && first != u':' && first <= 127)
        return 0;
    ++i;
    while (i < value.size() && IsNameCharacter(value[i]))
        ++i;
    return (i < value.size() && value[i] == u';') ? i + 1 - offset : 0;
}

int DigitValue(char16_t c, bool hex)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (hex && c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (hex && c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// "&#65;" or "&#x41;" at offset: appends the character and returns the
// reference length, or 0 when it is no valid character reference.
std::size_t CharacterReference(std::u16string_view value, std::size_t offset, std::u16string& output)
{
    std::size_t digits = offset + 2;
    std::size_t limit = std::min(value.size(), digits + 8);  // up to 7 characters, then ';'
    std::size_t close = digits;
    while (close < limit && value[close] != u';')
        ++close;
    if (close >= limit || close == digits)
        return 0;
    bool hex = value[digits] == u'x';
    std::size_t i = hex ? digits + 1 : digits;
    if (i == close)
        return 0;
    char32_t code = 0;
    for (; i < close; ++i) {
        int digit = DigitValue(value[i], hex);
        if (digit < 0)
            return 0;
        code = code * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    // Neither NUL, nor a lone surrogate, nor past the last code point.
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    if (code >= 0x10000) {
        code -= 0x10000;
        output += static_cast<char16_t>(0xD800 + (code >> 10));
        output += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
        output += static_cast<char16_t>(code);
    }
    return close + 1 - offset;
}

}  // namespace

std::u16string CXmlDoc::Escape(std::u16string_view value, unsigned options)
{
    const bool quotes = (options & EscapeQuotes) != 0;
    std::u16string output;
    output.reserve(value.size() + value.size() / 10 + 7);
    for (std::size_t i = 0; i < value.size(); ++i) {
        char16_t c = value[i];
        if (c == u'&' && (options & KeepReferences) != 0) {
            if (std::size_t length = ReferenceLength(value, i)) {
                output.append(value.substr(i, length));
                i += length - 1;
                continue;
            }
        }
        const Entity* entity = nullptr;
        for (const Entity& candidate : entities) {
            if (candidate.character == c)
                entity = &candidate;
        }
        bool isQuote = c == u'\'' || c == u'"';
        if (entity != nullptr && (!isQuote || quotes))
            output.append(entity->reference);
        else
            output += c;
    }
    return output;
}

std::u16string CXmlDoc::Unescape(std::u16string_view value)
{
    if (value.find(u'&') == std::u16string_view::npos)
        return std::u16string(value);
    std::u16string output;
    output.reserve(value.size());
    for (std::size_t i = 0; i < value.size();) {
        if (value[i] != u'&') {
            output += value[i++];
            continue;
        }
        std::size_t length = 0;
        for (const Entity& entity : entities) {
            if (value.substr(i, entity.reference.size()) == entity.reference) {
                output += entity.character;
                length = entity.reference.size();
                break;
            }
        }
        if (length == 0 && i + 1 < value.size() && value[i + 1] == u'#')
            length = CharacterReference(value, i, output);
        if (length == 0) {
            output += u'&';
            length = 1;
        }
        i += length;
    }
    return output;
}
