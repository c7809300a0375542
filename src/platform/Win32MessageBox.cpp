#include "platform/Win32MessageBox.h"
#include "platform/WideText.h"

#include <windows.h>

int CWin32MessageBox::Show(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
                           std::uint32_t style)
{
    return MessageBoxW(static_cast<HWND>(BoxOwnerFor(owner)), Wide(text), Wide(caption), style);
}

WindowHandle BoxOwnerFor(WindowHandle window)
{
    HWND shown = static_cast<HWND>(window);
    while (shown && !IsWindowVisible(shown)) {
        HWND opener = GetWindow(shown, GW_OWNER);
        if (!opener)
            break;
        shown = opener;
    }
    return shown;
}
