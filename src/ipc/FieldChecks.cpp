#include "ipc/FieldChecks.h"

#include "engine/ProfileApply.h"

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(char16_t c)
{
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

}  // namespace

bool ReadDottedQuad(std::u16string_view text, std::uint32_t* value)
{
    std::uint32_t address = 0;
    std::size_t i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (i >= text.size() || text[i] != u'.')
                return false;
            ++i;
        }
        const std::size_t start = i;
        unsigned number = 0;
        while (i < text.size() && IsDigit(text[i]) && i - start < 3)
            number = number * 10 + (text[i++] - u'0');
        const std::size_t digits = i - start;
        if (digits == 0 || number > 255 || (digits > 1 && text[start] == u'0'))
            return false;
        address = (address << 8) | number;
    }
    if (i != text.size())
        return false;
    *value = address;
    return true;
}

bool IsHostAddress(std::u16string_view text)
{
    std::uint32_t value = 0;
    return ReadDottedQuad(text, &value) && PassesTwoPartTest(text);
}

bool IsSubnetMask(std::u16string_view text)
{
    std::uint32_t value = 0;
    if (!ReadDottedQuad(text, &value) || value == 0)
        return false;
    const std::uint32_t hostBits = ~value;
    return (hostBits & (hostBits + 1)) == 0;
}

bool IsAdapterGuid(std::u16string_view text)
{
    constexpr std::u16string_view kShape = u"{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
    if (text.size() != kShape.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (kShape[i] == u'x' ? !IsHexDigit(text[i]) : text[i] != kShape[i])
            return false;
    }
    return true;
}
