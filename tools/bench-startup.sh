#!/usr/bin/env bash
# Times lanvoy.exe from outside under Wine, on a virtual screen of its own:
# start to the full list with 0, 500 and 5,000 profiles, and copy, delete
# and exit with the list full. Arguments go to the benchmark (--runs=N,
# --counts=0,500,5000).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/build.sh" windows >/dev/null
build="$root/build/windows"
"$root/tools/seed-demo.sh" "$build/wineprefix" >/dev/null
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -w
exec "$root/tools/with-xvfb.sh" wine "$build/bench/windows/startup_bench.exe" \
  "--lanvoy=$build/src/app/lanvoy.exe" "$@"
