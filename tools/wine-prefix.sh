#!/usr/bin/env bash
# Creates and boots a private Wine prefix once, with the dialog fonts mapped to
# a font that has Chinese glyphs. Usage: tools/wine-prefix.sh <prefix folder>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh" "$1"

marker="$WINEPREFIX/.lanvoy-ready"
[ -f "$marker" ] && exit 0

mkdir -p "$WINEPREFIX"
echo "creating Wine prefix $WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# Without these substitutes every Chinese character in a dialog draws as a box.
# The .reg file must be UTF-16LE with its byte-order mark to carry the name 宋体.
reg="$WINEPREFIX/lanvoy-fonts.reg"
{
  printf '\xff\xfe'
  sed 's/$/\r/' <<'REG' | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"宋体"="WenQuanYi Zen Hei"
"SimSun"="WenQuanYi Zen Hei"
"MS Shell Dlg"="WenQuanYi Zen Hei"
"MS Shell Dlg 2"="WenQuanYi Zen Hei"
"Tahoma"="WenQuanYi Zen Hei"

REG
} > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w || true
touch "$marker"
