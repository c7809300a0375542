#include "app/LanvoyApp.h"

#include "app/Elevation.h"
#include "app/MainDlg.h"
#include "ipc/ServiceClient.h"
#include "net/Win32Net.h"
#include "platform/Clock.h"
#include "platform/ComScope.h"
#include "platform/FileSystem.h"
#include "platform/ProcessPaths.h"
#include "platform/ProductNames.h"
#include "platform/RunningSign.h"
#include "platform/Win32MessageBox.h"
#include "platform/Win32Registry.h"
#include "platform/Win32Shell.h"
#include "platform/Win32StartupTask.h"
#include "platform/WideText.h"
#include "ui/AdapterFailures.h"
#include "ui/ChangeRoute.h"
#include "ui/CommandLine.h"

#include <windows.h>
#include <commctrl.h>

int CLanvoyApp::Run(const std::u16string& commandText)
{
    // One apartment for the whole run: the shell's extensions behind
    // ShellExecuteW and the file dialog are COM objects of this thread.
    CComScope com;

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
    const NetPlatform net = system.Platform();

    const CommandLine commandLine = ParseCommandLine(commandText);
    const bool applyRun = !commandLine.applyId.empty();

    // Every run, a shortcut's too, keeps lanvoy.exe busy: the installers
    // must see it from any session.
    HoldRunningSign();

    // A shortcut's run has no window and no single-instance test. Otherwise
    // the mutex is never released: the system drops it when the process ends.
    HANDLE instance = nullptr;
    if (!applyRun) {
        instance = CreateMutexW(nullptr, TRUE, Wide(kInstanceName));
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            RaiseRunningInstance();
            return 0;
        }
    }

    // Asked once: a missing service answers at once.
    CServiceClient client;
    ServiceStatus status;
    client.Status(&status);
    const ServiceState service{status.answered, status.version, status.served};
    CServiceAdapterChanger throughService(client);
    CDirectAdapterChanger direct(net);
    IAdapterChanger* changer = &direct;
    switch (ChooseChangeRoute(service, RunningElevated())) {
    case ChangeRoute::Service:
        changer = &throughService;
        break;
    case ChangeRoute::Direct:
        break;
    case ChangeRoute::Elevate:
        if (instance)
            CloseHandle(instance);  // the elevated run is the instance
        return RunElevated(commandText, applyRun, messages);
    }

    if (applyRun)
        return RunApply(storage, *changer, messages, commandLine.applyId);

    CMainDlg window(MainServices{net, *changer, service, storage, messages, shell, commandLine, paths});
    window.RunModal(nullptr);
    return 0;
}

int CLanvoyApp::RunApply(const StoreEnvironment& storage, IAdapterChanger& changer, IMessageBox& messages,
                         const std::u16string& id)
{
    CProfileStore store(storage);
    store.Load();
    CProfileApplier applier(store, changer);
    const ApplyResult result = applier.ApplyProfile(id);
    // No window: the boxes are the run's own.
    TellFailures(messages, nullptr, result.failures);
    if (!result.stop.empty())
        messages.Show(nullptr, result.stop, kMessageCaption, kMbOk | kMbIconStop);
    ApplyRunOutcome outcome = ApplyRunResult(result.applied);
    messages.Show(nullptr, outcome.message, kMessageCaption, kMbOk);
    return outcome.exitCode;
}

int CLanvoyApp::RunElevated(const std::u16string& commandText, bool applyRun, IMessageBox& messages)
{
    int exitCode = 0;
    if (RelaunchElevated(commandText, applyRun, &exitCode) == RelaunchOutcome::Started)
        return applyRun ? exitCode : 0;
    messages.Show(nullptr, kElevationDeclined, kMessageCaption, kMbOk | kMbIconStop);
    return 1;
}

void CLanvoyApp::RaiseRunningInstance()
{
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (!GetPropW(window, Wide(kInstanceName)))
            continue;
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
        SetForegroundWindow(window);
        SetForegroundWindow(GetLastActivePopup(window));
        return;
    }
}
