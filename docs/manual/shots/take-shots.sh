#!/usr/bin/env bash
# Takes the manual's pictures: starts lanvoy.exe on the demo machine in a Wine
# prefix of its own, on a virtual screen, works it through each scene and
# saves trimmed PNG files into docs/manual/images.
# Usage: docs/manual/shots/take-shots.sh <lanvoy.exe> [scene...]
# The prefix and the scratch folders live in build/manual-shots.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
exe="$(realpath "${1:?usage: $0 <lanvoy.exe> [scene...]}")"
shift

if [ -z "${LANVOY_SHOTS_ON_SCREEN:-}" ]; then
  LANVOY_SHOTS_ON_SCREEN=1 exec "$root/tools/with-xvfb.sh" "$0" "$exe" "$@"
fi

work="$root/build/manual-shots"
prefix="$work/wineprefix"
images="$root/docs/manual/images"
mkdir -p "$work" "$images"
"$root/tools/seed-demo.sh" "$prefix" >/dev/null
source "$root/tools/wine-env.sh" "$prefix"

# The bitmap face of WenQuanYi Zen Hei draws the hyphens of the time column
# that the outline face leaves out at dialog size; the pictures should show
# the texts as Windows does.
font="${LANVOY_SHOTS_FONT:-WenQuanYi Zen Hei Sharp}"
{
  printf '\xff\xfe'
  sed 's/$/\r/' <<REG | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"宋体"="$font"
"SimSun"="$font"
"MS Shell Dlg"="$font"
"MS Shell Dlg 2"="$font"
"Tahoma"="$font"

REG
} >"$work/fonts.reg"
wine regedit /S "$(winepath -w "$work/fonts.reg")" >/dev/null 2>&1 || true

# A virtual desktop of Wine's own: there Wine draws the title bars and
# frames that a screen without a window manager leaves out.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w

tool="$work/manual-shots.exe"
if [ ! -f "$tool" ] || [ "$here/ManualShots.cpp" -nt "$tool" ]; then
  x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -municode -static -DUNICODE -D_UNICODE -DNOMINMAX \
    -o "$tool" "$here/ManualShots.cpp" -lcomctl32 -lgdi32 -luser32
fi

# Each scene: a name, then the steps of the tool. The program starts afresh
# for each scene with the demo configuration and the operation log on; the
# apply comes last, since it changes the demo machine.
scenes() {
  cat <<'SCENES'
main-window      click:2 away shot:main-window:main
row-tip          hover:2 shot:row-tip:main
file-menu        menu:f shot:file-menu:menus
edit-menu        click:0 away menu:e shot:edit-menu:menus
options-menu     menu:o keys:down,down,right shot:options-menu:menus
list-menu        rclick:0 shot:list-menu:menus
tray-menu        tray keys:down,down,down,down,down,right shot:tray-menu:popup
editor-new       cmd:32803 shot:editor-new:dialog
editor-edit      click:0 cmd:32776 shot:editor-manual:dialog tab:1 shot:editor-untouched:dialog
editor-dhcp      click:1 cmd:32776 shot:editor-dhcp:dialog
editor-dns       click:0 cmd:32776 drop:1035 shot:editor-dns:dialog
properties       click:2 cmd:32804 shot:properties:dialog
backup           cmd:32778 shot:backup:dialog
current-ip       cmd:32793 shot:current-ip:dialog
settings         cmd:32789 shot:settings:dialog
about            cmd:32773 shot:about:dialog
no-selection     cmd:32795 shot:no-selection:dialog
apply            click:0 cmd:32777 wait:2500 shot:apply-done:dialog
SCENES
}

wanted=" $* "
status=0
while read -r name steps; do
  [ -z "$name" ] && continue
  [ $# -gt 0 ] && [[ "$wanted" != *" $name "* ]] && continue
  run="$work/run-$name"
  rm -rf "$run" && mkdir -p "$run"
  cp "$exe" "$run/lanvoy.exe"
  sed 's|<LOGFLAG>FALSE</LOGFLAG>|<LOGFLAG>TRUE</LOGFLAG>|' "$root/tools/demo/lanvoy.cfg" >"$run/lanvoy.cfg"
  (cd "$run" && exec wine lanvoy.exe >/dev/null 2>&1) &
  program=$!
  # shellcheck disable=SC2086
  if ! wine "$tool" "$(winepath -w "$run")" $steps; then
    echo "take-shots: scene $name failed" >&2
    status=1
  fi
  kill "$program" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  wait "$program" 2>/dev/null || true
  for bmp in "$run"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" -strip "$images/$(basename "${bmp%.bmp}").png"
    echo "saved $images/$(basename "${bmp%.bmp}").png"
  done
done < <(scenes)
exit $status
