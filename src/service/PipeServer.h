#pragma once
// The service's named pipe: a few instances, each served by its own worker
// with overlapped I/O, one request and one answer per connection. Each stage
// of a connection has its deadline, so a silent or slow client holds up only
// its own worker, and never for long.

#include "service/RequestHandler.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

struct PipeDeadlines {
    DWORD readMs = 2000;   // from the connection to the whole request
    DWORD writeMs = 2000;  // from the answer to the client closing its end
};

class CPipeServer {
public:
    static constexpr int kWorkers = 4;

    CPipeServer(CRequestHandler& handler, std::u16string pipeName, std::u16string sddl, PipeDeadlines deadlines);
    ~CPipeServer();
    CPipeServer(const CPipeServer&) = delete;
    CPipeServer& operator=(const CPipeServer&) = delete;

    // Creates every instance, the first one only if nobody holds the name yet,
    // and starts the workers: 0, or the system error code and nothing runs.
    DWORD Start();
    // Ends every worker, cancelling what each waits for.
    void Stop();

private:
    enum class Wait { kDone, kFailed, kTimedOut, kStopped };

    void Serve(HANDLE pipe);
    void Converse(HANDLE pipe, HANDLE io);
    Wait Complete(HANDLE pipe, OVERLAPPED& overlapped, BOOL started, DWORD deadlineMs, DWORD* bytes);
    ClientIdentity Identify(HANDLE pipe);

    CRequestHandler& handler;
    const std::u16string pipeName;
    const std::u16string sddl;
    const PipeDeadlines deadlines;
    HANDLE stop = nullptr;
    std::vector<HANDLE> pipes;
    std::vector<std::thread> workers;
};
