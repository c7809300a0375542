#!/usr/bin/env bash
# Starts a windows program under Xvfb in the project's Wine prefix, waits, and
# saves a trimmed screenshot of the screen. There is no window manager, so
# Wine draws no title bars.
# Usage: tools/screenshot.sh <prefix folder> <out.png> <program.exe> [arguments...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="$1" out="$2"
shift 2
"$here/wine-prefix.sh" "$prefix"
source "$here/wine-env.sh" "$prefix"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 1

wine "$@" >/dev/null 2>&1 &
sleep "${LANVOY_SHOT_DELAY:-4}"
import -window root "$out.full.png"
convert "$out.full.png" -trim +repage "$out"
rm -f "$out.full.png"
echo "saved $out"
