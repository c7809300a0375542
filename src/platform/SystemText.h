#pragma once
// The platform's message text for a system error code, cut at its first line end.

#include <cstdint>
#include <string>

std::u16string SystemErrorText(std::uint32_t code);

// What is shown when the platform has no text for the code.
std::u16string GenericErrorText(std::uint32_t code);
