#pragma once
// The update check when the main window starts: a worker thread fetches the
// version file; everything after that (the switch, the configuration, the
// log, the question and the browser) happens here, on the window's thread.

#include "platform/FileSystem.h"
#include "platform/Http.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "store/ProfileStore.h"

#include "lanvoy_version.h"

#include <functional>
#include <string>
#include <string_view>

// The running release, as the version file's VERSION text is compared with it.
inline constexpr char16_t kReleaseVersion[] = u"" LANVOY_VERSION_TEXT;

// What the server's version file names; a missing element reads as empty.
struct VersionFile {
    std::u16string version;
    std::u16string updateWeb;
    std::u16string updatePath;  // read, not used
};

// The UPDATE element of the text; false when there is none.
bool ReadVersionFile(std::u16string_view text, VersionFile& file);

// Compared as text, unit by unit from the left, so "2.10.0" is older than
// "2.2.0" and "3" is newer.
bool IsNewerRelease(std::u16string_view offered);

// Only a plain http or https address goes to the shell: the version file
// comes over the network, and anything else would start a program or open a
// file on this machine. A quote or a blank could split the browser's
// command line, so neither is allowed.
bool IsWebAddress(std::u16string_view address);

class CUpdateCheck {
public:
    CUpdateCheck(CProfileStore& store, IMessageBox& messages, IShell& shell, IFileSystem& files,
                 std::function<void(std::u16string_view)> writeSystemLog);

    // The window the boxes belong to, named by that window once it exists.
    void SetOwner(WindowHandle window) { owner = window; }

    // The version file's address on the update server.
    static std::u16string UpdateAddress();

    // When the worker's download ended. A failure is told if the download
    // says so, then switches the check off in memory and in the saved
    // configuration and is logged; a download goes on to CheckForUpdate.
    void OnDownloadFinished(bool downloaded, DownloadNotice notice, const std::u16string& versionFile);
    // Reads the downloaded copy and, for a newer release, asks whether to
    // open its page.
    void CheckForUpdate(const std::u16string& versionFile);

private:
    CProfileStore& store;
    IMessageBox& messages;
    WindowHandle owner = nullptr;
    IShell& shell;
    IFileSystem& files;
    std::function<void(std::u16string_view)> writeSystemLog;
};
