#pragma once
// What the program asks the shell to open (Notepad with the log, the help
// viewer) and the shortcuts it puts on the desktop, as data, behind an
// interface so tests can read the requests.

#include <string>

struct ShellRequest {
    std::u16string verb;
    std::u16string file;
    std::u16string parameters;

    bool operator==(const ShellRequest&) const = default;
};

// One shell link file and what it starts.
struct ShortcutRequest {
    std::u16string linkPath;       // the .lnk file, full path
    std::u16string target;         // the program it starts
    std::u16string arguments;      // passed as they are, leading blank included
    std::u16string workingFolder;
    std::u16string iconPath;
    int iconIndex = 0;

    bool operator==(const ShortcutRequest&) const = default;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Shown normally, no working folder; false when the shell refused.
    virtual bool Open(const ShellRequest& request) = 0;
    // The user's desktop folder without a trailing separator (a drive root
    // keeps its own); empty when the shell cannot name it.
    virtual std::u16string DesktopFolder() = 0;
    // Writes the link file, replacing one of the same path; false when no
    // link was written.
    virtual bool CreateShortcut(const ShortcutRequest& request) = 0;
};
