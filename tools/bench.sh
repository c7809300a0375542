#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers, and runs them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DLANVOY_SANITIZE=OFF -DLANVOY_BENCH=ON >/dev/null
cmake --build "$root/build/bench" -j "${LANVOY_JOBS:-2}" --target store_bench
"$root/build/bench/bench/store_bench" "$@"
