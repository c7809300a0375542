#include "app/LanvoyApp.h"

#include "app/MainDlg.h"
#include "net/Win32Net.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32MessageBox.h"
#include "platform/Win32Registry.h"
#include "platform/Win32Shell.h"
#include "platform/Win32StartupTask.h"
#include "ui/CommandLine.h"

#include <windows.h>
#include <commctrl.h>

namespace {

const wchar_t kInstanceName[] = L"Lanvoy-Good";

}  // namespace

int CLanvoyApp::Run(const std::u16string& commandText)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                          ICC_PROGRESS_CLASS | ICC_INTERNET_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    // The system is reached through these, chosen once: Wine cannot carry
    // every call a real Windows machine takes.
    CWin32NetPlatform system(RunningUnderWine());
    CLocalFileSystem files;
    CSystemClock clock;
    CWin32MessageBox messages;
    CWin32Shell shell;
    CWin32StartupTask startupTask;
    // The installed copy keeps its files in the data folder, a portable one beside itself.
    CWin32Registry userRegistry(CWin32Registry::Root::CurrentUser);
    const std::u16string executable = ExecutablePath();
    const ProgramFiles paths = ProgramFilesFor(executable, ReadInstallRecord(system.registry), ProgramDataFolder());
    const StoreEnvironment storage{executable,       files,           system.registry, startupTask, clock,
                                   paths.dataFolder, paths.installed, &userRegistry};
    const NetPlatform net = system.Platform(messages);

    const CommandLine commandLine = ParseCommandLine(commandText);
    if (!commandLine.applyId.empty()) {
        // A shortcut's run: no window, no single-instance test.
        CProfileStore store(storage);
        store.Load();
        CProfileApplier applier(store, net);
        ApplyRunOutcome outcome = ApplyRunResult(applier.ApplyProfile(commandLine.applyId));
        messages.Show(outcome.message, kMessageCaption, kMbOk);
        return outcome.exitCode;
    }

    // Never released: the system drops it when the process ends.
    CreateMutexW(nullptr, TRUE, kInstanceName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        RaiseRunningInstance();
        return 0;
    }

    CDirectAdapterChanger changer(net);
    CMainDlg window(MainServices{net, changer, storage, messages, shell, commandLine, paths});
    window.RunModal(nullptr);
    return 0;
}

void CLanvoyApp::RaiseRunningInstance()
{
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (!GetPropW(window, kInstanceName))
            continue;
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
        SetForegroundWindow(window);
        SetForegroundWindow(GetLastActivePopup(window));
        return;
    }
}
