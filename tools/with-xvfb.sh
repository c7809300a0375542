#!/usr/bin/env bash
# Runs a command on a virtual screen of its own: starts Xvfb on a display that
# the server picks itself (so runs side by side never collide), exports
# DISPLAY, runs the command, stops that Xvfb and exits with the command's code.
# Usage: tools/with-xvfb.sh <command> [arguments...]
# LANVOY_SCREEN sets the screen (default 1024x768x24).
# LANVOY_XVFB_DISPLAY_FILE names a file with the number of a screen that a
# whole test run shares (tools/xvfb-session.sh): the command runs there, and
# no screen comes or goes under the Wine server that the run keeps.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 <command> [arguments...]" >&2
  exit 2
fi
if [ -n "${LANVOY_XVFB_DISPLAY_FILE:-}" ]; then
  shared="$(cat "$LANVOY_XVFB_DISPLAY_FILE" 2>/dev/null)"
  if [ -z "$shared" ] || ! DISPLAY=":$shared" xdpyinfo >/dev/null 2>&1; then
    echo "with-xvfb: the shared screen of $LANVOY_XVFB_DISPLAY_FILE is not there" >&2
    exit 1
  fi
  export DISPLAY=":$shared"
  exec "$@"
fi
if ! command -v Xvfb >/dev/null; then
  echo "with-xvfb: Xvfb is missing (Debian: xvfb); the windowed tests cannot run" >&2
  exit 1
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/lanvoy-xvfb.XXXXXX")"
xvfb=""
stop() {
  # A Wine server must not outlive the screen its desktop is on.
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
    timeout 60 wineserver -w 2>/dev/null
  fi
  if [ -n "$xvfb" ] && kill -0 "$xvfb" 2>/dev/null; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The server writes the display number it chose, and a line feed, once it
# accepts connections.
Xvfb -displayfd 3 -screen 0 "${LANVOY_SCREEN:-1024x768x24}" -nolisten tcp \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!

display=""
for _ in $(seq 1 100); do
  if grep -q . "$work/display" 2>/dev/null && [ "$(tail -c1 "$work/display" | od -An -c | tr -d ' ')" = '\n' ]; then
    display="$(head -n1 "$work/display")"
    break
  fi
  if ! kill -0 "$xvfb" 2>/dev/null; then
    break
  fi
  sleep 0.1
done
if [ -z "$display" ]; then
  echo "with-xvfb: Xvfb did not start; its output:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi

export DISPLAY=":$display"
# Wine's helper processes outlive the program; through a file they do not
# hold the caller's output open after it ends.
status=0
"$@" >"$work/output" 2>&1 </dev/null || status=$?
cat "$work/output"
exit "$status"
