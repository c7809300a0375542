#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test level:
#   1. native unit tests of the portable core (AddressSanitizer, UBSan)
#   2. the same tests plus the Win32 tests, built for Windows, under Wine
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"

command -v wine >/dev/null || { echo "wine is missing: the windows tests cannot run" >&2; exit 1; }

"$root/tools/build.sh" all

echo "== level 1: native tests"
ctest --test-dir "$root/build/native" --output-on-failure
echo "== level 2: windows tests under Wine"
ctest --test-dir "$root/build/windows" --output-on-failure
