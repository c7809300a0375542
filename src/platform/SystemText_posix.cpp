#include "platform/SystemText.h"
#include "text/Utf8.h"

#include <cerrno>
#include <cstring>

// The native build has no system message table for Win32 codes.
std::u16string SystemErrorText(std::uint32_t code)
{
    return GenericErrorText(code);
}

std::u16string LastSystemErrorText()
{
    int code = errno;
    return SystemMessageLine(Utf8ToUtf16(std::strerror(code)), static_cast<std::uint32_t>(code));
}
