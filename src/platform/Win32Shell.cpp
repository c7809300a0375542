#include "platform/Win32Shell.h"

#include "platform/ComScope.h"
#include "platform/WideText.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

bool CWin32Shell::Open(const ShellRequest& request)
{
    auto text = [](const std::u16string& s) { return s.empty() ? nullptr : Wide(s); };
    HINSTANCE done = ShellExecuteW(static_cast<HWND>(owner), text(request.verb), Wide(request.file),
                                   text(request.parameters), nullptr, SW_SHOWNORMAL);
    // Above 32 is success.
    return reinterpret_cast<INT_PTR>(done) > 32;
}

std::u16string CWin32Shell::DesktopFolder()
{
    // Any length: a desktop folder redirected to a deep share may pass MAX_PATH.
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &path)) || !path) {
        CoTaskMemFree(path);
        return {};
    }
    std::u16string folder = FromWide(path);
    CoTaskMemFree(path);
    if (folder.size() > 3 && folder.back() == u'\\')
        folder.pop_back();
    return folder;
}

bool CWin32Shell::CreateShortcut(const ShortcutRequest& request)
{
    CComScope com;
    if (!com.Usable())
        return false;
    CComHolder<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out())))
        return false;
    // A link missing any of its parts would start the wrong thing: write none.
    if (FAILED(link->SetPath(Wide(request.target))) ||
        FAILED(link->SetWorkingDirectory(Wide(request.workingFolder))) ||
        FAILED(link->SetArguments(Wide(request.arguments))) ||
        FAILED(link->SetIconLocation(Wide(request.iconPath), request.iconIndex)))
        return false;
    CComHolder<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())))
        return false;
    return SUCCEEDED(file->Save(Wide(request.linkPath), TRUE));
}
