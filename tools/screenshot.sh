#!/usr/bin/env bash
# Starts a windows program under a virtual screen of its own in the project's
# Wine prefix, waits, and saves a trimmed screenshot of the screen. There is
# no window manager, so Wine draws no title bars.
# Usage: tools/screenshot.sh <prefix folder> <out.png> <program.exe> [arguments...]
# LANVOY_SHOT_DELAY: seconds to wait before the shot (default 4).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ $# -lt 3 ]; then
  echo "usage: $0 <prefix folder> <out.png> <program.exe> [arguments...]" >&2
  exit 2
fi
prefix="$1" out="$2"
shift 2

# A free display of our own, whatever DISPLAY says.
if [ -z "${LANVOY_SHOT_ON_OWN_SCREEN:-}" ]; then
  "$here/wine-prefix.sh" "$prefix"
  LANVOY_SHOT_ON_OWN_SCREEN=1 exec "$here/with-xvfb.sh" "$0" "$prefix" "$out" "$@"
fi
source "$here/wine-env.sh" "$prefix"
command -v import >/dev/null || { echo "screenshot: ImageMagick is missing (Debian: imagemagick)" >&2; exit 1; }

# The program must start a server of its own on this screen: a server that
# runs already has its desktop on another display, or on none.
if wine_server_running; then
  echo "screenshot: waiting for the Wine programs of $WINEPREFIX to end"
  wineserver -w
fi

program=""
finish() {
  if [ -n "$program" ] && kill -0 "$program" 2>/dev/null; then
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
  fi
  # This run's server, before its screen goes.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
trap finish EXIT

wine "$@" >/dev/null 2>&1 &
program=$!
sleep "${LANVOY_SHOT_DELAY:-4}"
if ! kill -0 "$program" 2>/dev/null; then
  echo "screenshot: note: the program ended before the shot" >&2
fi
import -window root "$out.full.png"
convert "$out.full.png" -trim +repage "$out"
rm -f "$out.full.png"
echo "saved $out"
