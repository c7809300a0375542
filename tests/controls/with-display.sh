#!/usr/bin/env bash
# Runs a test program on a private Xvfb display: windows can only be created
# and painted with a display, and the tests move the pointer, which must not
# happen on anybody's screen. Fails loudly when Xvfb is missing.
# Usage: with-display.sh <program> [arguments...]
set -euo pipefail
command -v Xvfb >/dev/null || { echo "Xvfb is missing: run tools/install-deps.sh" >&2; exit 1; }

number_file="$(mktemp)"
output="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$number_file" "$output"' EXIT

# Xvfb writes the display number it took once it is ready.
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$number_file" ] || { echo "Xvfb gave no display" >&2; exit 1; }

# Wine's helper processes outlive the program; through a file they do not
# hold the caller's output open after it ends.
status=0
DISPLAY=":$(head -n1 "$number_file")" "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
exit "$status"
