/* Removes the uninstaller's own file once the uninstaller has ended: it stays
   open while it runs, so it cannot remove itself.

     uninstall-tidy.exe <process id of the uninstaller> <its file>

   The file is removed only if it is still the one that ran: an installation
   made meanwhile writes a new uninstall.exe under the same name, and that one
   stays. Then the folder goes if nothing is left in it. This program itself
   is in a folder of its own under %TEMP%; both are queued for removal at the
   next start under that unique name, never under a name another program may
   use. Exit codes: 0 removed, 1 not removed (still held, or another file by
   now), 2 wrong arguments. */
#include <windows.h>

#include <stdlib.h>
#include <wchar.h>

/* Long enough for the uninstaller to end after starting this. */
#define PROCESS_WAIT_MS 60000
/* Its handles may close a moment after its process has ended. */
#define FILE_WAIT_MS 10000
#define RETRY_MS 100

typedef struct {
    DWORD volume;
    DWORD high;
    DWORD low;
} FileId;

static int IdOf(HANDLE file, FileId* id)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info))
        return 0;
    id->volume = info.dwVolumeSerialNumber;
    id->high = info.nFileIndexHigh;
    id->low = info.nFileIndexLow;
    return 1;
}

/* Who the file is while the uninstaller still holds it; reading its
   attributes needs no share with that holder. */
static int IdOfPath(const wchar_t* path, FileId* id)
{
    HANDLE file = CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    int known = IdOf(file, id);
    CloseHandle(file);
    return known;
}

/* Removes the file through a handle, and only when the handle is that file:
   a file put in its place after the look is not touched. */
static int RemoveIfSame(const wchar_t* path, const FileId* expected)
{
    for (DWORD waited = 0;; waited += RETRY_MS) {
        HANDLE file = CreateFileW(path, DELETE | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, 0, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            FileId now;
            int same = IdOf(file, &now) && now.volume == expected->volume && now.high == expected->high &&
                       now.low == expected->low;
            FILE_DISPOSITION_INFO gone = {TRUE};
            int removed = same && SetFileInformationByHandle(file, FileDispositionInfo, &gone, sizeof gone);
            CloseHandle(file);
            if (removed || !same)
                return removed;
        } else if (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) {
            return 0;
        }
        if (waited >= FILE_WAIT_MS)
            return 0;
        Sleep(RETRY_MS);
    }
}

/* Cuts `path` at its last separator; false when it has none. */
static int CutToFolder(wchar_t* path)
{
    wchar_t* last = wcsrchr(path, L'\\');
    if (!last)
        return 0;
    *last = L'\0';
    return 1;
}

static void QueueSelfForNextStart(void)
{
    wchar_t self[MAX_PATH * 4];
    DWORD length = GetModuleFileNameW(NULL, self, sizeof self / sizeof self[0]);
    if (length == 0 || length >= sizeof self / sizeof self[0])
        return;
    MoveFileExW(self, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    if (CutToFolder(self))
        MoveFileExW(self, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
}

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 2;
    wchar_t* end = NULL;
    DWORD pid = wcstoul(argv[1], &end, 10);
    if (!end || *end != L'\0' || pid == 0)
        return 2;
    const wchar_t* path = argv[2];

    FileId id;
    int known = IdOfPath(path, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process) {
        WaitForSingleObject(process, PROCESS_WAIT_MS);
        CloseHandle(process);
    }
    int removed = known && RemoveIfSame(path, &id);
    if (removed) {
        /* Only an empty folder goes: a new installation's stays. */
        wchar_t folder[MAX_PATH * 4];
        if (wcslen(path) < sizeof folder / sizeof folder[0]) {
            wcscpy(folder, path);
            if (CutToFolder(folder))
                RemoveDirectoryW(folder);
        }
    }
    QueueSelfForNextStart();
    return removed ? 0 : 1;
}
