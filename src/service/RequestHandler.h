#pragma once
// One connection's request in, its answer out: read and check the bytes,
// carry out a change one at a time, record it, count it. Called from
// several pipe workers at once.

#include "service/EventLog.h"
#include "service/RequestExecutor.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

struct ServiceVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t patch = 0;
};

class CRequestHandler {
public:
    // A change waits at most `changeWait` for the one before it to end, then
    // is answered kBusy.
    CRequestHandler(CRequestExecutor& executor, IEventLog& log, ServiceVersion version,
                    std::chrono::milliseconds changeWait)
        : executor(executor), log(log), version(version), changeWait(changeWait)
    {
    }

    // The answer's bytes for the request's bytes; `size` may exceed
    // kMaxMessageBytes to say that the message was longer than was read.
    std::vector<std::uint8_t> Handle(const std::uint8_t* data, std::size_t size, const ClientIdentity& client);

    // Requests answered so far, refused ones included.
    std::uint32_t Served() const { return served.load(); }

private:
    IpcError Change(const ServiceRequest& request);
    std::vector<std::uint8_t> Answer(IpcError code);

    CRequestExecutor& executor;
    IEventLog& log;
    const ServiceVersion version;
    const std::chrono::milliseconds changeWait;
    std::timed_mutex changing;
    std::atomic<std::uint32_t> served{0};
};
