#include "platform/SystemText.h"

// The native build has no system message table for Win32 codes.
std::u16string SystemErrorText(std::uint32_t code)
{
    return GenericErrorText(code);
}
