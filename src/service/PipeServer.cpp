#include "service/PipeServer.h"

#include "platform/WideText.h"

#include <sddl.h>

#include <cstdlib>

namespace {

constexpr DWORD kPipeBufferBytes = 4096;

// The user of the thread's impersonation token, "DOMAIN\name".
std::u16string ThreadUser()
{
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
        return {};
    std::u16string user;
    BYTE buffer[256];
    DWORD size = 0;
    if (GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size)) {
        wchar_t name[256];
        wchar_t domain[256];
        DWORD nameChars = ARRAYSIZE(name);
        DWORD domainChars = ARRAYSIZE(domain);
        SID_NAME_USE use;
        if (LookupAccountSidW(nullptr, reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, name, &nameChars, domain,
                              &domainChars, &use))
            user = FromWide(domain) + u"\\" + FromWide(name);
    }
    CloseHandle(token);
    return user;
}

}  // namespace

CPipeServer::CPipeServer(CRequestHandler& handler, std::u16string pipeName, std::u16string sddl,
                         PipeDeadlines deadlines)
    : handler(handler), pipeName(std::move(pipeName)), sddl(std::move(sddl)), deadlines(deadlines)
{
}

CPipeServer::~CPipeServer()
{
    Stop();
}

DWORD CPipeServer::Start()
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(Wide(sddl), SDDL_REVISION_1, &descriptor, nullptr))
        return GetLastError();
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    DWORD error = 0;
    for (int i = 0; i < kWorkers && error == 0; ++i) {
        const DWORD first = i == 0 ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0;
        HANDLE pipe = CreateNamedPipeW(Wide(pipeName), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | first,
                                       PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                       kWorkers, kPipeBufferBytes, kPipeBufferBytes, 0, &attributes);
        if (pipe == INVALID_HANDLE_VALUE)
            error = GetLastError();
        else
            pipes.push_back(pipe);
    }
    LocalFree(descriptor);
    if (error == 0) {
        stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!stop)
            error = GetLastError();
    }
    if (error != 0) {
        Stop();
        return error;
    }
    for (HANDLE pipe : pipes)
        workers.emplace_back([this, pipe] { Serve(pipe); });
    return 0;
}

void CPipeServer::Stop()
{
    if (stop)
        SetEvent(stop);
    for (auto& worker : workers)
        worker.join();
    workers.clear();
    for (HANDLE pipe : pipes)
        CloseHandle(pipe);
    pipes.clear();
    if (stop)
        CloseHandle(stop);
    stop = nullptr;
}

CPipeServer::Wait CPipeServer::Complete(HANDLE pipe, OVERLAPPED& overlapped, BOOL started, DWORD deadlineMs,
                                        DWORD* bytes)
{
    *bytes = 0;
    if (!started) {
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED)
            return Wait::kDone;
        if (error != ERROR_IO_PENDING && error != ERROR_MORE_DATA)
            return Wait::kFailed;
    }
    const HANDLE events[] = {overlapped.hEvent, stop};
    const DWORD waited = WaitForMultipleObjects(2, events, FALSE, deadlineMs);
    if (waited != WAIT_OBJECT_0) {
        // The operation must be over before its buffer and event go.
        CancelIoEx(pipe, &overlapped);
        GetOverlappedResult(pipe, &overlapped, bytes, TRUE);
        return waited == WAIT_OBJECT_0 + 1 ? Wait::kStopped : Wait::kTimedOut;
    }
    if (GetOverlappedResult(pipe, &overlapped, bytes, FALSE) || GetLastError() == ERROR_MORE_DATA)
        return Wait::kDone;
    return Wait::kFailed;
}

void CPipeServer::Serve(HANDLE pipe)
{
    HANDLE io = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!io)
        return;
    while (WaitForSingleObject(stop, 0) != WAIT_OBJECT_0) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = io;
        ResetEvent(io);
        DWORD bytes = 0;
        // Waiting for a client is no stage of a connection: no deadline.
        const Wait connected = Complete(pipe, overlapped, ConnectNamedPipe(pipe, &overlapped), INFINITE, &bytes);
        if (connected == Wait::kStopped)
            break;
        if (connected == Wait::kDone)
            Converse(pipe, io);
        DisconnectNamedPipe(pipe);
    }
    CloseHandle(io);
}

void CPipeServer::Converse(HANDLE pipe, HANDLE io)
{
    // One byte more than a message may have tells an oversized one.
    std::vector<std::uint8_t> request(kMaxMessageBytes + 1);
    OVERLAPPED overlapped{};
    overlapped.hEvent = io;
    ResetEvent(io);
    DWORD bytes = 0;
    BOOL started = ReadFile(pipe, request.data(), static_cast<DWORD>(request.size()), nullptr, &overlapped);
    if (Complete(pipe, overlapped, started, deadlines.readMs, &bytes) != Wait::kDone)
        return;

    const ClientIdentity client = Identify(pipe);
    const std::vector<std::uint8_t> answer = handler.Handle(request.data(), bytes, client);

    overlapped = OVERLAPPED{};
    overlapped.hEvent = io;
    ResetEvent(io);
    started = WriteFile(pipe, answer.data(), static_cast<DWORD>(answer.size()), nullptr, &overlapped);
    if (Complete(pipe, overlapped, started, deadlines.writeMs, &bytes) != Wait::kDone)
        return;

    // Disconnecting drops an answer the client has not read yet: wait for it
    // to close its end. Whatever else it sends is read and dropped.
    const ULONGLONG end = GetTickCount64() + deadlines.writeMs;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        overlapped = OVERLAPPED{};
        overlapped.hEvent = io;
        ResetEvent(io);
        started = ReadFile(pipe, request.data(), static_cast<DWORD>(request.size()), nullptr, &overlapped);
        if (Complete(pipe, overlapped, started, static_cast<DWORD>(end - now), &bytes) != Wait::kDone)
            break;
    }
}

ClientIdentity CPipeServer::Identify(HANDLE pipe)
{
    ClientIdentity client;
    ULONG processId = 0;
    if (GetNamedPipeClientProcessId(pipe, &processId))
        client.processId = processId;
    // The client's token tells its user; it is only read, and only after the
    // client has written, as impersonation requires.
    if (ImpersonateNamedPipeClient(pipe)) {
        client.user = ThreadUser();
        // Going on with a client's rights would be worse than ending.
        if (!RevertToSelf())
            std::abort();
    }
    return client;
}
