#!/usr/bin/env bash
# Creates and boots a private Wine prefix once, with the dialog fonts mapped to
# a font that has Chinese glyphs, and Wine's X11 driver told that no window
# manager runs. Usage: tools/wine-prefix.sh <prefix folder>
# The prefix is marked ready only when the boot and these settings all took;
# otherwise this says what failed, exits non-zero, and the next call tries
# again. A ready prefix that lost one gets it back: a program run in another
# locale (the test of GBK files runs in zh_CN) makes Wine rewrite
# "MS Shell Dlg", and menus and tips then draw boxes.
# Without a window manager (Xvfb has none) Wine waits two seconds after each
# closed dialog or message box for one to confirm it, and the owner freezes
# meanwhile; "Managed" = "N" stops the wait, and Wine draws the title bars
# itself. Their caption buttons are glyphs of Marlett, which Debian's Wine
# ships (fonts-wine) but does not load from its own folder: the font goes
# into the prefix's Fonts folder, or the buttons show letters.
# LANVOY_DIALOG_FONT names the face the dialog fonts map to, by default
# "WenQuanYi Zen Hei". The manual's pictures take "WenQuanYi Zen Hei Sharp":
# its bitmaps draw the hyphens of the list's time column, which the outline
# face leaves out at dialog size. A prefix mapped to another face is mapped
# again, so prefixes shared by both kinds of run follow each run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh" "$1"

marker="$WINEPREFIX/.lanvoy-ready-3"  # -3: the font mapping changed

fail() {
  echo "wine-prefix: $*" >&2
  exit 1
}

# Without these substitutes every Chinese character in a dialog draws as a box.
x11='HKEY_CURRENT_USER\Software\Wine\X11 Driver'
marlett_source=/usr/share/wine/fonts/marlett.ttf
substitutes='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
font="${LANVOY_DIALOG_FONT:-WenQuanYi Zen Hei}"

# A text value of a key, or nothing.
value_of() {
  wine reg query "$1" /v "$2" 2>>"${log:-/dev/null}" | tr -d '\r' |
    sed -n 's/^.*REG_SZ[[:space:]]*//; T; s/[[:space:]]*$//; p'
}

# The face a font name is mapped to, or nothing.
mapped_to() {
  value_of "$substitutes" "$1"
}

marlett_in_prefix() {
  cmp -s "$marlett_source" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
}

configure() {
  # The .reg file must be UTF-16LE with its byte-order mark to carry the name 宋体.
  local reg="$WINEPREFIX/lanvoy-settings.reg" name
  {
    printf '\xff\xfe'
    sed 's/$/\r/' <<REG | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[$substitutes]
"宋体"="$font"
"SimSun"="$font"
"MS Shell Dlg"="$font"
"MS Shell Dlg 2"="$font"
"Tahoma"="$font"

[$x11]
"Managed"="N"

REG
  } > "$reg"
  wine regedit /S "$(winepath -w "$reg")" >>"$log" 2>&1 || true
  # Waiting, not killing: a killed server can lose the import.
  wineserver -w

  # regedit reports nothing useful in its exit code: ask the registry itself.
  for name in SimSun 'MS Shell Dlg'; do
    if [ "$(mapped_to "$name")" != "$font" ]; then
      fail "the font substitute \"$name\" = \"$font\" is missing after the import of $reg (log: $log)"
    fi
  done
  if [ "$(value_of "$x11" Managed)" != N ]; then
    fail "\"$x11\" \"Managed\" = \"N\" is missing after the import of $reg (log: $log)"
  fi

  [ -f "$marlett_source" ] || fail "$marlett_source is missing (Debian: fonts-wine): title bars would show letters"
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp "$marlett_source" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  marlett_in_prefix || fail "Marlett could not be copied into $WINEPREFIX/drive_c/windows/Fonts"
  wineserver -w
}

configured() {
  [ "$(mapped_to 'MS Shell Dlg')" = "$font" ] && [ "$(value_of "$x11" Managed)" = N ] && marlett_in_prefix
}

# A server this script brings up lives on for a few seconds with a desktop on
# this call's display, or on none; a program started on another display
# meanwhile would join it and fail ("no driver could be loaded"). So the
# script ends only once a server it started has ended; one that ran already
# belongs to a caller, who keeps it on one display.
if ! wine_server_running; then
  trap 'wineserver -w' EXIT
fi

if [ -f "$marker" ]; then
  configured && exit 0
  log="$WINEPREFIX/lanvoy-setup.log"
  echo "setting the dialog fonts and the window manager of $WINEPREFIX again"
  configure
  exit 0
fi

command -v wine >/dev/null || fail "wine is missing (Debian: wine, wine64)"
mkdir -p "$WINEPREFIX"
log="$WINEPREFIX/lanvoy-setup.log"
: >"$log"

echo "creating Wine prefix $WINEPREFIX"
if ! wineboot -i >>"$log" 2>&1; then
  tail -n 20 "$log" >&2
  fail "wineboot failed in $WINEPREFIX (log: $log)"
fi
wineserver -w
if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -d "$WINEPREFIX/drive_c" ]; then
  tail -n 20 "$log" >&2
  fail "wineboot left no system.reg or drive_c in $WINEPREFIX (log: $log)"
fi

configure
touch "$marker"
