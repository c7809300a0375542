#pragma once
// Where the service records who asked it for what, and how it went: the
// Application event log on Windows (Win32EventLog.h), a list in tests.

#include "ipc/Wire.h"

#include <cstdint>
#include <string>

enum class EventType { kInformation, kWarning, kError };

class IEventLog {
public:
    virtual ~IEventLog() = default;
    virtual void Report(EventType type, const std::u16string& text) = 0;
};

// Who sent a request: its process and, learnt by impersonating it, its user
// ("DOMAIN\name"; empty when it could not be learnt).
struct ClientIdentity {
    std::uint32_t processId = 0;
    std::u16string user;
};

// The record of one request the service read and checked. Only the service's
// own words and checked fields go in, never bytes a client sent unchecked.
std::u16string RequestEventText(const ClientIdentity& client, const ServiceRequest& request, IpcError outcome);
// The record of a request refused before it could be read.
std::u16string RefusalEventText(const ClientIdentity& client, IpcError error);
// What a change is recorded as: a completed change is information, anything else a warning.
EventType OutcomeEventType(IpcError outcome);
