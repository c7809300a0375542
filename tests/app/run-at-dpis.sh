#!/usr/bin/env bash
# Runs a windows test program once per screen scale, on one display, in a
# prefix of its own: each run sets the prefix's LogPixels, lets the Wine
# server end so that every process starts again at that scale, and tells the
# program the scale it must find in LANVOY_EXPECT_DPI.
# Usage: run-at-dpis.sh <prefix> <program.exe> <dpi>... [-- <arguments>]
# LANVOY_SEED_DEMO=1 seeds the demo machine into the prefix first;
# LANVOY_DESKTOP=<width>x<height> runs on a Wine virtual desktop of that size,
# which draws title bars (without it, no virtual desktop).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="$1"
program="$2"
shift 2
dpis=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  dpis+=("$1")
  shift
done
[ "${1:-}" = "--" ] && shift

tools="$here/../../tools"
if [ "${LANVOY_SEED_DEMO:-}" = 1 ]; then
  "$tools/seed-demo.sh" "$prefix" >/dev/null || exit 1
else
  "$tools/wine-prefix.sh" "$prefix" || exit 1
fi
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineserver -w
explorer='HKCU\Software\Wine\Explorer'
if [ -n "${LANVOY_DESKTOP:-}" ]; then
  wine reg add "$explorer" /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add "$explorer\Desktops" /v Default /d "$LANVOY_DESKTOP" /f >/dev/null 2>&1
else
  wine reg delete "$explorer" /v Desktop /f >/dev/null 2>&1
fi
status=0
for dpi in "${dpis[@]}"; do
  echo "== at $dpi DPI"
  wineserver -w
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    { echo "run-at-dpis: could not set LogPixels $dpi" >&2; status=1; continue; }
  wineserver -w
  LANVOY_EXPECT_DPI="$dpi" wine "$program" "$@" || status=1
done
wineserver -w
exit "$status"
