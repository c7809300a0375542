/* A service that only runs until it is told to stop: what the packages test
   installs as lanvoy-service.exe while the real one is not built, so that the
   installers' service wiring is shown either way. */
#include <windows.h>

static SERVICE_STATUS_HANDLE handle;
static SERVICE_STATUS status = {SERVICE_WIN32_OWN_PROCESS, SERVICE_START_PENDING, 0, 0, 0, 0, 0};
static HANDLE stopped;

static DWORD WINAPI Control(DWORD code, DWORD type, void *data, void *context)
{
    (void)type, (void)data, (void)context;
    if (code == SERVICE_CONTROL_STOP || code == SERVICE_CONTROL_SHUTDOWN) {
        status.dwCurrentState = SERVICE_STOP_PENDING;
        SetServiceStatus(handle, &status);
        SetEvent(stopped);
    }
    return NO_ERROR;
}

static void WINAPI Main(DWORD argc, wchar_t **argv)
{
    (void)argc, (void)argv;
    stopped = CreateEventW(NULL, TRUE, FALSE, NULL);
    handle = RegisterServiceCtrlHandlerExW(L"LanvoyService", Control, NULL);
    status.dwCurrentState = SERVICE_RUNNING;
    status.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
    SetServiceStatus(handle, &status);
    WaitForSingleObject(stopped, INFINITE);
    status.dwCurrentState = SERVICE_STOPPED;
    SetServiceStatus(handle, &status);
}

int wmain(void)
{
    SERVICE_TABLE_ENTRYW table[] = {{L"LanvoyService", Main}, {NULL, NULL}};
    return StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
