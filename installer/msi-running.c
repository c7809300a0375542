/* The MSI's look for a running Lanvoy: when the program's mutex is there,
   the machine-wide one of this version (from any session) or the session's
   one of earlier versions, it shows the package's message (the property
   LanvoyRunningText; in the log under /qn) and fails, so the installation
   or removal ends with 1603 before anything changes, instead of handing the
   files in use to the Restart Manager. lanvoy_names.h comes from
   installer/names.nsh (tools/names.py header). */
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include "lanvoy_names.h"

#define WIDE2(text) L##text
#define WIDE(text) WIDE2(text)

static int MutexThere(const wchar_t* name)
{
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name);
    if (mutex) {
        CloseHandle(mutex);
        return 1;
    }
    /* There, but its access list keeps us out. */
    return GetLastError() == ERROR_ACCESS_DENIED;
}

__declspec(dllexport) UINT __stdcall FindRunningLanvoy(MSIHANDLE install)
{
    if (!MutexThere(WIDE(LANVOY_RUNNING_MUTEX)) && !MutexThere(WIDE(LANVOY_SESSION_MUTEX)))
        return ERROR_SUCCESS;
    wchar_t text[512] = L"Lanvoy is running.";
    DWORD size = sizeof text / sizeof text[0];
    MsiGetPropertyW(install, L"LanvoyRunningText", text, &size);
    MSIHANDLE record = MsiCreateRecord(1);
    MsiRecordSetStringW(record, 0, text);
    MsiProcessMessage(install, (INSTALLMESSAGE)(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONSTOP), record);
    MsiCloseHandle(record);
    return ERROR_INSTALL_FAILURE;
}
