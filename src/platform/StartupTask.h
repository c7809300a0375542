#pragma once
// The task that starts the program when the user who switched autorun on
// signs in. A program that asks for administrator rights is not started from
// a Run value at sign-in (UAC blocks it), but a scheduler task with the
// highest run level is.

#include <string>

// What the task starts.
struct StartupTaskDefinition {
    std::u16string program;        // full path of the executable
    std::u16string arguments;
    std::u16string workingFolder;

    bool operator==(const StartupTaskDefinition&) const = default;
};

class IStartupTask {
public:
    virtual ~IStartupTask() = default;
    // Creates the task or replaces one of the same name; false when the
    // scheduler refused (no rights, the service not running).
    virtual bool Register(const StartupTaskDefinition& definition) = 0;
    // Deletes the task; a missing task counts as removed.
    virtual bool Remove() = 0;
    // Whether the task is there and starts what the definition says; false
    // also when the scheduler cannot tell.
    virtual bool Starts(const StartupTaskDefinition& definition) = 0;
};

// The program's task, in the scheduler's root folder.
inline const std::u16string kStartupTaskName = u"Lanvoy(CORVELL STUDIO)";

// The task in the scheduler's XML schema: a logon trigger for `user`
// ("DOMAIN\name"), run by that user with the highest rights, no run-time
// limit, started and kept on battery.
std::u16string StartupTaskXml(const StartupTaskDefinition& definition, const std::u16string& user);
