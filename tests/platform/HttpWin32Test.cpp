// Downloads over WinINet from a server this test runs on 127.0.0.1: what
// is asked for, what is saved, and how failures come back.

#include "app/UpdateWorker.h"
#include "platform/Win32Http.h"

#include "support/TempFolder.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kObject = "/lanvoy/download.asp?FileName=lanvoy.ver";

// The values of one header, its name matched without case, blanks trimmed.
std::vector<std::string> HeaderValues(const std::string& request, const std::string& name)
{
    std::vector<std::string> values;
    std::size_t at = request.find("\r\n");
    while (at != std::string::npos) {
        std::size_t end = request.find("\r\n", at + 2);
        std::string line = request.substr(at + 2, end == std::string::npos ? end : end - at - 2);
        std::size_t colon = line.find(':');
        if (colon == name.size() && _strnicmp(line.c_str(), name.c_str(), colon) == 0) {
            std::size_t first = line.find_first_not_of(' ', colon + 1);
            std::size_t last = line.find_last_not_of(' ');
            values.push_back(first == std::string::npos ? "" : line.substr(first, last + 1 - first));
        }
        at = end;
    }
    return values;
}

struct Winsock {
    Winsock()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { WSACleanup(); }
};

// Answers one connection with a fixed response, then closes it.
class OneShotServer {
public:
    explicit OneShotServer(std::string response) : response(std::move(response))
    {
        listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int size = sizeof address;
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
        listen(listener, 4);
        worker = std::thread([this] { Serve(); });
    }
    ~OneShotServer()
    {
        if (worker.joinable())
            worker.join();
        closesocket(listener);
    }

    std::string Url(const std::string& object = kObject) const
    {
        return "http://127.0.0.1:" + std::to_string(port) + object;
    }

    // What came before the blank line: the request line and the headers.
    std::string Received()
    {
        if (worker.joinable())
            worker.join();
        return request;
    }

    int port = 0;

private:
    void Serve()
    {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener, &ready);
        timeval wait = {20, 0};
        if (select(0, &ready, nullptr, nullptr, &wait) != 1)
            return;
        SOCKET client = accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            request.append(buffer, got);
        }
        request = request.substr(0, request.find("\r\n\r\n"));
        for (std::size_t sent = 0; sent < response.size();) {
            int put = send(client, response.data() + sent, static_cast<int>(response.size() - sent), 0);
            if (put <= 0)
                break;
            sent += put;
        }
        shutdown(client, SD_SEND);
        while (recv(client, buffer, sizeof buffer, 0) > 0) {
        }
        closesocket(client);
    }

    Winsock winsock;
    SOCKET listener = INVALID_SOCKET;
    std::string response;
    std::string request;
    std::thread worker;
};

std::string Response(const std::string& status, const std::string& body, const std::string& extra = {})
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n" + extra + "\r\n" + body;
}

// A loopback port that nobody listens on.
int RefusedPort()
{
    Winsock winsock;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    closesocket(s);
    return ntohs(address.sin_port);
}

