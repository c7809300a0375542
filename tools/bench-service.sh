#!/usr/bin/env bash
# Times an adapter change through the service against one made in-process,
# the status request, and lanvoy.exe's start with and without the service,
# under Wine in a prefix of its own with the demo machine. Arguments go to
# the benchmark (--runs=N).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/build.sh" windows >/dev/null
build="$root/build/windows"
export LANVOY_SEED_DEMO=1 LANVOY_DESKTOP=1024x768 WINEDLLOVERRIDES="mscoree,mshtml="
exec "$root/tools/with-xvfb.sh" "$root/tests/app/run-at-dpis.sh" "$build/wineprefix-bench" \
  "$build/bench/windows/service_bench.exe" 96 -- "--lanvoy=$build/src/app/lanvoy.exe" \
  "--service=$build/src/service/lanvoy-service.exe" "$@"
