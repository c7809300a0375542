#pragma once
// The background download of the update check. The thread only fetches the
// version file; the window's own thread does everything with the result.

#include "platform/Http.h"

#include <windows.h>

#include <string>

// Posted to the main window when the download ended: WPARAM 1 when the file
// arrived, 0 when not; LPARAM the DownloadNotice to tell the user.
inline constexpr UINT kUpdateDownloadedMessage = WM_APP + 1;

// Starts the thread, which downloads url to localPath with `http` and then
// posts doneMessage to mainWindow. `http` must live until the process ends:
// the thread is never waited for. False when no thread could be started.
bool StartUpdateWorker(HWND mainWindow, UINT doneMessage, IHttpClient& http, std::u16string url,
                       std::u16string localPath);
// The same with a WinINet client of the thread's own.
bool StartUpdateWorker(HWND mainWindow, UINT doneMessage, std::u16string url, std::u16string localPath);
