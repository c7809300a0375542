#pragma once
// The platform's side of file access: opening by a UTF-16 path, the file
// size, and the text of the last error.

#include <cstdint>
#include <cstdio>
#include <string>

// Opens in binary mode, for reading or for writing (created or truncated).
std::FILE* OpenBinaryFile(const std::u16string& path, bool forWriting);

// The size of an open file, or -1.
std::int64_t OpenFileSize(std::FILE* file);

// The system's message for the last failure, one line of at most 100 characters.
std::u16string LastErrorText();
