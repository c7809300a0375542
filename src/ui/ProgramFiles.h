#pragma once
// The program's own files, all beside the executable. Their full paths are
// made once at start-up and passed down, so that nothing depends on the
// current folder, which a file dialog or another program may move.

#include <string>

struct ProgramFiles {
    std::u16string folder;        // the executable's folder, no trailing separator
    std::u16string config;        // "lanvoy.cfg"
    std::u16string settingsCopy;  // "config.xml", written after the settings dialog
    std::u16string systemLog;     // "system.log"
    std::u16string debugLog;      // "debug.log"
    std::u16string manual;        // the help file
    std::u16string versionFile;   // "lanvoy.version", the update check's download
};

ProgramFiles ProgramFilesBeside(const std::u16string& executablePath);

// A path as one argument of a command line: quoted when it holds a blank.
std::u16string CommandLineArgument(const std::u16string& path);
