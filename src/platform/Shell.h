#pragma once
// What the program asks the shell to open (Notepad with the log, the help
// viewer), as data, behind an interface so tests can read the requests.

#include <string>

struct ShellRequest {
    std::u16string verb;
    std::u16string file;
    std::u16string parameters;

    bool operator==(const ShellRequest&) const = default;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Shown normally, no working folder; false when the shell refused.
    virtual bool Open(const ShellRequest& request) = 0;
};
