#include "service/EventLog.h"

#include "text/DecimalText.h"

namespace {

std::u16string Who(const ClientIdentity& client)
{
    return u"Process " + DecimalText(client.processId) + u" (user " +
           (client.user.empty() ? std::u16string(u"unknown") : client.user) + u")";
}

std::u16string What(const ServiceRequest& request)
{
    const std::u16string dns = request.dns.empty() ? u"none" : JoinDnsList(request.dns);
    switch (request.kind) {
    case RequestKind::kApplyStatic:
        return u"to set adapter " + request.adapterId + u" to IP address " + request.ip + u", mask " + request.mask +
               u", gateway " + (request.gateway.empty() ? u"none" : request.gateway) + u", DNS " + dns;
    case RequestKind::kApplyDhcp:
        return u"to set adapter " + request.adapterId + u" to DHCP, DNS " + dns;
    case RequestKind::kEnable:
        return u"to enable adapter " + request.adapterId;
    case RequestKind::kDisable:
        return u"to disable adapter " + request.adapterId;
    case RequestKind::kStatus:
        break;
    }
    return u"for the service's status";
}

}  // namespace

std::u16string RequestEventText(const ClientIdentity& client, const ServiceRequest& request, IpcError outcome)
{
    return Who(client) + u" asked " + What(request) + u": " + IpcErrorText(outcome, TextLanguage::kEnglish) + u".";
}

std::u16string RefusalEventText(const ClientIdentity& client, IpcError error)
{
    return Who(client) + u" sent a request that was refused: " + IpcErrorText(error, TextLanguage::kEnglish) + u".";
}

EventType OutcomeEventType(IpcError outcome)
{
    return outcome == IpcError::kOk ? EventType::kInformation : EventType::kWarning;
}
