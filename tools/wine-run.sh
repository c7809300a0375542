#!/usr/bin/env bash
# Runs a windows executable in the project's Wine prefix.
# Usage: tools/wine-run.sh <prefix folder> <program.exe> [arguments...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="$1"
shift
"$here/wine-prefix.sh" "$prefix"
source "$here/wine-env.sh" "$prefix"
exec wine "$@"
