#pragma once
// Whole-file UTF-8 read and write, usable without a document. note receives
// "<bytes> bytes to <chars> wide chars" (or the reverse for a write), or the
// system's error text when the file cannot be opened, read or written.

#include <string>
#include <string_view>

bool ReadUtf8File(const std::u16string& path, std::u16string& text, std::u16string& note);

// Creates or truncates the file and writes text without a byte-order mark.
bool WriteUtf8File(const std::u16string& path, std::u16string_view text, std::u16string& note);
