#pragma once

#include "platform/StartupTask.h"

// The signed-in user's task in the root folder of the Task Scheduler (2.0
// interface). The user is the one signed in to the process's session, not the
// user of its token: a standard user who elevates with an administrator's
// password gets a task for themselves. Registering a task with the highest
// run level needs an elevated process. The calling thread has COM set up.
class CWin32StartupTask : public IStartupTask {
public:
    // prefix: the task's name before the user's SID.
    explicit CWin32StartupTask(std::u16string prefix = kStartupTaskName) : prefix(std::move(prefix)) {}
    bool Register(const StartupTaskDefinition& definition) override;
    bool Remove() override;
    bool Starts(const StartupTaskDefinition& definition) override;
    std::optional<AccessList> Access(const std::u16string& path) override;
    std::u16string User() override { return SessionUserSid(); }

    // The SID of the user signed in to this session, as "S-1-..."; empty when
    // the system cannot tell.
    static std::u16string SessionUserSid();
    // The task's full name for that user; empty when there is none.
    std::u16string TaskName() const;

private:
    std::u16string prefix;
};

// The SID as "S-1-..." of an account named "DOMAIN\name" or by its SID, as
// the scheduler may give a principal back; empty when it is unknown.
std::u16string SidOfAccount(const std::u16string& account);
