#include "platform/Win32Http.h"

#include "platform/WideText.h"
#include "platform/Win32FileHandle.h"

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <string>

namespace {

class CInternetHandle {
public:
    explicit CInternetHandle(HINTERNET handle = nullptr) : handle(handle) {}
    ~CInternetHandle()
    {
        if (handle)
            InternetCloseHandle(handle);
    }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;
    HINTERNET Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

private:
    HINTERNET handle;
};


struct ParsedUrl {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query
    bool secure = false;
};

// Only http and https addresses with a host name are taken.
bool ParseUrl(const std::u16string& url, ParsedUrl& parsed)
{
    if (url.empty() || url.size() > 0xFFFF)
        return false;
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof parts;
    // Non-zero lengths with no buffers: the parts point into the text.
    parts.dwSchemeLength = 1;
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(Wide(url), static_cast<DWORD>(url.size()), 0, &parts))
        return false;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return false;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0)
        return false;
    parsed.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    parsed.port = parts.nPort;
    parsed.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (parts.lpszUrlPath && parts.dwUrlPathLength)
        parsed.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parsed.object.empty())
        parsed.object = L"/";
    if (parts.lpszExtraInfo && parts.dwExtraInfoLength)
        parsed.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    return true;
}

bool WriteAllOf(HANDLE file, const char* bytes, DWORD count)
{
    while (count > 0) {
        DWORD put = 0;
        if (!WriteFile(file, bytes, count, &put, nullptr) || put == 0)
            return false;
        bytes += put;
        count -= put;
    }
    return true;
}

// The length the server announced, or -1 when it announced none.
std::int64_t AnnouncedLength(HINTERNET request)
{
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return -1;
    std::int64_t length = 0;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c < L'0' || *c > L'9' || length > (INT64_MAX - 9) / 10)
            return -1;
        length = length * 10 + (*c - L'0');
    }
    return length;
}

}  // namespace

int CWin32HttpClient::DownloadToFile(const std::u16string& url, const std::u16string& localPath,
                                     DownloadNotice& notice)
{
    notice = DownloadNotice::None;
    CInternetHandle session(InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return 0;

    ParsedUrl target;
    if (!ParseUrl(url, target)) {
        notice = DownloadNotice::BadUrl;
        return 0;
    }

    CInternetHandle connection(InternetConnectW(session.Get(), target.host.c_str(), target.port, nullptr, nullptr,
                                                INTERNET_SERVICE_HTTP, 0, 1));
    if (!connection)
        return 0;

    // A cached copy would hide a new release.
    DWORD flags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (target.secure)
        flags |= INTERNET_FLAG_SECURE;
    CInternetHandle request(
        HttpOpenRequestW(connection.Get(), L"GET", target.object.c_str(), nullptr, nullptr, nullptr, flags, 1));
    if (!request)
        return 0;
    HttpAddRequestHeadersW(request.Get(), L"Accept: text/*\r\nUser-Agent:HttpClient\r\n", static_cast<DWORD>(-1),
                           HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    if (!HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0))
        return 0;

    // Only now is the old copy replaced: a server that cannot be reached
    // leaves it as it was.
    CFileHandle file(
        CreateFileW(Wide(localPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        notice = DownloadNotice::CannotCreateFile;
        return 0;
    }

    // The status code is not looked at: an error page is saved like any body.
    std::int64_t announced = AnnouncedLength(request.Get());
    std::int64_t received = 0;
    char piece[1023];
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request.Get(), piece, sizeof piece, &got))
            return 0;
        if (got == 0)
            break;
        if (!WriteAllOf(file.Get(), piece, got))
            return 0;
        received += got;
    }
    // A connection that closed early ends the reads like a complete body.
    if (announced >= 0 && received < announced)
        return 0;
    return file.Close() ? 1 : 0;
}
