#pragma once
// Carries out one checked change request on the adapters, as this process
// would apply it itself: the same registry values, DHCP notification and
// adapter restart.

#include "ipc/Wire.h"
#include "net/NetPlatform.h"

class CRequestExecutor {
public:
    explicit CRequestExecutor(const NetPlatform& platform) : platform(platform) {}

    // kOk when made; kUnknownAdapter when the GUID is not an Ethernet adapter
    // of the inventory as it is now (then nothing is written); kChangeFailed
    // when the adapter layer failed. A status request is no change: kUnknownKind.
    IpcError Execute(const ServiceRequest& request);

private:
    NetPlatform platform;
};
