#include "ipc/ServiceClient.h"

#include "platform/ProductNames.h"
#include "platform/WideText.h"
#include "text/DecimalText.h"

#include <windows.h>

namespace {

// Read and write data and attributes (the read mode is an attribute): no
// more than the pipe grants interactive users.
constexpr DWORD kPipeRights = FILE_READ_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES |
                              SYNCHRONIZE;
static_assert(kPipeRights == 0x100183);

class CHandle {
public:
    explicit CHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle(handle) {}
    ~CHandle()
    {
        if (handle != INVALID_HANDLE_VALUE && handle != nullptr)
            CloseHandle(handle);
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    HANDLE Get() const { return handle; }

private:
    HANDLE handle;
};

class CDeadline {
public:
    explicit CDeadline(DWORD ms) : end(GetTickCount64() + ms) {}
    DWORD Left() const
    {
        const ULONGLONG now = GetTickCount64();
        return now >= end ? 0 : static_cast<DWORD>(end - now);
    }

private:
    ULONGLONG end;
};

// The service's process as the service manager knows it; 0 when it does not run.
DWORD ServiceProcessId(const std::u16string& serviceName)
{
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return 0;
    DWORD processId = 0;
    if (SC_HANDLE service = OpenServiceW(manager, Wide(serviceName), SERVICE_QUERY_STATUS)) {
        SERVICE_STATUS_PROCESS status{};
        DWORD size = 0;
        if (QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof(status),
                                 &size) &&
            status.dwCurrentState == SERVICE_RUNNING)
            processId = status.dwProcessId;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return processId;
}

// Opens the pipe, waiting for a free instance until the deadline; a pipe
// that does not exist fails at once.
IpcError OpenPipe(const std::u16string& pipeName, const CDeadline& deadline, HANDLE* pipe)
{
    for (;;) {
        // Identification only: the service may learn who we are, not act as us.
        *pipe = CreateFileW(Wide(pipeName), kPipeRights, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
        if (*pipe != INVALID_HANDLE_VALUE)
            return IpcError::kOk;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return IpcError::kNoService;
        if (error != ERROR_PIPE_BUSY || deadline.Left() == 0)
            return IpcError::kTransportFailed;
        WaitNamedPipeW(Wide(pipeName), deadline.Left());
        if (deadline.Left() == 0)
            return IpcError::kTransportFailed;
    }
}

// One overlapped read or write, cancelled at the deadline.
bool Transfer(HANDLE pipe, bool write, void* buffer, DWORD size, const CDeadline& deadline, DWORD* bytes)
{
    CHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event.Get())
        return false;
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    const BOOL started =
        write ? WriteFile(pipe, buffer, size, nullptr, &overlapped) : ReadFile(pipe, buffer, size, nullptr, &overlapped);
    if (!started && GetLastError() != ERROR_IO_PENDING)
        return false;
    if (WaitForSingleObject(event.Get(), deadline.Left()) != WAIT_OBJECT_0) {
        CancelIoEx(pipe, &overlapped);
        GetOverlappedResult(pipe, &overlapped, bytes, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe, &overlapped, bytes, FALSE) != FALSE;
}

}  // namespace

CServiceClient::CServiceClient() : CServiceClient(kServicePipeName, kServiceName) {}

CServiceClient::CServiceClient(std::u16string pipeName, std::u16string serviceName)
    : pipeName(std::move(pipeName)), serviceName(std::move(serviceName))
{
}

IpcError CServiceClient::Send(const ServiceRequest& request, std::uint32_t deadlineMs, ServiceAnswer* answer,
                              ServerIdentity* server)
{
    std::vector<std::uint8_t> bytes;
    if (!EncodeRequest(request, &bytes))
        return IpcError::kUnencodable;
    const CDeadline deadline(deadlineMs);
    HANDLE opened = INVALID_HANDLE_VALUE;
    const IpcError opening = OpenPipe(pipeName, deadline, &opened);
    if (opening != IpcError::kOk)
        return opening;
    CHandle pipe(opened);

    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr))
        return IpcError::kTransportFailed;
    ULONG serverId = 0;
    if (!GetNamedPipeServerProcessId(pipe.Get(), &serverId))
        serverId = 0;
    const ServerIdentity identity = CheckServerProcess(serverId, ServiceProcessId(serviceName));
    if (server)
        *server = identity;
    if (identity == ServerIdentity::kNotService)
        return IpcError::kNotTheService;

    DWORD done = 0;
    if (!Transfer(pipe.Get(), true, bytes.data(), static_cast<DWORD>(bytes.size()), deadline, &done) ||
        done != bytes.size())
        return IpcError::kTransportFailed;
    std::vector<std::uint8_t> reply(kMaxMessageBytes);
    if (!Transfer(pipe.Get(), false, reply.data(), static_cast<DWORD>(reply.size()), deadline, &done))
        return IpcError::kTransportFailed;
    if (!ReadAnswer(reply.data(), done, answer))
        return IpcError::kBadAnswer;
    return answer->code;
}

bool CServiceClient::Status(ServiceStatus* status)
{
    *status = ServiceStatus{};
    ServiceRequest request;
    request.kind = RequestKind::kStatus;
    ServiceAnswer answer;
    if (Send(request, kStatusDeadlineMs, &answer, &status->server) != IpcError::kOk)
        return false;
    status->answered = true;
    status->version = DecimalText(answer.major) + u"." + DecimalText(answer.minor) + u"." + DecimalText(answer.patch);
    status->served = answer.served;
    return true;
}

bool CServiceAdapterChanger::Change(const ServiceRequest& request)
{
    ServiceAnswer answer;
    lastError = client.Send(request, CServiceClient::kChangeDeadlineMs, &answer);
    return lastError == IpcError::kOk;
}

bool CServiceAdapterChanger::ApplyStatic(const std::u16string& adapterId, const std::u16string& ip,
                                         const std::u16string& mask, const std::u16string& gateway,
                                         const std::u16string& dns)
{
    return Change({RequestKind::kApplyStatic, adapterId, ip, mask, gateway, SplitDnsList(dns)});
}

bool CServiceAdapterChanger::ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns)
{
    return Change({RequestKind::kApplyDhcp, adapterId, u"", u"", u"", SplitDnsList(dns)});
}

bool CServiceAdapterChanger::SetAdapterEnabled(const std::u16string& adapterId, bool enable)
{
    return Change({enable ? RequestKind::kEnable : RequestKind::kDisable, adapterId, u"", u"", u"", {}});
}
