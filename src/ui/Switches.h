#pragma once
// The settings dialog's three switches: read from the store when it opens,
// written back, to the file and to the sign-in task, when the user confirms.

#include "platform/MessageBox.h"
#include "store/ProfileStore.h"

struct SystemSwitches {
    bool autoExec = false;    // start with Windows
    bool autoUpdate = false;  // check for updates at start
    bool logFlag = false;     // write the operation log

    bool operator==(const SystemSwitches&) const = default;
};

SystemSwitches ReadSwitches(const CProfileStore& store);

// Sets the store's switches, rewrites SYSCONFIG and saves the file, then
// registers or removes the sign-in task, also when nothing changed. The result
// is the file save's; a failed save is told to the user, since the next start
// would read the old switches, and so is a task the scheduler refused. The
// switches stay set in memory either way and go out with the next save that
// succeeds.
int SaveSwitches(CProfileStore& store, const SystemSwitches& switches, IMessageBox& messages);
