#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers, and runs each of
# them with the arguments given (Google Benchmark's, e.g. --benchmark_filter).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DLANVOY_SANITIZE=OFF -DLANVOY_BENCH=ON >/dev/null
cmake --build "$root/build/bench" -j "${LANVOY_JOBS:-2}" --target xml_bench store_bench
for bench in xml_bench store_bench; do
  echo "== $bench"
  "$root/build/bench/bench/$bench" "$@"
done