std::u16string U16(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

struct Download {
    int result = -1;
    DownloadNotice notice = DownloadNotice::None;
};

Download Fetch(const std::string& url, const std::u16string& path)
{
    CWin32HttpClient http;
    Download d;
    d.notice = DownloadNotice::CannotCreateFile;  // must be reset by the call
    d.result = http.DownloadToFile(U16(url), path, d.notice);
    return d;
}

std::string EveryByte(std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes += static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

}  // namespace

TEST(HttpWin32, AsksForTheObjectWithItsHeadersAndSavesTheWholeBody)
{
    TempFolder folder;
    // Longer than several reads, with every byte value and UTF-8 text.
    const std::string body = "<UPDATE><VERSION>2.3</VERSION><NOTE>更新</NOTE></UPDATE>" + EveryByte(5000);
    OneShotServer server(Response("200 OK", body));
    TempFolder::Write(folder / "lanvoy.version", "an older, longer copy of the version file" + EveryByte(9000));

    Download d = Fetch(server.Url(), folder.Native("lanvoy.version"));
    EXPECT_EQ(1, d.result);
    EXPECT_EQ(DownloadNotice::None, d.notice);
    EXPECT_EQ(body, TempFolder::Read(folder / "lanvoy.version"));

    const std::string request = server.Received();
    EXPECT_EQ("GET " + kObject + " HTTP/1.1", request.substr(0, request.find("\r\n")));
    EXPECT_EQ(std::vector<std::string>{"text/*"}, HeaderValues(request, "Accept")) << request;
    EXPECT_EQ(std::vector<std::string>{"HttpClient"}, HeaderValues(request, "User-Agent")) << request;
}

TEST(HttpWin32, ErrorPagesAndRedirectsAreSavedAsServed)
{
    TempFolder folder;
    {
        const std::string page = "<html><body><h1>404 Not Found</h1>" + std::string(2000, '.') + "</body></html>";
        OneShotServer server(Response("404 Not Found", page));
        Download d = Fetch(server.Url(), folder.Native("page.html"));
        EXPECT_EQ(1, d.result);
        EXPECT_EQ(page, TempFolder::Read(folder / "page.html"));
    }
    {
        // Followed, it would end at a port nobody answers.
        const std::string moved = "<html>moved</html>";
        OneShotServer server(
            Response("302 Found", moved, "Location: http://127.0.0.1:" + std::to_string(RefusedPort()) + "/x\r\n"));
        Download d = Fetch(server.Url(), folder.Native("moved.html"));
        EXPECT_EQ(1, d.result);
        EXPECT_EQ(moved, TempFolder::Read(folder / "moved.html"));
    }
}

TEST(HttpWin32, FailuresGiveZeroAndSayWhatTheUserIsTold)
{
    TempFolder folder;
    const std::u16string target = folder.Native("lanvoy.version");
    TempFolder::Write(folder / "lanvoy.version", "old copy");

    // Unreachable servers are not reported, and the old copy stays.
    for (const std::string scheme : {"http", "https"}) {
        Download d = Fetch(scheme + "://127.0.0.1:" + std::to_string(RefusedPort()) + kObject, target);
        EXPECT_EQ(0, d.result) << scheme;
        EXPECT_EQ(DownloadNotice::None, d.notice) << scheme;
    }
    EXPECT_EQ("old copy", TempFolder::Read(folder / "lanvoy.version"));

    for (const std::string url : {"", "not a url", "htp:/127.0.0.1/x", "ftp://127.0.0.1/lanvoy.ver",
                                  "file:///C:/windows/win.ini", "http://"}) {
        Download d = Fetch(url, folder.Native("bad.version"));
        EXPECT_EQ(0, d.result) << url;
        EXPECT_EQ(DownloadNotice::BadUrl, d.notice) << url;
        EXPECT_FALSE(std::filesystem::exists(folder / "bad.version")) << url;
    }
    EXPECT_EQ(u"URL出错", DownloadNoticeText(DownloadNotice::BadUrl));

    {
        OneShotServer server(Response("200 OK", "<UPDATE/>"));
        Download d = Fetch(server.Url(), folder.Native("missing\\lanvoy.version"));
        EXPECT_EQ(0, d.result);
        EXPECT_EQ(DownloadNotice::CannotCreateFile, d.notice);
        EXPECT_EQ(u"Unable to open file", DownloadNoticeText(d.notice));
    }
    {
        // The server promised more than it sent before closing.
        OneShotServer server("HTTP/1.1 200 OK\r\nContent-Length: 4000\r\nConnection: close\r\n\r\n" +
                             std::string(1500, 'x'));
        Download d = Fetch(server.Url(), folder.Native("short.version"));
        EXPECT_EQ(0, d.result);
        EXPECT_EQ(DownloadNotice::None, d.notice);
    }
}

TEST(HttpWin32, WorkerPostsTheOutcomeToTheWindow)
{
    TempFolder folder;
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    auto outcome = [window] {
        MSG message = {};
        SetTimer(window, 1, 20000, nullptr);
        while (GetMessageW(&message, window, 0, 0) > 0 && message.message == WM_TIMER && message.wParam != 1) {
        }
        KillTimer(window, 1);
        return message;
    };
    {
        OneShotServer server(Response("200 OK", "<UPDATE/>"));
        ASSERT_TRUE(StartUpdateWorker(window, kUpdateDownloadedMessage, U16(server.Url()),
                                      folder.Native("lanvoy.version")));
        MSG done = outcome();
        EXPECT_EQ(kUpdateDownloadedMessage, done.message);
        EXPECT_EQ(1u, done.wParam);
        EXPECT_EQ(0, done.lParam);
        EXPECT_EQ("<UPDATE/>", TempFolder::Read(folder / "lanvoy.version"));
    }
    CWin32HttpClient http;
    ASSERT_TRUE(StartUpdateWorker(window, kUpdateDownloadedMessage, http, u"ftp://127.0.0.1/", u"x"));
    MSG done = outcome();
    EXPECT_EQ(kUpdateDownloadedMessage, done.message);
    EXPECT_EQ(0u, done.wParam);
    EXPECT_EQ(static_cast<LPARAM>(DownloadNotice::BadUrl), done.lParam);
    DestroyWindow(window);
}
