#pragma once
// Carries out one checked change request on the adapters, as this process
// would apply it itself: the same registry values, DHCP notification and
// adapter restart.

#include "ipc/Wire.h"
#include "net/NetPlatform.h"

#include <string>
#include <vector>

class CRequestExecutor {
public:
    explicit CRequestExecutor(const NetPlatform& platform) : platform(platform) {}

    // kOk when made; kUnknownAdapter when the GUID is not an Ethernet adapter
    // of the inventory as it is now (then nothing is written); kChangeFailed
    // when the adapter layer failed. A status request is no change: kUnknownKind.
    // What the inventory could not read on the way, in the system's words,
    // goes into *failures for the caller to record: a service shows nothing.
    IpcError Execute(const ServiceRequest& request, std::vector<std::u16string>* failures);

private:
    NetPlatform platform;
};
