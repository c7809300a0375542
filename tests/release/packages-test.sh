#!/usr/bin/env bash
# The release packages as an administrator meets them, in a fresh Wine prefix:
#  - packed and signed with a throwaway certificate made here: lanvoy.exe,
#    the uninstaller, the setup program and the MSI verify against its CA;
#  - the detached signatures put back on files rebuilt unsigned give the
#    same bytes; the manifests validate against the published schemas, the
#    MSI's edited tables against their rules;
#  - the setup program: /S /NODESKTOP /ADMINSONLY over an earlier version's
#    files in the program's folder, which move into the data folder; the
#    service runs; then, while Lanvoy runs (also on another window station,
#    or seen only by its machine-wide mutex, as from another session) or a
#    program file is held, the setup and the registered silent uninstall
#    refuse with 2 and change nothing, a held manual fails the setup with 1;
#    the uninstall removes everything but the user's files with 0 once
#    Lanvoy has ended, the service and its temporary copy gone too; a setup
#    right after it keeps its new uninstall.exe;
#  - the MSI: refused (1603) while Lanvoy runs; /qn install with
#    PIPEACCESS=admins NODESKTOP=0 (shortcut made), the same move, an upgrade
#    that keeps a changed lanvoy.cfg byte for byte and honours NODESKTOP=1,
#    /x refused while Lanvoy runs, and /x that stops and removes the service
#    and the earlier versions' sign-in task and keeps the data folder;
#  - Scoop's layout: the portable copy keeps its files in the persisted
#    "data" folder, which its save reaches, and an update keeps them.
# The service is the built lanvoy-service.exe; the installed lanvoy.exe
# finds it (its -debug line in the data folder).
# Usage: packages-test.sh <lanvoy.exe> <version> <work folder>
# lanvoy.exe runs in it, so it needs a display; the manual lies beside it.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
exe="$(realpath "$1")"
version="$2"
work="$(realpath -m "$3")"
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() {  # description, then a command that must succeed
  local what="$1"; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
absent() { local f; for f; do [ ! -e "$f" ] || return 1; done; }
present() { local f; for f; do [ -e "$f" ] || return 1; done; }

# ---- Packages, signed with a certificate of a CA made for this run ----------
pki="$work/pki"
mkdir -p "$pki"
(
  cd "$pki"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
    -subj "/CN=Lanvoy Test CA" -addext basicConstraints=critical,CA:TRUE \
    -addext keyUsage=critical,keyCertSign,cRLSign
  openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Lanvoy Test Signer"
  printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >ext
  openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile ext -out signer.pem
  openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -passout pass:test-password -out signer.p12
) >"$pki/openssl.log" 2>&1 || { cat "$pki/openssl.log"; echo "FAILED: the test certificate"; exit 1; }

service_exe="$(dirname "$exe")/../service/lanvoy-service.exe"
[ -f "$service_exe" ] || { echo "FAILED: no lanvoy-service.exe beside the build of lanvoy.exe ($service_exe)"; exit 1; }
make_stage() {  # folder: the unsigned files the packages are made of
  mkdir -p "$1"
  # The commit's time in the PE headers, as a release has it: two stages are the same.
  SOURCE_DATE_EPOCH=1700000000 x86_64-w64-mingw32-strip -o "$1/lanvoy.exe" "$exe"
  cp "$(dirname "$exe")/Lanvoy使用手册.chm" "$root/res/lanvoy.cfg" "$root/res/art/lanvoy.ico" "$1/"
  cp "$root/installer/readme.txt" "$1/readme.txt"
  SOURCE_DATE_EPOCH=1700000000 x86_64-w64-mingw32-strip -o "$1/lanvoy-service.exe" "$service_exe"
}
stage="$work/stage"
make_stage "$stage"
out="$work/packages"
if ! LANVOY_SIGN_PKCS12="$pki/signer.p12" LANVOY_SIGN_PASSWORD=test-password LANVOY_SIGN_TIMESTAMP= \
     "$root/tools/package.sh" "$version" "$stage" "$out" 1700000000 >"$work/package.log" 2>&1; then
  cat "$work/package.log"
  echo "FAILED: tools/package.sh"
  exit 1
fi
setup="$out/lanvoy-$version-setup.exe"
msi="$out/lanvoy-$version-win64.msi"

verify() {  # file: signed by the test CA's signer, the signature intact
  osslsigncode verify -CAfile "$pki/ca.pem" -in "$1" >"$work/verify.log" 2>&1 \
    && grep -q "Signature verification: ok" "$work/verify.log" \
    && grep -q "Lanvoy Test Signer" "$work/verify.log"
}
check "the setup program is signed" verify "$setup"
check "the MSI is signed" verify "$msi"
mkdir -p "$work/unzipped" "$work/msi-files"
unzip -q "$out/lanvoy-$version-win64.zip" -d "$work/unzipped"
check "lanvoy.exe in the zip is signed" verify "$work/unzipped/Lanvoy/lanvoy.exe"
(cd "$work/msi-files" && msiextract "$msi" >/dev/null)
check "lanvoy.exe in the MSI is signed" verify "$(find "$work/msi-files" -name lanvoy.exe | head -n1)"
unsigned="$work/unsigned.exe"
osslsigncode remove-signature -in "$stage/lanvoy.exe" -out "$unsigned" >/dev/null 2>&1
check "an unsigned file does not verify" bash -c "! osslsigncode verify -CAfile '$pki/ca.pem' -in '$unsigned' >/dev/null 2>&1"

# Anyone can rebuild the unsigned files; the published signatures, attached,
# must give the released bytes.
make_stage "$work/stage-again"
if LANVOY_SIGNATURES="$out/signatures" LANVOY_SIGN_CAFILE="$pki/ca.pem" \
     "$root/tools/package.sh" "$version" "$work/stage-again" "$work/reattached" 1700000000 >"$work/reattach.log" 2>&1; then
  for f in "lanvoy-$version-win64.zip" "lanvoy-$version-setup.exe" "lanvoy-$version-win64.msi"; do
    check "the detached signatures reattached give $f byte for byte" cmp -s "$out/$f" "$work/reattached/$f"
  done
else
  cat "$work/reattach.log"
  fail "the packages with the detached signatures attached"
fi
x86_64-w64-mingw32-strip -o "$work/other.exe" "$service_exe"
check "a signature does not attach to other bytes" bash -c "! LANVOY_SIGNATURES='$out/signatures' LANVOY_SIGN_CAFILE='$pki/ca.pem' '$root/tools/sign.sh' --as lanvoy.exe '$work/other.exe' >/dev/null 2>&1"

check "the manifests validate against the winget 1.12.0 and Scoop schemas" \
  grep -q "valid against the winget 1.12.0 and Scoop schemas" "$work/package.log"
cp -r "$out/manifests" "$work/wrong-manifests"
sed -i 's/ElevationRequirement: elevatesSelf/ElevationRequirement: elevates/' \
  "$work/wrong-manifests/winget/Lanvoy.Lanvoy/$version/Lanvoy.Lanvoy.installer.yaml"
check "... and a value their schema does not know is refused" \
  bash -c "! /usr/bin/python3 '$root/tools/manifests.py' --check '$version' '$out' '$work/wrong-manifests' 2>/dev/null"
cp "$msi" "$work/wrong.msi"
msibuild "$work/wrong.msi" -q "UPDATE Component SET Condition = 'NOT NODESKTOP' WHERE Component = 'DesktopShortcut'"
check "the MSI check refuses the desktop shortcut's earlier condition" \
  bash -c "! /usr/bin/python3 '$root/tools/check-msi.py' '$work/wrong.msi' 2>/dev/null"

# ---- A fresh prefix ------------------------------------------------------------
# Wine links the user's desktop to $HOME/Desktop: one inside the work folder.
export HOME="$work/home"
mkdir -p "$HOME/Desktop"
# The demo machine: the installed program starts without a message about missing adapters.
"$root/tools/seed-demo.sh" "$work/wineprefix" >/dev/null || { echo "FAILED: the Wine prefix"; exit 1; }
source "$root/tools/wine-env.sh" "$work/wineprefix"
trap 'wineserver -k >/dev/null 2>&1' EXIT
c="$WINEPREFIX/drive_c"
dir="$c/Program Files/Lanvoy"
data="$c/ProgramData/Lanvoy"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Lanvoy"
desktop="$c/users/Public/Desktop"
# Wine's msiexec puts an all-users package's shortcuts in the installing
# user's folders (Windows uses the common ones above).
user_menu="$c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Lanvoy"
user_desktop="$HOME/Desktop"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
runner="$work/run-uninstall.exe"
x86_64-w64-mingw32-gcc -municode -O1 -o "$runner" "$here/run-uninstall.c" || exit 1
probe="$work/probe.exe"
x86_64-w64-mingw32-gcc -municode -O1 -o "$probe" "$here/probe.c" -ladvapi32 || exit 1
running_mutex="$("$root/tools/names.py" get RUNNING_MUTEX)"
# As lanvoy.exe makes it (src/platform/RunningSign.h).
sign_access='D:(A;;0x1F0001;;;SY)(A;;0x1F0001;;;BA)(A;;0x100000;;;WD)'
# What a refusal must leave as it was: the program's files, the Start menu,
# the records and the service.
snapshot() {
  find "$dir" "$menu" -printf '%p %s %T@\n' 2>/dev/null | sort
  wine reg query "$key\\Lanvoy" /s /reg:64 2>/dev/null | tr -d '\r'
  wine reg query "$lanvoy_key" /s /reg:64 2>/dev/null | tr -d '\r'
  wine sc query LanvoyService 2>/dev/null | tr -d '\r' | grep STATE
}
# background <log> <command...>: started, its process id in $!
stop_lanvoy() { wine taskkill /f /im lanvoy.exe >/dev/null 2>&1; sleep 1; }
# refuses <what>: the silent setup and the silent uninstall give 2 and leave
# everything as it was.
refuses() {
  local before; before="$(snapshot)"
  check "the silent setup exits 2 while $1" [ "$(code wine "$setup" /S)" = 2 ]
  check "the silent uninstall exits 2 while $1" [ "$(code wine "$runner")" = 2 ]
  check "... and neither changed anything" [ "$before" = "$(snapshot)" ]
}
code() { "$@" >>"$work/wine.log" 2>&1; echo $?; }
entries() { wine reg query "$key" /s /reg:64 2>/dev/null | tr -d '\r'; }
running() { wine sc query LanvoyService 2>/dev/null | tr -d '\r' | grep -q 'STATE.*RUNNING'; }
no_service() { ! wine sc query LanvoyService >/dev/null 2>&1; }
# value <key> <name> <expected text, a grep pattern>
value() { wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r' | grep -q "$2.*$3"; }
lanvoy_key='HKLM\Software\Lanvoy'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
old_task='Lanvoy(CORVELL STUDIO)'
# An earlier version's installation: its files in the program's folder, its
# machine-wide task and Run value; $work/earlier.cfg holds the profiles.
earlier_layout() {
  rm -rf "$data"
  mkdir -p "$dir"
  { cat "$root/res/lanvoy.cfg"; printf 'earlier profiles \xe5\x8a\x9e\r\n'; } >"$dir/lanvoy.cfg"
  printf 'earlier log\r\n' >"$dir/system.log"
  cp "$dir/lanvoy.cfg" "$work/earlier.cfg"
  wine reg add "$run_key" /v "$old_task" /d 'C:\Lanvoy\lanvoy.exe -hide' /f /reg:64 >>"$work/wine.log" 2>&1
  earlier_task
}
# Wine's schtasks makes a task from a document only.
earlier_task() {
  printf '<?xml version="1.0"?>\r\n<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task"><Settings><Enabled>true</Enabled></Settings><Actions Context="Author"><Exec><Command>C:\\Lanvoy\\lanvoy.exe</Command><Arguments>-hide</Arguments></Exec></Actions></Task>\r\n' \
    >"$work/earlier-task.xml"
  wine schtasks /Create /TN "$old_task" /XML "$(winepath -w "$work/earlier-task.xml")" /F >>"$work/wine.log" 2>&1
  [ -e "$c/windows/system32/tasks/$old_task" ] || echo "note: the earlier sign-in task could not be made"
}
moved_into_data() {
  cmp -s "$data/lanvoy.cfg" "$work/earlier.cfg" && [ -f "$data/system.log" ] && absent "$dir/lanvoy.cfg" "$dir/system.log"
}

# ---- The setup program -----------------------------------------------------------
earlier_layout
check "setup /S /NODESKTOP /ADMINSONLY exits 0" [ "$(code wine "$setup" /S /NODESKTOP /ADMINSONLY)" = 0 ]
for f in lanvoy.exe lanvoy-service.exe "Lanvoy使用手册.chm" readme.txt uninstall.exe; do
  check "setup installed $f" [ -f "$dir/$f" ]
done
check "setup moved the earlier lanvoy.cfg byte for byte and the log into the data folder" moved_into_data
check "setup recorded the folders and the restricted pipe" bash -c "$(declare -f value); value '$lanvoy_key' InstallDir 'C:.Program Files.Lanvoy' && value '$lanvoy_key' DataDir 'C:.ProgramData.Lanvoy' && value '$lanvoy_key' PipeAccess admins"
check "the service runs" running
check "... from its quoted path" bash -c "$(declare -f value); value 'HKLM\System\CurrentControlSet\Services\LanvoyService' ImagePath '\"C:.Program Files.Lanvoy.lanvoy-service.exe\"'"
check "... and is the event source, with its message file" bash -c "$(declare -f value); value 'HKLM\System\CurrentControlSet\Services\EventLog\Application\Lanvoy' EventMessageFile 'lanvoy-service.exe' && value 'HKLM\System\CurrentControlSet\Services\EventLog\Application\Lanvoy' TypesSupported 0x7"
check "setup removed the earlier Run value and task" bash -c "! wine reg query '$run_key' /v '$old_task' /reg:64 >/dev/null 2>&1 && [ ! -e '$c/windows/system32/tasks/$old_task' ]"
check "setup made the Start-menu entries" present "$menu/Lanvoy.lnk" "$menu/Lanvoy 使用手册.lnk" "$menu/卸载 Lanvoy.lnk"
check "/NODESKTOP left out the desktop icon" absent "$desktop/Lanvoy.lnk"
check "the uninstaller is signed" verify "$dir/uninstall.exe"
check "the silent uninstall is registered with _?=" bash -c "wine reg query '$key\\Lanvoy' /v QuietUninstallString /reg:64 2>/dev/null | grep -q '/S _?=C:\\\\Program Files\\\\Lanvoy'"
printf 'user profiles\r\n' >>"$data/lanvoy.cfg"
cp "$data/lanvoy.cfg" "$work/changed.cfg"

# While Lanvoy runs, the silent uninstall refuses with 2 and removes nothing.
(cd "$dir" && exec wine lanvoy.exe -hide -debug >/dev/null 2>&1) &
program=$!
for _ in $(seq 30); do [ -s "$data/debug.log" ] && break; sleep 1; done
check "the installed lanvoy.exe asked the service at start" bash -c "iconv -f UTF-16LE -t UTF-8 '$data/debug.log' 2>/dev/null | grep -q '服务：已应答'"
check "the silent uninstall exits 2 while Lanvoy runs" [ "$(code wine "$runner")" = 2 ]
check "... and removed nothing" present "$dir/lanvoy.exe" "$dir/uninstall.exe" "$menu/Lanvoy.lnk"
check "... and kept the uninstall entry" bash -c "wine reg query '$key\\Lanvoy' /reg:64 >/dev/null 2>&1"
check "the running Lanvoy holds the machine-wide sign, which everyone may open to wait on" \
  bash -c "wine '$probe' mutex '$running_mutex' | tr -d '\r' | grep -qi 'A;;0x100000;;;WD'"
kill "$program" 2>/dev/null
stop_lanvoy
wait "$program" 2>/dev/null

# Started where the installers' session would not see its windows: on a
# window station of its own.
wine "$probe" elsewhere 'C:\Program Files\Lanvoy\lanvoy.exe' -hide >"$work/elsewhere.log" 2>&1 &
program=$!
sleep 5
check "a Lanvoy on another window station runs" [ "$(code wine "$probe" mutex "$running_mutex")" = 0 ]
refuses "Lanvoy runs on another window station"
stop_lanvoy
wait "$program" 2>/dev/null
# Another session's Lanvoy, as an installer sees it: only the machine-wide
# sign (Wine has one namespace for all sessions; the session's mutex would
# not be seen on Windows).
wine "$probe" sign "$running_mutex" "$sign_access" >>"$work/wine.log" 2>&1 &
sign=$!
sleep 2
refuses "another session's Lanvoy runs"
wine taskkill /f /im probe.exe >/dev/null 2>&1
wait "$sign" 2>/dev/null

# A program file in use (by whatever): refused before anything changes.
hold() { wine "$probe" hold "$(winepath -w "$1")" >>"$work/wine.log" 2>&1 & sleep 2; }
hold "$dir/lanvoy.exe"
refuses "lanvoy.exe is held open"
wine taskkill /f /im probe.exe >/dev/null 2>&1
# A file that cannot be written midway fails the setup, never 0.
hold "$dir/Lanvoy使用手册.chm"
check "the silent setup fails with 1 when the manual cannot be replaced" [ "$(code wine "$setup" /S)" = 1 ]
check "... and starts the service it stopped again" running
check "the silent uninstall exits 2 while the manual is held" [ "$(code wine "$runner")" = 2 ]
wine taskkill /f /im probe.exe >/dev/null 2>&1
sleep 1

# Once it has ended: 0, and everything of the program gone when it returns.
check "the silent uninstall exits 0" [ "$(code wine "$runner")" = 0 ]
for f in lanvoy.exe "Lanvoy使用手册.chm" readme.txt; do
  check "the uninstall removed $f" absent "$dir/$f"
done
check "the uninstall removed the Start-menu folder" absent "$menu"
check "the uninstall removed its entry" bash -c "! wine reg query '$key\\Lanvoy' /reg:64 >/dev/null 2>&1"
check "the uninstall stopped and removed the service" no_service
check "the uninstall kept lanvoy.cfg byte for byte in the data folder" cmp -s "$data/lanvoy.cfg" "$work/changed.cfg"
check "the uninstall kept the log" [ -f "$data/system.log" ]
check "the uninstall removed the record of the installation" bash -c "! wine reg query '$lanvoy_key' /reg:64 >/dev/null 2>&1"
# An installation right after the uninstall keeps its own uninstall.exe, also
# past the next start ("wineboot -r"): only the old file was to go.
check "a silent setup right after the uninstall exits 0" [ "$(code wine "$setup" /S)" = 0 ]
sleep 2
wine wineboot -r >>"$work/wine.log" 2>&1
wineserver -w
check "... and its uninstall.exe stays, past the next start" present "$dir/uninstall.exe"
check "the silent uninstall of that exits 0" [ "$(code wine "$runner")" = 0 ]
# The uninstaller's own file goes once it has ended, and the folder with it.
for _ in $(seq 50); do [ -e "$dir" ] || break; sleep 0.2; done
check "the uninstaller's file and the program's folder are gone after it" absent "$dir/uninstall.exe" "$dir"
wine wineboot -r >>"$work/wine.log" 2>&1
wineserver -w
check "the uninstaller's temporary copies are gone after the next start" \
  bash -c "[ -z \"\$(find '$c/users' -iname '*.exe' -path '*Temp*' 2>/dev/null)\" ]"
rm -rf "$dir"

# ---- The MSI ----------------------------------------------------------------------
earlier_layout
wine "$probe" sign "$running_mutex" "$sign_access" >>"$work/wine.log" 2>&1 &
sleep 2
# Windows ends a package whose immediate action fails with 1603; Wine's
# msiexec gives another code (67) for it: refused is what counts here.
refused_msi() { [ "$1" != 0 ] && { [ "$1" = 1603 ] || echo "note: msiexec refused with $1 (Windows: 1603)"; }; }
check "msiexec /i /qn refuses while Lanvoy runs" refused_msi "$(code wine msiexec /i "$(winepath -w "$msi")" /qn /norestart)"
check "... and installed nothing" bash -c "[ ! -e '$dir/lanvoy.exe' ] && $(declare -f no_service); no_service"
wine taskkill /f /im probe.exe >/dev/null 2>&1
check "msiexec /i /qn PIPEACCESS=admins NODESKTOP=0 exits 0" \
  [ "$(code wine msiexec /i "$(winepath -w "$msi")" /qn /norestart PIPEACCESS=admins NODESKTOP=0)" = 0 ]
for f in lanvoy.exe lanvoy-service.exe "Lanvoy使用手册.chm" readme.txt; do
  check "the MSI installed $f" [ -f "$dir/$f" ]
done
check "the MSI moved the earlier lanvoy.cfg byte for byte and the log into the data folder" moved_into_data
check "the MSI recorded the folders and the restricted pipe" bash -c "$(declare -f value); value '$lanvoy_key' InstallDir 'C:.Program Files.Lanvoy' && value '$lanvoy_key' DataDir 'C:.ProgramData.Lanvoy' && value '$lanvoy_key' PipeAccess admins"
check "the MSI's service runs" running
check "the MSI registered the event source" bash -c "$(declare -f value); value 'HKLM\System\CurrentControlSet\Services\EventLog\Application\Lanvoy' EventMessageFile 'lanvoy-service.exe'"
check "the MSI removed the earlier Run value" bash -c "! wine reg query '$run_key' /v '$old_task' /reg:64 >/dev/null 2>&1"
menu_entries() { present "$1/Lanvoy.lnk" "$1/Lanvoy 使用手册.lnk" "$1/卸载 Lanvoy.lnk"; }
check "the MSI made the Start-menu entries" bash -c "$(declare -f present menu_entries); menu_entries '$menu' || menu_entries '$user_menu'"
check "NODESKTOP=0: the MSI made the desktop shortcut" bash -c "[ -f '$desktop/Lanvoy.lnk' ] || [ -f '$user_desktop/Lanvoy.lnk' ]"
check "the MSI registered Lanvoy, its version apart" bash -c "wine reg query '$key' /s /reg:64 2>/dev/null | tr -d '\r' | grep -qE 'DisplayName +REG_SZ +Lanvoy\$' && wine reg query '$key' /s /reg:64 2>/dev/null | tr -d '\r' | grep -qE 'DisplayVersion +REG_SZ +$version\$'"
check "... with its folder" bash -c "wine reg query '$key' /s /reg:64 2>/dev/null | tr -d '\r' | grep -q 'InstallLocation.*C:.Program Files.Lanvoy'"

# An upgrade to a later version over a changed configuration and a log.
printf 'user profiles\r\n' >>"$data/lanvoy.cfg"
cp "$data/lanvoy.cfg" "$work/changed.cfg"
next="$(echo "$version" | awk -F. '{ printf "%d.%d.%d", $1, $2, $3 + 1 }')"
"$root/tools/make-msi.sh" "$next" "$stage" "$work/next.msi" 1700000000 || fail "the MSI of $next"
check "the upgrade to $next with NODESKTOP=1 exits 0" [ "$(code wine msiexec /i "$(winepath -w "$work/next.msi")" /qn NODESKTOP=1)" = 0 ]
check "the upgrade kept lanvoy.cfg byte for byte" cmp -s "$data/lanvoy.cfg" "$work/changed.cfg"
check "the upgrade kept the log" [ -f "$data/system.log" ]
check "the service runs after the upgrade" running
check "the upgrade kept the restricted pipe" bash -c "$(declare -f value); value '$lanvoy_key' PipeAccess admins"
check "the upgrade left one entry, for $next" bash -c "n=\$(wine reg query '$key' /s /reg:64 2>/dev/null | tr -d '\r' | grep -cE 'DisplayName +REG_SZ +Lanvoy\$'); [ \"\$n\" = 1 ] && wine reg query '$key' /s /reg:64 2>/dev/null | tr -d '\r' | grep -qE 'DisplayVersion +REG_SZ +$next\$'"
check "NODESKTOP=1 left out the desktop shortcut" absent "$desktop/Lanvoy.lnk" "$user_desktop/Lanvoy.lnk"
check "the upgraded program is there" [ -f "$dir/lanvoy.exe" ]

# While Lanvoy runs the removal is refused too.
(cd "$dir" && exec wine lanvoy.exe -hide >/dev/null 2>&1) &
sleep 5
check "msiexec /x /qn refuses while Lanvoy runs" refused_msi "$(code wine msiexec /x "$(winepath -w "$work/next.msi")" /qn /norestart)"
check "... and removed nothing" bash -c "[ -f '$dir/lanvoy.exe' ] && $(declare -f running); running"
stop_lanvoy

# A task as an earlier version made it: the removal takes it too.
earlier_task
check "msiexec /x /qn exits 0" [ "$(code wine msiexec /x "$(winepath -w "$work/next.msi")" /qn)" = 0 ]
for f in lanvoy.exe "Lanvoy使用手册.chm" readme.txt; do
  check "msiexec /x removed $f" absent "$dir/$f"
done
check "msiexec /x removed the Start-menu folder" absent "$menu" "$user_menu"
check "msiexec /x stopped and removed the service" no_service
# The removal runs schtasks as the setup program does, but Wine's scheduler
# keeps the task when the Windows Installer runs it: said, not failed.
if [ -e "$c/windows/system32/tasks/$old_task" ]; then
  echo "note: Wine's scheduler kept the earlier sign-in task after msiexec /x (its removal ran; see the README)"
fi
check "msiexec /x kept lanvoy.cfg byte for byte in the data folder" cmp -s "$data/lanvoy.cfg" "$work/changed.cfg"
check "msiexec /x kept the log" [ -f "$data/system.log" ]
check "msiexec /x removed the entry" bash -c "! wine reg query '$key' /s /reg:64 2>/dev/null | tr -d '\r' | grep -qE 'DisplayName +REG_SZ +Lanvoy\$'"

# ---- Scoop ---------------------------------------------------------------------
# Its layout: each version unpacked into a folder of its own, the persisted
# "data" folder linked into it (a junction on Windows, a link here).
scoop="$c/users/$(id -un)/scoop"
scoop_version() {  # folder name
  mkdir -p "$scoop/apps/lanvoy/$1" "$scoop/persist/lanvoy/data"
  unzip -q -o "$out/lanvoy-$version-win64.zip" -d "$work/scoop-unzip-$1"
  cp -r "$work/scoop-unzip-$1/Lanvoy/." "$scoop/apps/lanvoy/$1/"
  ln -sfn "$scoop/persist/lanvoy/data" "$scoop/apps/lanvoy/$1/data"
}
run_scoop() {  # folder name, the persisted file to wait for: the copy started and ended again
  (cd "$scoop/apps/lanvoy/$1" && exec wine lanvoy.exe -hide -debug >/dev/null 2>&1) &
  for _ in $(seq 30); do [ -s "$scoop/persist/lanvoy/data/$2" ] && break; sleep 1; done
  stop_lanvoy
}
scoop_version one
# No configuration yet: the program saves a new one (and says so in a box).
run_scoop one lanvoy.cfg
check "Scoop: the save of the configuration reaches the persisted copy" [ -s "$scoop/persist/lanvoy/data/lanvoy.cfg" ]
run_scoop one debug.log
check "... and so does the log" [ -s "$scoop/persist/lanvoy/data/debug.log" ]
check "... and the distributed lanvoy.cfg beside the program is untouched" cmp -s "$scoop/apps/lanvoy/one/lanvoy.cfg" "$root/res/lanvoy.cfg"
printf 'scoop user profiles\r\n' >>"$scoop/persist/lanvoy/data/lanvoy.cfg"
cp "$scoop/persist/lanvoy/data/lanvoy.cfg" "$work/scoop.cfg"
scoop_version two
run_scoop two debug.log
check "Scoop: after an update the persisted lanvoy.cfg is still the user's, byte for byte" cmp -s "$scoop/persist/lanvoy/data/lanvoy.cfg" "$work/scoop.cfg"

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed (Wine's output: $work/wine.log)"
  exit 1
fi
echo "all package checks passed"
