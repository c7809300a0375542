#pragma once
// Keeps every event the service records, since the real event log cannot be
// read back under Wine.

#include "service/EventLog.h"

#include <mutex>
#include <vector>

class CMemoryEventLog : public IEventLog {
public:
    struct Event {
        EventType type;
        std::u16string text;
    };

    void Report(EventType type, const std::u16string& text) override
    {
        std::lock_guard<std::mutex> lock(guard);
        events.push_back({type, text});
    }

    std::vector<Event> Events()
    {
        std::lock_guard<std::mutex> lock(guard);
        return events;
    }

private:
    std::mutex guard;
    std::vector<Event> events;
};
