#pragma once
// Text in the system's ANSI code page, as files of older releases hold it.

#include <string>
#include <string_view>

// Windows decodes with the ANSI code page (GBK on a Simplified-Chinese
// system); elsewhere, where there is none, each byte is one Latin-1 character.
std::u16string AnsiToUtf16(std::string_view bytes);
