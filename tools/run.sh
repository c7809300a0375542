#!/usr/bin/env bash
# Installs what is missing, builds the windows build and starts it under Wine
# on the demo machine (a private prefix in build/windows/wineprefix).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh" windows

prefix="$root/build/windows/wineprefix"
"$root/tools/seed-demo.sh" "$prefix"
exec "$root/tools/wine-run.sh" "$prefix" "$root/build/windows/src/app/lanvoy-adapters.exe" "$@"
