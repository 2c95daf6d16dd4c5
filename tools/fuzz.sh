#!/usr/bin/env bash
# Builds the native fuzz targets (clang, libFuzzer, address and
# undefined-behaviour sanitizers) and runs each one briefly: first over its
# seed corpus in fuzz/corpus/<name>/, then for a fixed number of generated
# inputs. VIREO_FUZZ_RUNS sets that number (default 100000). A crash, a leak
# or a sanitizer report fails the script.
set -euo pipefail
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root_dir"

runs=${VIREO_FUZZ_RUNS:-100000}
build_dir=build/fuzz
cmake -S fuzz -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir"

for corpus in fuzz/corpus/*/; do
  name=$(basename "$corpus")
  target="$build_dir/${name}_fuzzer"
  # New inputs go to a scratch folder: the committed corpus stays as it is.
  scratch=$(mktemp -d)
  echo "fuzz: $name ($runs runs after the seed corpus)"
  "$target" -runs="$runs" -seed=1 -max_len=4096 -timeout=10 \
    -artifact_prefix="$build_dir/${name}-" "$scratch" "$corpus" 2>"$build_dir/$name.log" || {
    rm -rf "$scratch"
    tail -n 40 "$build_dir/$name.log"
    echo "fuzz: $name failed; the input is in $build_dir/${name}-*"
    exit 1
  }
  rm -rf "$scratch"
  tail -n 1 "$build_dir/$name.log"
done
