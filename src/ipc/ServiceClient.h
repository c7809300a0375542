#pragma once
// The window's side of the service's pipe: one request, one answer per
// connection, each with its deadline. A missing pipe answers at once.

#include "engine/AdapterChanger.h"
#include "ipc/ServerCheck.h"
#include "ipc/Wire.h"

#include <cstdint>
#include <string>

struct ServiceStatus {
    bool answered = false;
    std::u16string version;  // "2.2.0"
    std::uint32_t served = 0;
    // kService when the pipe's server is the service's process; kCannotTell
    // when the pipe does not say (under Wine it never does).
    ServerIdentity server = ServerIdentity::kNotService;
};

class CServiceClient {
public:
    static constexpr std::uint32_t kStatusDeadlineMs = 5000;
    // A change may wait for another and restart an adapter.
    static constexpr std::uint32_t kChangeDeadlineMs = 60000;

    CServiceClient();
    // Another pipe and service, for tests.
    CServiceClient(std::u16string pipeName, std::u16string serviceName);

    // True when the service answered, with its version and count.
    bool Status(ServiceStatus* status);

    // kOk with the answer, the service's error code with its answer, or a
    // code of the client's own: kNoService, kNotTheService,
    // kTransportFailed, kBadAnswer, kUnencodable.
    IpcError Send(const ServiceRequest& request, std::uint32_t deadlineMs, ServiceAnswer* answer,
                  ServerIdentity* server = nullptr);

private:
    std::u16string pipeName;
    std::u16string serviceName;
};

// Adapter changes made by the service. Any failure, of the exchange or of
// the change, is false, never success; LastError() tells which.
class CServiceAdapterChanger : public IAdapterChanger {
public:
    explicit CServiceAdapterChanger(CServiceClient& client) : client(client) {}

    bool ApplyStatic(const std::u16string& adapterId, const std::u16string& ip, const std::u16string& mask,
                     const std::u16string& gateway, const std::u16string& dns) override;
    bool ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns) override;
    bool SetAdapterEnabled(const std::u16string& adapterId, bool enable) override;
    // The service records its inventory's failures in its own event log.
    std::vector<std::u16string> Failures() const override { return {}; }

    IpcError LastError() const { return lastError; }

private:
    bool Change(const ServiceRequest& request);

    CServiceClient& client;
    IpcError lastError = IpcError::kOk;
};
