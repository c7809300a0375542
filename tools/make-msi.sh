#!/usr/bin/env bash
# Builds the Windows Installer package from a staged folder with wixl, then
# sets in its tables what wixl cannot say (msibuild), and fixes its times and
# codes so that the same inputs give the same bytes.
# Usage: tools/make-msi.sh <version x.y.z> <stage folder> <out.msi> <time, seconds since 1970>
# The stage folder holds lanvoy.exe, Lanvoy使用手册.chm, lanvoy.cfg,
# readme.txt and lanvoy.ico, and lanvoy-service.exe once it is built: without
# it the package installs no service.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
version="$1" stage="$(realpath "$2")" out="$(realpath -m "$3")" epoch="$4"
for tool in wixl msibuild msiinfo x86_64-w64-mingw32-gcc; do
  command -v "$tool" >/dev/null \
    || { echo "make-msi: $tool is missing (Debian: wixl, msitools, gcc-mingw-w64-x86-64-posix)" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/lanvoy-msi.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# wixl crashes on file and shortcut names outside ASCII, and takes sources
# relative to the script: the manual goes in as "manual.chm" and gets its
# Chinese name in the File table below.
mkdir -p "$work/stage"
inputs=(lanvoy.exe manual.chm lanvoy.cfg readme.txt lanvoy.ico)
for f in lanvoy.exe lanvoy.cfg readme.txt lanvoy.ico; do
  cp -p "$stage/$f" "$work/stage/$f"
done
service=()
if [ -f "$stage/lanvoy-service.exe" ]; then
  cp -p "$stage/lanvoy-service.exe" "$work/stage/"
  inputs+=(lanvoy-service.exe)
  service=(-D Service=yes)
fi
cp -p "$stage/Lanvoy使用手册.chm" "$work/stage/manual.chm"
cp "$here/../installer/lanvoy.wxs" "$work/lanvoy.wxs"

# The look for a running Lanvoy, with the mutex names of installer/names.nsh;
# no time stamp and no base address drawn from its path in it, so that it is
# the same wherever it is built.
"$here/names.py" header >"$work/lanvoy_names.h"
x86_64-w64-mingw32-gcc -shared -O2 -s -Wl,--no-insert-timestamp -Wl,--disable-auto-image-base -I"$work" \
  -ffile-prefix-map="$here/..=." -o "$work/stage/msi-running.dll" "$here/../installer/msi-running.c" -lmsi
inputs+=(msi-running.dll)

# The product code changes with each version, as a major upgrade needs; the
# package code with each different package. Both are name-based, not random.
codes="$(cd "$work/stage" && sha256sum "${inputs[@]}" | sha256sum | cut -c1-64)"
upgrade="$("$here/names.py" get UPGRADE_CODE)"
product="$("$here/names.py" product-code "$version" | tr -d '{}')"
package="$("$here/names.py" package-code "$version" "$codes" | tr -d '{}')"

# The cabinet keeps each file's time: the given one for all.
touch -d "@$epoch" "$work/stage"/*
(cd "$work" && wixl -a x64 -D "Version=$version" -D Stage=stage \
  -D "UpgradeCode=$upgrade" -D "ProductCode=$product" -D "PackageCode=$package" "${service[@]}" -o "$work/lanvoy.msi" lanvoy.wxs) \
  >"$work/wixl.log" 2>&1 || { cat "$work/wixl.log" >&2; echo "make-msi: wixl failed" >&2; exit 1; }

# What wixl cannot express:
#  - the database code page, Simplified Chinese (GBK), which every Chinese
#    text below needs: without it the tools drop or choke on them;
#  - the manual's and the shortcuts' Chinese names, and the message shown
#    when a newer version is installed;
#  - the desktop shortcut unless NODESKTOP=1, PipeAccess only with
#    PIPEACCESS=admins; both properties reach the elevated part of an install
#    started from a user's UI only when they are secure;
#  - the refusal while Lanvoy runs: its message, and the look itself as an
#    immediate DLL action (type 1; wixl adds the no-impersonation bit, which
#    only a deferred action may carry);
#  - the install location in the uninstall entry;
#  - the data folder and the earlier versions' leftovers (below).
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$work/lanvoy.msi" -i "$work/_ForceCodepage.idt"
msibuild "$work/lanvoy.msi" -q "UPDATE LaunchCondition SET Description = '已经安装了更新版本的 Lanvoy。' WHERE Condition = 'NOT WIX_DOWNGRADE_DETECTED'"
msibuild "$work/lanvoy.msi" -q "UPDATE File SET FileName = 'LANVOY~1.CHM|Lanvoy使用手册.chm' WHERE File = 'manual.chm'"
msibuild "$work/lanvoy.msi" -q "UPDATE Shortcut SET Name = 'LANVOY~1|Lanvoy 使用手册' WHERE Shortcut = 'MenuManual'"
msibuild "$work/lanvoy.msi" -q "UPDATE Shortcut SET Name = 'LANVOY~2|卸载 Lanvoy' WHERE Shortcut = 'MenuUninstall'"
msibuild "$work/lanvoy.msi" -q "UPDATE Component SET Condition = 'NODESKTOP<>\"1\"' WHERE Component = 'DesktopShortcut'"
msibuild "$work/lanvoy.msi" -q "UPDATE Component SET Condition = 'PIPEACCESS=\"admins\"' WHERE Component = 'PipeAccess'"
secure="$(msiinfo export "$work/lanvoy.msi" Property | tr -d '\r' | sed -n 's/^SecureCustomProperties\t//p')"
msibuild "$work/lanvoy.msi" -q "UPDATE Property SET Value = '${secure:+$secure;}NODESKTOP;PIPEACCESS' WHERE Property = 'SecureCustomProperties'"
msibuild "$work/lanvoy.msi" -q "UPDATE CustomAction SET Type = 1 WHERE Action = 'FindRunningLanvoy'"
# wixl puts it after ExecuteAction in the UI sequence: first, right after AppSearch, in both.
for table in InstallUISequence InstallExecuteSequence; do
  msibuild "$work/lanvoy.msi" -q "UPDATE $table SET Sequence = 51 WHERE Action = 'FindRunningLanvoy'"
done
msibuild "$work/lanvoy.msi" -q "INSERT INTO Property (Property, Value) VALUES ('LanvoyRunningText', 'Lanvoy 正在运行（也可能在其他用户的会话中）。请先从托盘菜单选择“退出”，再安装或卸载 Lanvoy。')"
# "Programs and Features" shows where Lanvoy is: a property set from the
# folder once costing has resolved it.
msibuild "$work/lanvoy.msi" -q "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('SetInstallLocation', 51, 'ARPINSTALLLOCATION', '[INSTALLDIR]')"
msibuild "$work/lanvoy.msi" -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('SetInstallLocation', 1001)"
# Command lines run by the system after the files are in place (deferred, not
# impersonated: 34 + 1024 + 2048; + 64 where a failure must not stop the
# installation). On install and upgrade:
#  - an earlier version's files move from the program's folder into the data
#    folder, unless the data folder has them already;
#  - the distributed configuration is copied there when none is;
#  - the data folder: users change its files but run nothing from it; a
#    program folder outside Program Files: users only read and run;
#  - the service restarts after a failure.
# Always, also on removal: the machine-wide task and Run value of earlier versions go.
# Each entry: name|type|sequence|condition|command line. Only the moves and
# the copy need cmd: its quoting mangles the task's name.
cmd='"[System64Folder]cmd.exe" /d /q /c'
task="$("$here/names.py" get TASK_NAME)"
install='NOT REMOVE~="ALL"'
actions=(
  "LanvoyMoveData|3170|4010|$install|$cmd"' for %f in (lanvoy.cfg config.xml system.log debug.log lanvoy.version) do if exist "[INSTALLDIR]%f" if not exist "[DATAFOLDER]%f" move "[INSTALLDIR]%f" "[DATAFOLDER]%f"'
  "LanvoySeedConfig|3170|4011|$install|$cmd"' if not exist "[DATAFOLDER]lanvoy.cfg" copy "[#lanvoy.default.cfg]" "[DATAFOLDER]lanvoy.cfg"'
  "LanvoyDataAccess|3106|4012|$install|"'"[System64Folder]icacls.exe" "[DATAFOLDER]." /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)(RD,WD,AD,REA,WEA,RA,WA,D,RC,S)'
  "LanvoyProgramAccess|3106|4013|$install AND NOT (INSTALLDIR ~<< ProgramFiles64Folder)|"'"[System64Folder]icacls.exe" "[INSTALLDIR]." /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX'
  "LanvoyOldTask|3170|4014||"'"[System64Folder]schtasks.exe" /Delete /TN "'"$task"'" /F'
  "LanvoyOldRunValue|3170|4015||"'"[System64Folder]reg.exe" delete HKLM\Software\Microsoft\Windows\CurrentVersion\Run /v "'"$task"'" /f'
)
if [ ${#service[@]} -gt 0 ]; then
  actions+=("LanvoyServiceFailure|3170|5850|$install|"'"[System64Folder]sc.exe" failure LanvoyService reset= 86400 actions= restart/5000/restart/5000/restart/60000')
fi
for entry in "${actions[@]}"; do
  IFS='|' read -r name type sequence condition target <<<"$entry"
  [ "${#target}" -le 255 ] || { echo "make-msi: the command of $name is longer than its column" >&2; exit 1; }
  msibuild "$work/lanvoy.msi" -q "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('$name', $type, 'TARGETDIR', '$target')"
  if [ -n "$condition" ]; then
    msibuild "$work/lanvoy.msi" -q "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('$name', '$condition', $sequence)"
  else
    msibuild "$work/lanvoy.msi" -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('$name', $sequence)"
  fi
done
# The summary: Simplified-Chinese template and the package code (wixl draws
# a random one), then the creation and save times.
msibuild "$work/lanvoy.msi" -s "Lanvoy $version" Lanvoy "x64;2052" "{$package}"
/usr/bin/python3 "$here/msi-times.py" "$work/lanvoy.msi" "$epoch"
# What the tables above must hold, read back from the package.
/usr/bin/python3 "$here/check-msi.py" "$work/lanvoy.msi"

mv "$work/lanvoy.msi" "$out"
