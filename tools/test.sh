#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test level:
#   1. native unit tests of the portable core (AddressSanitizer, UBSan)
#   2. the same tests plus the Win32 tests, built for Windows, under Wine
#   3. end to end: a driver runs lanvoy.exe under Wine on a virtual screen and
#      saves screenshots in build/windows/screenshots (part of the windows tests)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"

command -v wine >/dev/null || { echo "wine is missing: the windows tests cannot run" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is missing: the end-to-end tests cannot run" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick is missing: the end-to-end screenshots cannot be saved" >&2; exit 1; }

"$root/tools/build.sh" all

echo "== level 1: native tests"
ctest --test-dir "$root/build/native" --output-on-failure
echo "== levels 2 and 3: windows tests and end-to-end tests under Wine"
ctest --test-dir "$root/build/windows" --output-on-failure
