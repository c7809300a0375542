// What the packages test needs of Windows that a shell cannot do:
//   probe elsewhere <program> [arguments]  runs it on a desktop of a window
//                                          station of its own and waits for it
//   probe hold <file>                      holds the file open, shared with
//                                          nobody, until it is ended
//   probe sign <name> <SDDL>               holds a mutex of that name and access
//                                          list until it is ended: a Lanvoy of
//                                          another session, as an installer sees it
//   probe mutex <name>                     exit 0 when the mutex is there (and
//                                          prints its access list), 1 when not
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <stdio.h>
#include <wchar.h>

static int Elsewhere(int argc, wchar_t** argv) {
  HWINSTA station = CreateWindowStationW(L"LanvoyElsewhere", 0, GENERIC_ALL, NULL);
  if (!station) return fprintf(stderr, "probe: no window station (error %lu)\n", GetLastError()), 255;
  HWINSTA own = GetProcessWindowStation();
  SetProcessWindowStation(station);
  HDESK desk = CreateDesktopW(L"Default", NULL, NULL, 0, GENERIC_ALL, NULL);
  SetProcessWindowStation(own);
  if (!desk) return fprintf(stderr, "probe: no desktop (error %lu)\n", GetLastError()), 255;
  wchar_t command[4096] = L"";
  for (int i = 2; i < argc; ++i) {
    wcscat(command, L"\"");
    wcscat(command, argv[i]);
    wcscat(command, i + 1 < argc ? L"\" " : L"\"");
  }
  STARTUPINFOW start = {sizeof start};
  start.lpDesktop = L"LanvoyElsewhere\\Default";
  PROCESS_INFORMATION process;
  if (!CreateProcessW(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &start, &process))
    return fprintf(stderr, "probe: could not start it (error %lu)\n", GetLastError()), 255;
  printf("probe: started %lu elsewhere\n", process.dwProcessId);
  fflush(stdout);
  WaitForSingleObject(process.hProcess, INFINITE);
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && !wcscmp(argv[1], L"elsewhere")) return Elsewhere(argc, argv);
  if (argc == 3 && !wcscmp(argv[1], L"hold")) {
    HANDLE file = CreateFileW(argv[2], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return fprintf(stderr, "probe: cannot open (error %lu)\n", GetLastError()), 255;
    printf("probe: holding\n");
    fflush(stdout);
    Sleep(INFINITE);
  }
  if (argc == 4 && !wcscmp(argv[1], L"sign")) {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, NULL, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(argv[3], SDDL_REVISION_1, &attributes.lpSecurityDescriptor, NULL))
      return 255;
    if (!CreateMutexW(&attributes, FALSE, argv[2])) return 255;
    printf("probe: holding\n");
    fflush(stdout);
    Sleep(INFINITE);
  }
  if (argc == 3 && !wcscmp(argv[1], L"mutex")) {
    HANDLE mutex = OpenMutexW(READ_CONTROL | SYNCHRONIZE, FALSE, argv[2]);
    if (!mutex) return GetLastError() == ERROR_ACCESS_DENIED ? 0 : 1;
    PSECURITY_DESCRIPTOR descriptor;
    PACL dacl;
    wchar_t* text;
    if (!GetSecurityInfo(mutex, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, NULL, NULL, &dacl, NULL, &descriptor) &&
        ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                             &text, NULL))
      wprintf(L"%ls\n", text);
    return 0;
  }
  fprintf(stderr, "probe: elsewhere <program> [args] | hold <file> | sign <name> <SDDL> | mutex <name>\n");
  return 2;
}
