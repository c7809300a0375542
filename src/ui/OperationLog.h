#pragma once
// The two logs a user reads with Notepad: "system.log", what was done to the
// profiles and the network, and "debug.log", start-up facts of a "-debug" run.
// Both are UTF-16LE text with a byte-order mark; each entry opens and closes
// its file, so a log can be read or deleted between entries.

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

#include <mutex>
#include <string>
#include <string_view>

class COperationLog {
public:
    // The two files by their full paths.
    COperationLog(IFileSystem& files, IClock& clock, std::u16string systemLogPath, std::u16string debugLogPath);

    // Each writes one entry when its switch is on and does nothing otherwise;
    // an entry that cannot be written is dropped. Safe from several threads:
    // the update worker writes while the window does.
    void WriteSystemLog(std::u16string_view text, bool logFlag);
    void WriteDebugLog(std::u16string_view text, bool debug);

private:
    void Write(const std::u16string& path, const std::u16string& entry);

    IFileSystem& files;
    IClock& clock;
    std::u16string systemLogPath;
    std::u16string debugLogPath;
    std::mutex writing;
};

// The view-log command: Notepad of the system folder, by its full path, with
// the operation log.
ShellRequest ViewLogRequest(const std::u16string& systemLogPath, const std::u16string& systemFolder);
