#pragma once
// The program's own files. A portable copy keeps them all beside the
// executable; an installed copy, whose folder a standard user cannot write,
// keeps what it writes in the data folder the installer made and only the
// manual beside the executable. Their full paths are made once at start-up and
// passed down, so that nothing depends on the current folder, which a file
// dialog or another program may move.

#include "platform/Registry.h"

#include <functional>
#include <string>

struct ProgramFiles {
    std::u16string folder;        // the executable's folder, no trailing separator
    std::u16string dataFolder;    // where the files below live, no trailing separator
    bool installed = false;       // the copy the installer recorded, not a portable one
    std::u16string config;        // "lanvoy.cfg"
    std::u16string settingsCopy;  // "config.xml", written after the settings dialog
    std::u16string systemLog;     // "system.log"
    std::u16string debugLog;      // "debug.log"
    std::u16string manual;        // the help file, always beside the executable
    std::u16string versionFile;   // "lanvoy.version", the update check's download
};

// What the installers record of the installed copy under HKEY_LOCAL_MACHINE;
// empty texts when nothing is installed.
struct InstallRecord {
    std::u16string installFolder;  // InstallDir
    std::u16string dataFolder;     // DataDir
};

InstallRecord ReadInstallRecord(IRegistry& machine);

// Whether two folder paths name the same folder: letters of either case,
// either separator, trailing separators left out.
bool SameFolder(const std::u16string& a, const std::u16string& b);

// A portable copy with this folder beside it keeps its files there instead.
// Scoop replaces the program's folder on every update and keeps one folder
// (a junction to its persisted copy): a file kept alone would be a hard link,
// which the save (a new file put in the old one's place) cuts off.
inline const std::u16string kPortableDataFolder = u"data";

using FolderExists = std::function<bool(const std::u16string& path)>;

// The files of the copy at executablePath. Only the executable in the recorded
// installation folder is the installed copy; every other copy is portable and
// keeps everything beside itself, or in kPortableDataFolder when that is there.
// An installed copy without a recorded data folder uses "Lanvoy" in
// programData (%ProgramData%). Without folderExists the file system is asked.
ProgramFiles ProgramFilesFor(const std::u16string& executablePath, const InstallRecord& record,
                             const std::u16string& programData, const FolderExists& folderExists = {});
// Everything beside the program, whatever folders are there.
ProgramFiles ProgramFilesBeside(const std::u16string& executablePath);

// A path as one argument of a command line: quoted when it holds a blank.
std::u16string CommandLineArgument(const std::u16string& path);
