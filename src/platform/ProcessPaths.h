#pragma once
// Where the running program lives and works.

#include <string>

// The executable's full path.
std::u16string ExecutablePath();

// The process's current directory, without a trailing separator.
std::u16string CurrentDirectory();

// The folder for all users' program data (%ProgramData%), without a trailing
// separator; empty where there is none.
std::u16string ProgramDataFolder();

// The system's folders that its own programs are started from by full path
// (GetSystemDirectoryW, GetSystemWindowsDirectoryW); empty where there are none.
std::u16string SystemFolder();
std::u16string WindowsFolder();
