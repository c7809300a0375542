// libFuzzer target: the service's request reader and its checks on any
// bytes, and the client's answer reader. The reader may refuse anything, but
// what it takes must be exactly what the encoder makes of the request it
// read: no two byte strings mean one request, and no field check is skipped.

#include "ipc/FieldChecks.h"
#include "ipc/Wire.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ServiceRequest request;
    if (ReadRequest(data, size, &request) == IpcError::kOk) {
        std::vector<std::uint8_t> again;
        if (!EncodeRequest(request, &again) || again.size() != size ||
            !std::equal(again.begin(), again.end(), data))
            std::abort();
        const bool change = request.kind != RequestKind::kStatus;
        if (change != IsAdapterGuid(request.adapterId))
            std::abort();
        if (request.kind == RequestKind::kApplyStatic &&
            (!IsHostAddress(request.ip) || !IsSubnetMask(request.mask) ||
             (!request.gateway.empty() && !IsHostAddress(request.gateway))))
            std::abort();
        if (request.dns.size() > kMaxDnsServers)
            std::abort();
        for (const auto& server : request.dns) {
            if (!IsHostAddress(server))
                std::abort();
        }
    }

    ServiceAnswer answer;
    if (ReadAnswer(data, size, &answer)) {
        const std::vector<std::uint8_t> again = EncodeAnswer(answer);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data))
            std::abort();
    }
    return 0;
}
