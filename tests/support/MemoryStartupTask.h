#pragma once
// The sign-in task as a slot in memory, with a switch that makes the
// scheduler refuse every change, and the access lists of files and folders.

#include "platform/StartupTask.h"

#include <map>
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

    // A path not in `access` has the list of a folder under Program Files.
    std::optional<AccessList> Access(const std::u16string& path) override
    {
        auto found = access.find(path);
        if (found != access.end())
            return found->second;
        return AccessList{{true, u"S-1-5-18", 0x1f01ff}, {true, u"S-1-5-32-544", 0x1f01ff},
                          {true, u"S-1-5-32-545", 0x1200a9}};
    }

    std::u16string User() override { return user; }

    std::optional<StartupTaskDefinition> task;
    std::u16string user = u"S-1-5-21-1004336348-1177238915-682003330-1001";    std::map<std::u16string, std::optional<AccessList>> access;  // nothing: cannot be read
    bool refuse = false;
    int changes = 0;  // calls of either kind
};
