#pragma once
// The desktop shortcut of a profile: the link file's name and what the link
// starts. Starting it runs the program with "-n" and the profile's number,
// which applies that profile and ends.

#include "platform/Shell.h"
#include "ui/MainCommands.h"

#include <cstddef>
#include <string>

// The program's third icon, the one made for shortcuts.
inline constexpr int kShortcutIconIndex = 2;

// The longest file name a folder entry may have.
inline constexpr std::size_t kMaxFileNameLength = 255;

// The link file's name for a profile: its name and ".lnk", made safe to
// create inside one folder. Characters a file name cannot hold (path
// separators, ":*?"<>|", control characters) become "_"; a device name such
// as "con" or "LPT1.x" gets a leading "_"; an empty name becomes "_"; a
// name too long for `maxLength` (".lnk" included) is cut to fit.
std::u16string ShortcutFileName(const std::u16string& profileName, std::size_t maxLength = kMaxFileNameLength);

// The link for a profile on the desktop: it starts the executable with
// " -n" and the profile's number, in the executable's folder, with the
// shortcut icon. The link path stays within the usual path limit.
ShortcutRequest ShortcutFor(const std::u16string& executablePath, const std::u16string& desktopFolder,
                            const std::u16string& profileId, const std::u16string& profileName);

// Puts the marked row's shortcut on the desktop, replacing an earlier one of
// the same name. Shows nothing; false when no link was written.
bool CreateProfileShortcut(IShell& shell, const std::u16string& executablePath, const ProfileRow& row);
