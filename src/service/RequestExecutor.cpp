#include "service/RequestExecutor.h"

#include "net/AdapterList.h"

IpcError CRequestExecutor::Execute(const ServiceRequest& request, std::vector<std::u16string>* failures)
{
    if (request.kind == RequestKind::kStatus)
        return IpcError::kUnknownKind;
    CAdapterList adapters(platform);
    adapters.Refresh();
    *failures = adapters.Failures();
    // The inventory lists Ethernet adapters only.
    if (request.adapterId.empty() || !adapters.Find(request.adapterId))
        return IpcError::kUnknownAdapter;

    const std::u16string dns = JoinDnsList(request.dns);
    std::int32_t done = 0;
    switch (request.kind) {
    case RequestKind::kApplyStatic:
        done = adapters.ApplyStatic(request.adapterId, 0, request.ip, request.mask, request.gateway, dns);
        break;
    case RequestKind::kApplyDhcp:
        done = adapters.ApplyDhcp(request.adapterId, dns);
        break;
    case RequestKind::kEnable:
    case RequestKind::kDisable:
        done = adapters.SetAdapterEnabled(request.kind == RequestKind::kEnable ? 1 : 0, request.adapterId);
        break;
    case RequestKind::kStatus:
        break;
    }
    return done != 0 ? IpcError::kOk : IpcError::kChangeFailed;
}
