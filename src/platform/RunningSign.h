#pragma once
// The machine-wide sign that a lanvoy.exe runs: a mutex in the namespace all
// sessions share (installer/names.nsh names it), which the installers look
// for before they replace or remove the program's files. The session's
// single-instance mutex cannot serve: an installer run by SYSTEM or from
// another user's session does not see it.

#include <windows.h>

// Opens or creates the sign and keeps it for the life of the process; the
// system closes it when the process ends. Every running copy holds a handle,
// so the sign lasts while any of them runs. nullptr when it cannot be had.
HANDLE HoldRunningSign();

// The sign's access list: SYSTEM and Administrators fully, everyone may open
// it to wait on it, nothing more, so any user's copy and any installer can
// reach it.
inline constexpr wchar_t kRunningSignAccess[] = L"D:(A;;0x1F0001;;;SY)(A;;0x1F0001;;;BA)(A;;0x100000;;;WD)";
