#!/usr/bin/env bash
# Starts a windows program under a virtual screen of its own in the project's
# Wine prefix, waits, and saves a trimmed screenshot of the screen. There is
# no window manager: Wine draws the title bars itself (tools/wine-prefix.sh).
# Usage: tools/screenshot.sh <prefix folder> <out.png> <program.exe> [arguments...]
# LANVOY_SHOT_DELAY: seconds to wait before the shot (default 4).
# LANVOY_SHOT_WINDOW: the title of a window of the program; the shot is then
# that window whole, title bar and frame included, rather than the screen.
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
if [ -n "${LANVOY_SHOT_WINDOW:-}" ]; then
  # The largest top-level window of that title: "WxH+X+Y" as the X server has it.
  geometry="$(xwininfo -root -tree | grep -F "\"$LANVOY_SHOT_WINDOW\": (" |
    sed -n 's/.*)  *\([0-9]*\)x\([0-9]*\)+\(-*[0-9]*\)+\(-*[0-9]*\) .*/\1 \2 \3 \4/p' |
    sort -k1,1nr -k2,2nr | head -n 1)"
  if [ -z "$geometry" ]; then
    echo "screenshot: no window \"$LANVOY_SHOT_WINDOW\" on the screen" >&2
    exit 1
  fi
  read -r width height x y <<<"$geometry"
  read -r screen_width screen_height <<<"$(identify -format '%w %h' "$out.full.png")"
  if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + width)) -gt "$screen_width" ] ||
     [ $((y + height)) -gt "$screen_height" ]; then
    echo "screenshot: the window \"$LANVOY_SHOT_WINDOW\" (${width}x${height}+$x+$y) is not whole on the ${screen_width}x${screen_height} screen" >&2
    exit 1
  fi
  convert "$out.full.png" -crop "${width}x${height}+$x+$y" +repage "$out"
else
  convert "$out.full.png" -trim +repage "$out"
fi
rm -f "$out.full.png"
echo "saved $out"
