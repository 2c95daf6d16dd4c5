#!/usr/bin/env bash
# Builds the native fuzz targets of the byte-level parsers (fuzz/, host clang
# with libFuzzer and the address and undefined-behaviour sanitizers) into
# build/fuzz, replays each target's seed corpus, then fuzzes every target for
# a short, fixed number of runs. A crash stops the script with the failing
# input in build/fuzz/artifacts/.
#
#   VIREO_FUZZ_RUNS   runs per target (default 20000)
#   VIREO_FUZZ_SEED   libFuzzer's random seed (default 1, so runs repeat)
set -euo pipefail
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root_dir"

runs=${VIREO_FUZZ_RUNS:-20000}
seed=${VIREO_FUZZ_SEED:-1}
build_dir=build/fuzz

if ! command -v clang++ >/dev/null 2>&1 ||
   ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  bash tools/bootstrap.sh
fi

cmake -S fuzz -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure

mkdir -p "$build_dir/artifacts"
for fuzzer in "$build_dir"/fuzzers/*; do
  name=$(basename "$fuzzer")
  # New inputs go to the first folder, outside the repository; the seed
  # corpus is only read.
  mkdir -p "$build_dir/work/$name"
  log="$build_dir/$name.log"
  echo "fuzz: $name, $runs runs (output in $log)"
  if ! "$fuzzer" -runs="$runs" -seed="$seed" -print_final_stats=1 \
      -artifact_prefix="$build_dir/artifacts/$name-" \
      "$build_dir/work/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $name failed; the input is in $build_dir/artifacts/"
    exit 1
  fi
  grep -E '^(Done|stat::(number_of_executed_units|new_units_added))' "$log" | sed 's/^/fuzz:   /'
done
