#pragma once
// The system's message texts for failures: one line of at most 100 characters.

#include <cstdint>
#include <string>

// The platform's text for a Win32 error code.
std::u16string SystemErrorText(std::uint32_t code);

// The text for the calling thread's last failed system call: GetLastError on
// Windows, errno elsewhere.
std::u16string LastSystemErrorText();

// What is shown when the platform has no text for the code.
std::u16string GenericErrorText(std::uint32_t code);

// The platform's message cut to its first line and to 100 characters, or the
// generic text when nothing is left; for the platform files.
std::u16string SystemMessageLine(std::u16string message, std::uint32_t code);
