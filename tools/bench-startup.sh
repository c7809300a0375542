#!/usr/bin/env bash
# Times lanvoy.exe, stripped as released, from outside under Wine, on a
# virtual screen of its own: start to the full list with 0, 500 and 5,000 profiles, and copy, delete
# and exit with the list full; each start is followed by one of the floor, a
# bare dialog with the same list from the same file, and the ratio of the two
# is printed. Arguments go to the benchmark (--runs=N, --counts=0,500,5000).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/build.sh" windows >/dev/null
build="$root/build/windows"
# The program as it ships: the release strips it.
shipped="$build/bench/shipped"
mkdir -p "$shipped"
x86_64-w64-mingw32-strip -o "$shipped/lanvoy.exe" "$build/src/app/lanvoy.exe"
# A prefix of its own on a Wine virtual desktop, so that the figures do not
# depend on how the X screen handles windows.
export LANVOY_SEED_DEMO=1 LANVOY_DESKTOP=1024x768 WINEDLLOVERRIDES="mscoree,mshtml="
exec "$root/tools/with-xvfb.sh" "$root/tests/app/run-at-dpis.sh" "$build/wineprefix-bench" \
  "$build/bench/windows/startup_bench.exe" 96 -- "--lanvoy=$shipped/lanvoy.exe" \
  "--floor=$build/bench/windows/bare_list_dialog.exe" "$@"
