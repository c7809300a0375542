#!/usr/bin/env bash
# Installs what is missing, builds the windows build and starts lanvoy.exe
# under Wine on the demo machine: a private prefix with three simulated
# Ethernet adapters, so applying a profile never touches the host's network.
# The program runs from build/windows/run, beside its configuration; a first
# run there starts with a demo configuration of four profiles.
# On a display it opens the main window; without one it runs on a virtual
# screen, saves a screenshot of the main window and says where.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh" windows

prefix="$root/build/windows/wineprefix"
"$root/tools/seed-demo.sh" "$prefix"

run="$root/build/windows/run"
mkdir -p "$run"
cp "$root/build/windows/src/app/lanvoy.exe" "$run/"
[ -f "$run/lanvoy.cfg" ] || cp "$root/tools/demo/lanvoy.cfg" "$run/"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$root/tools/wine-run.sh" "$prefix" "$run/lanvoy.exe" "$@"
fi
echo "no display: running lanvoy.exe on a virtual screen"
LANVOY_SHOT_DELAY="${LANVOY_SHOT_DELAY:-6}" LANVOY_SHOT_WINDOW=Lanvoy "$root/tools/screenshot.sh" "$prefix" "$run/main-window.png" "$run/lanvoy.exe" "$@"
echo "the main window as it showed: $run/main-window.png"
