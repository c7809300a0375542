#pragma once
// Records every download instead of going to the network; a set body lands
// in an in-memory folder at the requested path.

#include "platform/FileSystem.h"
#include "platform/Http.h"

#include <optional>
#include <string>
#include <vector>

class CFakeHttp : public IHttpClient {
public:
    struct Request {
        std::u16string url;
        std::u16string localPath;
    };

    explicit CFakeHttp(IFileSystem& files) : files(files) {}

    int DownloadToFile(const std::u16string& url, const std::u16string& localPath, DownloadNotice& notice) override
    {
        requests.push_back({url, localPath});
        notice = failWith;
        if (!body || failWith != DownloadNotice::None)
            return 0;
        return files.WriteAll(localPath, *body) ? 1 : 0;
    }

    IFileSystem& files;
    // What the server answers; none is a server that cannot be reached.
    std::optional<std::string> body;
    DownloadNotice failWith = DownloadNotice::None;
    std::vector<Request> requests;
};
