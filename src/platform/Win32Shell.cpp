#include "platform/Win32Shell.h"

#include "platform/WideText.h"

#include <windows.h>
#include <shellapi.h>

bool CWin32Shell::Open(const ShellRequest& request)
{
    auto text = [](const std::u16string& s) { return s.empty() ? nullptr : Wide(s); };
    HINSTANCE done = ShellExecuteW(static_cast<HWND>(owner), text(request.verb), Wide(request.file),
                                   text(request.parameters), nullptr, SW_SHOWNORMAL);
    // Above 32 is success.
    return reinterpret_cast<INT_PTR>(done) > 32;
}
