#include "app/UpdateWorker.h"

#include "platform/Win32Http.h"

#include <memory>
#include <utility>

namespace {

struct UpdateJob {
    HWND window;
    UINT doneMessage;
    IHttpClient* http;  // none: the thread's own
    std::u16string url;
    std::u16string localPath;
};

DWORD WINAPI RunUpdateJob(void* parameter)
{
    std::unique_ptr<UpdateJob> job(static_cast<UpdateJob*>(parameter));
    CWin32HttpClient own;
    IHttpClient& http = job->http ? *job->http : own;
    DownloadNotice notice = DownloadNotice::None;
    int downloaded = http.DownloadToFile(job->url, job->localPath, notice);
    // A window closed in the meantime simply gets nothing.
    PostMessageW(job->window, job->doneMessage, static_cast<WPARAM>(downloaded != 0 ? 1 : 0),
                 static_cast<LPARAM>(notice));
    return 0;
}

bool StartJob(std::unique_ptr<UpdateJob> job)
{
    HANDLE thread = CreateThread(nullptr, 0, RunUpdateJob, job.get(), 0, nullptr);
    if (!thread)
        return false;
    job.release();
    // Never waited for: the thread ends by itself once it has posted.
    CloseHandle(thread);
    return true;
}

}  // namespace

bool StartUpdateWorker(HWND mainWindow, UINT doneMessage, IHttpClient& http, std::u16string url,
                       std::u16string localPath)
{
    return StartJob(std::make_unique<UpdateJob>(
        UpdateJob{mainWindow, doneMessage, &http, std::move(url), std::move(localPath)}));
}

bool StartUpdateWorker(HWND mainWindow, UINT doneMessage, std::u16string url, std::u16string localPath)
{
    return StartJob(std::make_unique<UpdateJob>(
        UpdateJob{mainWindow, doneMessage, nullptr, std::move(url), std::move(localPath)}));
}
