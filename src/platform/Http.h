#pragma once
// One HTTP download into a file, behind an interface so the update check can
// run without a network in tests.

#include <string>

// What a failed download must tell the user. Network failures are silent;
// only a bad address and a file that cannot be created are reported.
enum class DownloadNotice : int { None = 0, BadUrl = 1, CannotCreateFile = 2 };

// The text shown for a notice; empty for None.
inline std::u16string DownloadNoticeText(DownloadNotice notice)
{
    switch (notice) {
    case DownloadNotice::BadUrl:
        return u"URL出错";
    case DownloadNotice::CannotCreateFile:
        return u"Unable to open file";
    case DownloadNotice::None:
        break;
    }
    return {};
}

class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // GET of an http:// or https:// address, redirects not followed. Whatever
    // body the server answers with, error pages included, is written to
    // localPath, which is created or truncated only once the request was sent.
    // 1 when the whole body reached the file, 0 otherwise; `notice` says what
    // the user must be told and is None for every other outcome. Safe to call
    // from any thread: it shows nothing itself.
    virtual int DownloadToFile(const std::u16string& url, const std::u16string& localPath, DownloadNotice& notice) = 0;
};
