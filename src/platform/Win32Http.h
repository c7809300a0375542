#pragma once

#include "platform/Http.h"

// Downloads over WinINet with the machine's proxy settings. Keeps no state,
// so one object serves every thread.
class CWin32HttpClient : public IHttpClient {
public:
    int DownloadToFile(const std::u16string& url, const std::u16string& localPath, DownloadNotice& notice) override;
};
