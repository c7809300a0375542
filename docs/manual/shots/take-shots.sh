#!/usr/bin/env bash
# Retakes the manual's pictures and puts them into docs/manual/images.
# The ctest test manual_shots (ManualShots.cpp) takes them with the end-to-end
# tests into <build>/manual-images; this runs that test alone and copies what
# it took over the manual's pictures, for a commit.
# Usage: docs/manual/shots/take-shots.sh [<windows build folder>]
# The default folder is build/windows, built by tools/build.sh windows.
set -euo pipefail
root="$(cd "$(dirname "$0")/../../.." && pwd)"
build="$(realpath "${1:-$root/build/windows}")"
images="$root/docs/manual/images"
taken="$build/manual-images"

ctest --test-dir "$build" -R '^manual_shots$' --output-on-failure

shopt -s nullglob
shots=("$taken"/*.png)
if [ ${#shots[@]} -eq 0 ]; then
  echo "take-shots: the test left no pictures in $taken" >&2
  exit 1
fi
cp "${shots[@]}" "$images/"
echo "copied ${#shots[@]} pictures from $taken into $images"
# A picture that no scene takes any more would go stale unnoticed.
for old in "$images"/*.png; do
  [ -e "$taken/$(basename "$old")" ] || echo "take-shots: no scene takes $(basename "$old")" >&2
done
