#pragma once
// The command line of one start: what kind of run it is. Switches are found
// anywhere in the text after the program's name, once it is lower-cased.

#include <string>
#include <string_view>

struct CommandLine {
    std::u16string applyId;  // "-n" and a profile number: apply it and end
    bool hide = false;       // "-hide": start with only the tray icon
    bool debug = false;      // "-debug": write the diagnostic log
};

CommandLine ParseCommandLine(std::u16string_view text);

// What a run that applies a profile shows, and the exit code it ends with, so
// that a script can tell the two apart.
struct ApplyRunOutcome {
    std::u16string message;
    int exitCode = 0;
};

ApplyRunOutcome ApplyRunResult(bool applied);
