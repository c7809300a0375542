#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs each on a copy
# of its committed corpus for a bounded time:
#   tools/fuzz.sh [seconds per target, default 60] [xml|store|ipc|all, default all] [libFuzzer options...]
# New interesting inputs stay in build/fuzz/corpus/<target>; inputs that break
# a target are written to build/fuzz/findings/<target>. Copy one into
# fuzz/corpus/<target> only once it reproduces a fixed fault, to guard it.
# One input again: build/fuzz/fuzz/<target>/<target>_fuzz <file>
# To go on past a finding: tools/fuzz.sh 600 store -fork=1 -ignore_crashes=1
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
which="${2:-all}"
shift $(($# < 2 ? $# : 2))
case "$which" in
  all) targets=(xml store ipc) ;;
  xml|store|ipc) targets=("$which") ;;
  *) echo "usage: $0 [seconds] [xml|store|ipc|all] [libFuzzer options...]" >&2; exit 2 ;;
esac

if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, long) { return 0; }' |
    clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  echo "clang++ with libFuzzer is missing (Debian: clang and libclang-rt-14-dev)" >&2
  exit 1
fi

build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLANVOY_FUZZ=ON >/dev/null
cmake --build "$build" -j "${LANVOY_JOBS:-2}" --target "${targets[@]/%/_fuzz}"

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp -n "$root/fuzz/corpus/$target/"* "$corpus/"
  echo "== $target: ${seconds}s"
  "$build/fuzz/$target/${target}_fuzz" "$corpus" -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$findings/" "$@" || status=$?
done
exit $status
