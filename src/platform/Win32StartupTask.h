#pragma once

#include "platform/StartupTask.h"

// The task in the root folder of the Task Scheduler (2.0 interface), for the
// user the process runs as. Registering a task with the highest run level
// needs an elevated process. The calling thread has COM set up.
class CWin32StartupTask : public IStartupTask {
public:
    explicit CWin32StartupTask(std::u16string name = kStartupTaskName) : name(std::move(name)) {}
    bool Register(const StartupTaskDefinition& definition) override;
    bool Remove() override;
    bool Starts(const StartupTaskDefinition& definition) override;

    // The process's user as "DOMAIN\name"; empty when the system cannot name it.
    static std::u16string CurrentUser();

private:
    std::u16string name;
};
