#include "platform/SystemText.h"
#include "platform/WideText.h"

#include <windows.h>

std::u16string SystemErrorText(std::uint32_t code)
{
    wchar_t buffer[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, 511, nullptr);
    return SystemMessageLine(FromWide(buffer, length), code);
}

std::u16string LastSystemErrorText()
{
    return SystemErrorText(GetLastError());
}
