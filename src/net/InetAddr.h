#pragma once
// inet_addr for a wide text, without Winsock, in both builds.

#include <cstdint>
#include <string>

// The address in network byte order, 0xFFFFFFFF (INADDR_NONE) when the text
// is no address.
std::uint32_t InetAddr(const std::u16string& text);
