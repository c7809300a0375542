#pragma once
// What every dialog of the program does alike: the application's icon in
// its title bar.

#include "controls/Dpi.h"
#include "resource.h"

inline void SetAppIcons(HWND dialog)
{
    // Shared icons, at the drawn sizes nearest to the window's: the system
    // frees them with the module.
    const UINT dpi = WindowDpi(dialog);
    auto icon = [dpi](int metric) {
        int size = NearestDrawnSize(MetricForDpi(metric, dpi));
        return reinterpret_cast<LPARAM>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, LR_SHARED));
    };
    SendMessageW(dialog, WM_SETICON, ICON_BIG, icon(SM_CXICON));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, icon(SM_CXSMICON));
}
