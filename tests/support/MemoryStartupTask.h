#pragma once
// The sign-in task as a slot in memory, with a switch that makes the
// scheduler refuse every change.

#include "platform/StartupTask.h"

#include <optional>

class CMemoryStartupTask : public IStartupTask {
public:
    bool Register(const StartupTaskDefinition& definition) override
    {
        ++changes;
        if (refuse)
            return false;
        task = definition;
        return true;
    }
    bool Remove() override
    {
        ++changes;
        if (refuse)
            return false;
        task.reset();
        return true;
    }

    bool Starts(const StartupTaskDefinition& definition) override { return task == definition; }

    std::optional<StartupTaskDefinition> task;
    bool refuse = false;
    int changes = 0;  // calls of either kind
};
