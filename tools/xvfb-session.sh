#!/usr/bin/env bash
# One virtual screen for a whole run of the windows tests, so that every Wine
# program of the run, and the one Wine server they share, see the same
# display from start to end.
# Usage: tools/xvfb-session.sh start <folder>   starts Xvfb, writes <folder>/display
#        tools/xvfb-session.sh stop <folder>    stops it
# tools/with-xvfb.sh runs its command there when LANVOY_XVFB_DISPLAY_FILE
# names <folder>/display.
set -uo pipefail
action="${1:?usage: $0 start|stop <folder>}"
folder="$(realpath -m "${2:?usage: $0 start|stop <folder>}")"
mkdir -p "$folder"

stop() {
  local pid
  pid="$(cat "$folder/pid" 2>/dev/null)"
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$folder/pid" "$folder/display"
}

case "$action" in
  stop)
    stop
    exit 0 ;;
  start) ;;
  *) echo "usage: $0 start|stop <folder>" >&2; exit 2 ;;
esac

command -v Xvfb >/dev/null || { echo "xvfb-session: Xvfb is missing (Debian: xvfb)" >&2; exit 1; }
stop
# Detached from the test that starts it; the server writes the display number
# it chose, and a line feed, once it accepts connections.
setsid Xvfb -displayfd 3 -screen 0 "${LANVOY_SCREEN:-1024x768x24}" -nolisten tcp \
  3>"$folder/display.new" >"$folder/xvfb.log" 2>&1 </dev/null &
echo $! >"$folder/pid"
for _ in $(seq 1 100); do
  if [ "$(tail -c1 "$folder/display.new" 2>/dev/null | od -An -c | tr -d ' ')" = '\n' ]; then
    head -n1 "$folder/display.new" >"$folder/display"
    rm -f "$folder/display.new"
    echo "xvfb-session: screen :$(cat "$folder/display")"
    exit 0
  fi
  kill -0 "$(cat "$folder/pid")" 2>/dev/null || break
  sleep 0.1
done
echo "xvfb-session: Xvfb did not start; its output:" >&2
cat "$folder/xvfb.log" >&2
exit 1
