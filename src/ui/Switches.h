#pragma once
// The settings dialog's three switches: read from the store when it opens,
// written back, to the file and to the sign-in task, when the user confirms.

#include "platform/MessageBox.h"
#include "store/ProfileStore.h"

struct SystemSwitches {
    bool autoExec = false;    // start with Windows
    bool autoUpdate = false;  // check for updates at start
    bool logFlag = false;     // write the operation log

    bool operator==(const SystemSwitches&) const = default;
};

SystemSwitches ReadSwitches(const CProfileStore& store);

// Why a portable copy did not switch start with Windows on.
inline const char16_t* const kUnsafeAutorunMessage =
    u"没有设置开机自动运行：不是管理员的用户也能修改 Lanvoy 程序或它所在的文件夹。\r\n\r\n"
    u"开机时 Lanvoy 以管理员权限启动，任何人换掉这里的程序，都会借此得到管理员权限。"
    u"请把 Lanvoy 放到只有管理员能修改的文件夹中（例如用安装程序安装），再打开此选项。";

// Sets the store's switches, rewrites SYSCONFIG and saves the file, then
// carries autorun out, also when nothing changed. The result is the file
// save's; a failed save is told to the user, since the next start would read
// the old switches, and so is an autorun that was refused or not carried out. The
// switches stay set in memory either way and go out with the next save that
// succeeds. The boxes belong to `owner`, the settings dialog.
int SaveSwitches(CProfileStore& store, const SystemSwitches& switches, IMessageBox& messages, WindowHandle owner);
