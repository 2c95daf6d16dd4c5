#!/usr/bin/env bash
# The whole test suite from nothing: installs what is missing, builds the
# 32-bit product, checks its format, and runs every test (unit and
# integration) under Wine through CTest.
set -euo pipefail
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root_dir"

bash tools/bootstrap.sh
export WINEPREFIX=${VIREO_WINEPREFIX:-$root_dir/build/wineprefix}
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# The product: a 32-bit console program that needs no DLL beyond Windows'.
cmake --preset windows >/dev/null
cmake --build --preset windows
python3 tools/check_executable.py build/windows/VireoPlayerUpdater.exe --machine i386

# The byte-level parsers, natively under libFuzzer and the sanitizers.
bash tools/fuzz.sh

preset=$(bash tools/preset.sh)
if [ "$preset" != windows ]; then
  echo "test: this machine's kernel cannot run 32-bit code; the tests run the same sources built as 64-bit Windows code ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
fi
ctest --preset "$preset"
