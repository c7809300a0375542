#!/usr/bin/env bash
# Builds the Windows Installer package from a staged folder with wixl, then
# sets in its tables what wixl cannot say (msibuild), and fixes its times and
# codes so that the same inputs give the same bytes.
# Usage: tools/make-msi.sh <version x.y.z> <stage folder> <out.msi> <time, seconds since 1970>
# The stage folder holds lanvoy.exe, Lanvoy使用手册.chm, lanvoy.cfg,
# readme.txt and lanvoy.ico.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
version="$1" stage="$(realpath "$2")" out="$(realpath -m "$3")" epoch="$4"
for tool in wixl msibuild; do
  command -v "$tool" >/dev/null || { echo "make-msi: $tool is missing (Debian: wixl, msitools)" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/lanvoy-msi.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# wixl crashes on file and shortcut names outside ASCII, and takes sources
# relative to the script: the manual goes in as "manual.chm" and gets its
# Chinese name in the File table below.
mkdir -p "$work/stage"
for f in lanvoy.exe lanvoy.cfg readme.txt lanvoy.ico; do
  cp -p "$stage/$f" "$work/stage/$f"
done
cp -p "$stage/Lanvoy使用手册.chm" "$work/stage/manual.chm"
cp "$here/../installer/lanvoy.wxs" "$work/lanvoy.wxs"

# The product code changes with each version, as a major upgrade needs; the
# package code with each different package. Both are name-based, not random.
codes="$(cd "$work/stage" && sha256sum lanvoy.exe manual.chm lanvoy.cfg readme.txt lanvoy.ico | sha256sum | cut -c1-64)"
read -r product package < <(/usr/bin/python3 - "$version" "$codes" <<'PY'
import sys, uuid
ns = uuid.UUID("5b0c6a3e-52d1-4f4b-9e6a-3d1c7a2f9e11")  # the upgrade code
version, digest = sys.argv[1], sys.argv[2]
print(str(uuid.uuid5(ns, "product " + version)).upper(),
      str(uuid.uuid5(ns, "package " + version + " " + digest)).upper())
PY
)

# The cabinet keeps each file's time: the given one for all.
touch -d "@$epoch" "$work/stage"/*
(cd "$work" && wixl -a x64 -D "Version=$version" -D Stage=stage \
  -D "ProductCode=$product" -D "PackageCode=$package" -o "$work/lanvoy.msi" lanvoy.wxs) \
  >"$work/wixl.log" 2>&1 || { cat "$work/wixl.log" >&2; echo "make-msi: wixl failed" >&2; exit 1; }

# What wixl cannot express:
#  - the database code page, Simplified Chinese (GBK), which every Chinese
#    text below needs: without it the tools drop or choke on them;
#  - the manual's and the shortcuts' Chinese names, and the message shown
#    when a newer version is installed;
#  - lanvoy.cfg: Permanent (0x10) and NeverOverwrite (0x80) beside 64-bit (0x100);
#  - the desktop shortcut only without NODESKTOP;
#  - the install location in the uninstall entry (below).
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$work/lanvoy.msi" -i "$work/_ForceCodepage.idt"
msibuild "$work/lanvoy.msi" -q "UPDATE LaunchCondition SET Description = '已经安装了更新版本的 Lanvoy。' WHERE Condition = 'NOT WIX_DOWNGRADE_DETECTED'"
msibuild "$work/lanvoy.msi" -q "UPDATE File SET FileName = 'LANVOY~1.CHM|Lanvoy使用手册.chm' WHERE File = 'manual.chm'"
msibuild "$work/lanvoy.msi" -q "UPDATE Shortcut SET Name = 'LANVOY~1|Lanvoy 使用手册' WHERE Shortcut = 'MenuManual'"
msibuild "$work/lanvoy.msi" -q "UPDATE Shortcut SET Name = 'LANVOY~2|卸载 Lanvoy' WHERE Shortcut = 'MenuUninstall'"
msibuild "$work/lanvoy.msi" -q "UPDATE Component SET Attributes = 400 WHERE Component = 'Config'"
msibuild "$work/lanvoy.msi" -q "UPDATE Component SET Condition = 'NOT NODESKTOP' WHERE Component = 'DesktopShortcut'"
# "Programs and Features" shows where Lanvoy is: a property set from the
# folder once costing has resolved it.
msibuild "$work/lanvoy.msi" -q "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('SetInstallLocation', 51, 'ARPINSTALLLOCATION', '[INSTALLDIR]')"
msibuild "$work/lanvoy.msi" -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('SetInstallLocation', 1001)"
# The summary: Simplified-Chinese template and the package code (wixl draws
# a random one), then the creation and save times.
msibuild "$work/lanvoy.msi" -s "Lanvoy $version" Lanvoy "x64;2052" "{$package}"
/usr/bin/python3 "$here/msi-times.py" "$work/lanvoy.msi" "$epoch"

mv "$work/lanvoy.msi" "$out"
