#include "platform/AnsiText.h"

std::u16string AnsiToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (unsigned char byte : bytes)
        text += static_cast<char16_t>(byte);
    return text;
}
