#include "platform/ProcessPaths.h"
#include "platform/WideText.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

std::u16string ExecutablePath()
{
    // Long paths need more than MAX_PATH; grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return FromWide(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

namespace {

// A folder as GetSystemDirectoryW and its kin answer: the length without the
// terminator, or the room needed with it when the buffer is too small.
std::u16string QueryFolder(UINT(WINAPI* query)(LPWSTR, UINT))
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const UINT length = query(path.data(), static_cast<UINT>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return FromWide(path.data(), length);
        path.resize(length);
    }
}

}  // namespace

std::u16string CurrentDirectory()
{
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0)
        return {};
    std::vector<wchar_t> buffer(needed);
    DWORD length = GetCurrentDirectoryW(needed, buffer.data());
    std::u16string path = FromWide(buffer.data(), length);
    if (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

std::u16string ProgramDataFolder()
{
    PWSTR path = nullptr;
    std::u16string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &path)))
        folder = FromWide(path);
    CoTaskMemFree(path);
    return folder;
}

std::u16string SystemFolder()
{
    return QueryFolder(GetSystemDirectoryW);
}

std::u16string WindowsFolder()
{
    return QueryFolder(GetSystemWindowsDirectoryW);
}
