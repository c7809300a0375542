#include "service/RequestHandler.h"

std::vector<std::uint8_t> CRequestHandler::Handle(const std::uint8_t* data, std::size_t size,
                                                  const ClientIdentity& client)
{
    ServiceRequest request;
    const IpcError error = ReadRequest(data, size, &request);
    if (error != IpcError::kOk) {
        log.Report(EventType::kWarning, RefusalEventText(client, error));
        return Answer(error);
    }
    if (request.kind == RequestKind::kStatus)
        return Answer(IpcError::kOk);
    const IpcError outcome = Change(request);
    log.Report(OutcomeEventType(outcome), RequestEventText(client, request, outcome));
    return Answer(outcome);
}

IpcError CRequestHandler::Change(const ServiceRequest& request)
{
    // Two changes at once could interleave their writes and restarts.
    std::unique_lock<std::timed_mutex> lock(changing, changeWait);
    if (!lock.owns_lock())
        return IpcError::kBusy;
    std::vector<std::u16string> failures;
    const IpcError outcome = executor.Execute(request, &failures);
    for (const std::u16string& failure : failures)
        log.Report(EventType::kWarning, u"The adapter layer reported: " + failure);
    return outcome;
}

std::vector<std::uint8_t> CRequestHandler::Answer(IpcError code)
{
    ServiceAnswer answer;
    answer.code = code;
    answer.served = ++served;
    answer.major = version.major;
    answer.minor = version.minor;
    answer.patch = version.patch;
    answer.text = IpcErrorText(code, TextLanguage::kChinese);
    return EncodeAnswer(answer);
}
