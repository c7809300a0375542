#include "app/Elevation.h"

#include "platform/ProcessPaths.h"
#include "platform/WideText.h"

#include <windows.h>
#include <shellapi.h>

bool RunningElevated()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                          elevation.TokenIsElevated != 0;
    CloseHandle(token);
    return elevated;
}

RelaunchOutcome RelaunchElevated(const std::u16string& arguments, bool wait, int* exitCode)
{
    const std::u16string program = ExecutablePath();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = Wide(program);
    info.lpParameters = arguments.empty() ? nullptr : Wide(arguments);
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info))
        return GetLastError() == ERROR_CANCELLED ? RelaunchOutcome::Declined : RelaunchOutcome::Failed;
    if (info.hProcess) {
        if (wait) {
            DWORD code = 1;
            WaitForSingleObject(info.hProcess, INFINITE);
            GetExitCodeProcess(info.hProcess, &code);
            *exitCode = static_cast<int>(code);
        }
        CloseHandle(info.hProcess);
    }
    return RelaunchOutcome::Started;
}
