// Runs Lanvoy's registered silent uninstall as deployment tools do: the
// QuietUninstallString from the 64-bit registry, as one command line, waited
// for; exits with its exit code (255 when it could not be run).
#include <windows.h>
#include <stdio.h>

int wmain(void) {
  wchar_t command[2048];
  DWORD size = sizeof command;
  LONG error = RegGetValueW(HKEY_LOCAL_MACHINE,
                            L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lanvoy",
                            L"QuietUninstallString", RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, NULL, command, &size);
  if (error != ERROR_SUCCESS) {
    fprintf(stderr, "run-uninstall: no QuietUninstallString (error %ld)\n", error);
    return 255;
  }
  wprintf(L"run-uninstall: %ls\n", command);
  STARTUPINFOW start = {sizeof start};
  PROCESS_INFORMATION process;
  if (!CreateProcessW(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &start, &process)) {
    fprintf(stderr, "run-uninstall: could not start it (error %lu)\n", GetLastError());
    return 255;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 255;
  GetExitCodeProcess(process.hProcess, &code);
  printf("run-uninstall: exit code %lu\n", code);
  return (int)code;
}
