#pragma once
// The engine's own UTF-8 codec, so that files read the same whatever the
// system's code page is. Called with no output buffer, each converter
// returns the size the output needs; otherwise it writes at most capacity
// units and returns how many it wrote.

#include <cstddef>
#include <string>
#include <string_view>

// Decoding stops at a NUL code point and drops an incomplete last sequence;
// every invalid sequence (overlong forms and encoded surrogates among them)
// becomes '?', so that the text encodes back to what decodes to itself.
std::size_t Utf8ToUtf16(const char* bytes, std::size_t count, char16_t* output, std::size_t capacity);

// A surrogate that is not part of a high-low pair becomes '?'.
std::size_t Utf16ToUtf8(std::u16string_view text, char* output, std::size_t capacity);

std::u16string Utf8ToUtf16(std::string_view bytes);
std::string Utf16ToUtf8(std::u16string_view text);
