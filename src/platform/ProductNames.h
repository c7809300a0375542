#pragma once
// The names the program, the service and the installers meet by. The
// installers (installer/) spell the same texts; those they share with the
// program come from installer/names.nsh through lanvoy_names.h.

#include "lanvoy_names.h"

#include <string>

// The service that makes the adapter changes a standard user may not.
inline const std::u16string kServiceName = u"LanvoyService";
inline const std::u16string kServiceDisplayName = u"Lanvoy Network Service";
inline const std::u16string kServiceExecutable = u"lanvoy-service.exe";
// Its one pipe.
inline const std::u16string kServicePipeName = u"\\\\.\\pipe\\LanvoyService";
// The mutex that keeps one window-owning instance, and the property of that
// instance's main window by which another start or a test finds it.
inline const std::u16string kInstanceName = u"" LANVOY_SESSION_MUTEX;
// The event log source under Application.
inline const std::u16string kEventSource = u"Lanvoy";

// HKEY_LOCAL_MACHINE: what the installers record of an installed copy.
inline const std::u16string kInstallKey = u"Software\\Lanvoy";
inline const std::u16string kInstallDirValue = u"InstallDir";  // the program's folder
inline const std::u16string kDataDirValue = u"DataDir";        // where that copy keeps its files
// "admins" restricts the pipe to Administrators and Network Configuration
// Operators; anything else, or no value, lets interactive users in.
inline const std::u16string kPipeAccessValue = u"PipeAccess";
inline const std::u16string kPipeAccessAdmins = u"admins";
