#include "ui/UpdateCheck.h"

#include "text/Utf8.h"
#include "xml/XmlDoc.h"

#include <utility>

#ifndef LANVOY_UPDATE_HOST
#define LANVOY_UPDATE_HOST "http://update.lanvoy.net"
#endif

namespace {

const char16_t kUpdatePath[] = u"/lanvoy/download.asp?FileName=lanvoy.ver";

std::u16string ChildTextOf(CXmlDoc& doc, std::u16string_view name)
{
    doc.ResetChildPosition();
    return doc.FindNextChild(name) ? doc.ChildText() : std::u16string();
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

}  // namespace

bool ReadVersionFile(std::u16string_view text, VersionFile& file)
{
    CXmlDoc doc;
    // A file that is not well formed is read as far as it goes.
    doc.SetText(text);
    doc.ResetPosition();
    if (!doc.FindNext(u"UPDATE"))
        return false;
    file.version = ChildTextOf(doc, u"VERSION");
    file.updateWeb = ChildTextOf(doc, u"UPDATE_WEB");
    file.updatePath = ChildTextOf(doc, u"UPDATE_PATH");
    return true;
}

bool IsNewerRelease(std::u16string_view offered)
{
    return offered > std::u16string_view(kReleaseVersion);
}

bool IsWebAddress(std::u16string_view address)
{
    std::size_t rest = 0;
    if (StartsWithNoCase(address, u"http://"))
        rest = 7;
    else if (StartsWithNoCase(address, u"https://"))
        rest = 8;
    else
        return false;
    // A host must follow.
    if (address.size() == rest || address[rest] == u'/' || address[rest] == u'\\')
        return false;
    for (char16_t c : address) {
        if (c <= u' ' || c == 0x7F || c == u'"')
            return false;
    }
    return true;
}

CUpdateCheck::CUpdateCheck(CProfileStore& store, IMessageBox& messages, IShell& shell, IFileSystem& files,
                           std::function<void(std::u16string_view)> writeSystemLog)
    : store(store), messages(messages), shell(shell), files(files), writeSystemLog(std::move(writeSystemLog))
{
}

std::u16string CUpdateCheck::UpdateAddress()
{
    std::u16string host = u"" LANVOY_UPDATE_HOST;
    while (!host.empty() && host.back() == u'/')
        host.pop_back();
    return host + kUpdatePath;
}

void CUpdateCheck::OnDownloadFinished(bool downloaded, DownloadNotice notice, const std::u16string& versionFile)
{
    if (downloaded) {
        CheckForUpdate(versionFile);
        return;
    }
    if (notice != DownloadNotice::None)
        messages.Show(owner, DownloadNoticeText(notice), kMessageCaption, kMbOk | kMbIconStop);
    // Later starts do not try again until the user turns the check back on.
    store.autoUpdate = 0;
    store.WriteSystemSettings();
    if (writeSystemLog)
        writeSystemLog(u"自动更新失败！");
}

void CUpdateCheck::CheckForUpdate(const std::u16string& versionFile)
{
    std::string bytes;
    if (!files.ReadAll(versionFile, bytes))
        return;
    VersionFile offered;
    if (!ReadVersionFile(Utf8ToUtf16(bytes), offered) || !IsNewerRelease(offered.version))
        return;
    // Asking makes no sense when there is no page to open.
    if (!IsWebAddress(offered.updateWeb))
        return;
    int answer = messages.Show(owner, u"当前程序最新的版本为" + offered.version + u"，是否需要更新！",
                               kMessageCaption, kMbYesNo | kMbIconInformation);
    if (answer == kIdYes)
        shell.Open(ShellRequest{u"open", offered.updateWeb, {}});
}
