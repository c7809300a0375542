#pragma once
// The checks the service makes of each field of a request, whatever the
// client checked before sending it.

#include <cstdint>
#include <string_view>

// Exactly four decimal parts of 0 to 255 joined by "."; no sign, blank or
// leading zero ("010" reads as octal elsewhere). *value holds the first part
// in its top byte.
bool ReadDottedQuad(std::u16string_view text, std::uint32_t* value);

// A dotted quad that the apply takes as an IP address: first and last part not 0.
bool IsHostAddress(std::u16string_view text);

// A dotted quad of contiguous ones from the top, at least one of them.
bool IsSubnetMask(std::u16string_view text);

// "{8-4-4-4-12}" in hexadecimal digits of either case.
bool IsAdapterGuid(std::u16string_view text);
