#pragma once
// Whether the server end of the pipe is the service's process, so that a
// program that took the pipe's name cannot pose as the service.

#include <cstdint>

enum class ServerIdentity {
    kService,     // the same process the service manager runs
    kNotService,  // another process, or no service running
    kCannotTell,  // the pipe does not say which process serves it
};

// `pipeServerPid` as the pipe reports its server, `servicePid` as the service
// manager reports the running service; 0 for either means it gave none.
inline ServerIdentity CheckServerProcess(std::uint32_t pipeServerPid, std::uint32_t servicePid)
{
    // A pipe with no running service behind it is someone else's.
    if (servicePid == 0)
        return ServerIdentity::kNotService;
    // 0 says nothing about the server: never take it as a match.
    if (pipeServerPid == 0)
        return ServerIdentity::kCannotTell;
    return pipeServerPid == servicePid ? ServerIdentity::kService : ServerIdentity::kNotService;
}
