#include "platform/Win32MessageBox.h"
#include "platform/WideText.h"

#include <windows.h>

int CWin32MessageBox::ShowOwnedBy(void* window, const std::u16string& text, const std::u16string& caption,
                                   std::uint32_t style)
{
    return MessageBoxW(static_cast<HWND>(window), Wide(text), Wide(caption), style);
}
