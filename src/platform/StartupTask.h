#pragma once
// The task that starts a portable copy when the user who switched autorun on
// signs in. A program that asks for administrator rights is not started from
// a Run value at sign-in (UAC blocks it), but a scheduler task with the
// highest run level is. Each user has a task of their own, named by the
// user's SID, so that one user's switch never takes over or removes another's.
// Since the task hands full rights to whatever program is at its path, it is
// only made for a program that no standard user can replace.

#include "lanvoy_names.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the task starts.
struct StartupTaskDefinition {
    std::u16string program;        // full path of the executable
    std::u16string arguments;
    std::u16string workingFolder;

    bool operator==(const StartupTaskDefinition&) const = default;
};

// One entry of a file's or folder's access list, as the system holds it.
struct AccessEntry {
    bool allows = true;        // false: a deny entry
    std::u16string sid;        // "S-1-5-32-545"
    std::uint32_t rights = 0;  // the access mask, generic bits as stored
    bool inheritOnly = false;  // for what is made inside, not the object itself

    bool operator==(const AccessEntry&) const = default;
};
using AccessList = std::vector<AccessEntry>;

class IStartupTask {
public:
    virtual ~IStartupTask() = default;
    // Creates the task or replaces one of the same name; false when the
    // scheduler refused (no rights, the service not running).
    virtual bool Register(const StartupTaskDefinition& definition) = 0;
    // Deletes the task; a missing task counts as removed.
    virtual bool Remove() = 0;
    // Whether the signed-in user's task is there, enabled, for that user, and
    // starts what the definition says; false also when the scheduler cannot tell.
    virtual bool Starts(const StartupTaskDefinition& definition) = 0;
    // The access list of a file or folder; nothing when it cannot be read.
    virtual std::optional<AccessList> Access(const std::u16string& path) = 0;
    // The SID of the user the task is for; empty when the system cannot tell.
    virtual std::u16string User() = 0;
};

// Earlier versions' one task for the whole machine; the installers remove it.
inline const std::u16string kStartupTaskName = u"" LANVOY_TASK_NAME;

// The task of the user with this SID, in the scheduler's root folder.
std::u16string StartupTaskName(const std::u16string& prefix, const std::u16string& sid);

// The task in the scheduler's XML schema: a logon trigger for `user` (a SID
// or "DOMAIN\name"), run by that user with the highest rights, no run-time
// limit, started and kept on battery.
std::u16string StartupTaskXml(const StartupTaskDefinition& definition, const std::u16string& user);

// Whether an entry lets someone other than SYSTEM, the Administrators, the
// installer service or `user` change the file or folder, or add files to it
// (a DLL beside the program is loaded with its rights). The task's own user
// gains nothing: the task starts the program with that user's own highest
// rights. Deny entries are not counted: which groups a token holds is not
// known here, so an allowed write counts whatever else the list says.
bool WritableByNonAdministrators(const AccessList& list, const std::u16string& user);
