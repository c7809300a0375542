#include "text/TextCut.h"

namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

bool SplitsPair(std::u16string_view text, std::size_t length)
{
    return length > 0 && length < text.size() && IsHigh(text[length - 1]) && IsLow(text[length]);
}

std::u16string_view CutText(std::u16string_view text, std::size_t length)
{
    if (length >= text.size())
        return text;
    return text.substr(0, SplitsPair(text, length) ? length - 1 : length);
}
