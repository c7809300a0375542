#pragma once
// Where the running program lives and works.

#include <string>

// The executable's full path.
std::u16string ExecutablePath();

// The process's current directory, without a trailing separator.
std::u16string CurrentDirectory();
