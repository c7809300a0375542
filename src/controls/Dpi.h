#pragma once
// The DPI a window is shown at, and what depends on it: system metrics and
// lengths designed at 96 DPI; the taskbar's DPI. Windows before 10 (1607)
// have no per-window DPI; there the screen's DPI holds, which is the one the
// system-aware program is shown at.

#include "controls/DpiScale.h"

#include <windows.h>

namespace dpi {

// The newer calls are looked up once, so the program still starts on
// systems without them.
struct SystemCalls {
    UINT(WINAPI* forWindow)(HWND) = nullptr;
    int(WINAPI* metricForDpi)(int, UINT) = nullptr;

    static const SystemCalls& Get()
    {
        static const SystemCalls calls = [] {
            SystemCalls found;
            if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
                found.forWindow = reinterpret_cast<UINT(WINAPI*)(HWND)>(
                    reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
                found.metricForDpi = reinterpret_cast<int(WINAPI*)(int, UINT)>(
                    reinterpret_cast<void*>(GetProcAddress(user, "GetSystemMetricsForDpi")));
            }
            return found;
        }();
        return calls;
    }
};

// A screen's own scale (Windows 8.1), looked up once it is first wanted.
inline UINT MonitorDpi(HMONITOR screen)
{
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const ForMonitor forMonitor = []() -> ForMonitor {
        HMODULE shcore = GetModuleHandleW(L"shcore.dll");
        if (!shcore)
            shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!shcore)
            return nullptr;
        return reinterpret_cast<ForMonitor>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    }();
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    UINT x = 0, y = 0;
    if (forMonitor && screen && SUCCEEDED(forMonitor(screen, kEffectiveDpi, &x, &y)))
        return x;
    return 0;
}

inline UINT ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return value > 0 ? static_cast<UINT>(value) : kDesignDpi;
}

}  // namespace dpi

// The primary screen's scale, where a window without an owner first shows.
inline UINT PrimaryScreenDpi()
{
    const UINT value = dpi::MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    return value != 0 ? value : dpi::ScreenDpi();
}

inline UINT WindowDpi(HWND window)
{
    const auto& calls = dpi::SystemCalls::Get();
    if (calls.forWindow && window) {
        if (UINT value = calls.forWindow(window))
            return value;
    }
    return dpi::ScreenDpi();
}

// GetSystemMetrics at a DPI; older systems answer for the screen's own.
inline int MetricForDpi(int index, UINT dpi)
{
    const auto& calls = dpi::SystemCalls::Get();
    return calls.metricForDpi ? calls.metricForDpi(index, dpi) : GetSystemMetrics(index);
}

// A length designed at 96 DPI, for a window.
inline int Scaled(HWND window, int pixels)
{
    return ScaleForDpi(pixels, WindowDpi(window));
}

// The scale of the screen the taskbar is on, which its notification area is
// drawn at; the primary screen's while there is no taskbar. It follows that
// screen's changes, unlike the system's scale, which a running program keeps.
inline UINT TaskbarDpi()
{
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    HMONITOR screen = taskbar ? MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (UINT value = dpi::MonitorDpi(screen))
        return value;
    return dpi::ScreenDpi();
}
