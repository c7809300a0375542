#include "platform/SystemText.h"
#include "platform/WideText.h"

#include <windows.h>

std::u16string SystemErrorText(std::uint32_t code)
{
    wchar_t buffer[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, 511, nullptr);
    std::u16string text = FromWide(buffer, length);
    std::size_t end = text.find_first_of(u"\r\n");
    if (end != std::u16string::npos)
        text.resize(end);
    if (text.empty())
        text = GenericErrorText(code);
    return text;
}
