#!/usr/bin/env bash
# The main job: installs what is missing, builds the updater and runs it under
# Wine in a scratch folder that holds the product's "Pellmark\Vireo" folder,
# then shows its exit code and the install log it wrote.
set -euo pipefail
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root_dir"

bash tools/bootstrap.sh
export WINEPREFIX=${VIREO_WINEPREFIX:-$root_dir/build/wineprefix}
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

preset=$(bash tools/preset.sh)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target VireoPlayerUpdater
exe="$root_dir/build/$preset/VireoPlayerUpdater.exe"

work=$(mktemp -d)
mkdir -p "$work/Pellmark/Vireo"
switch=${1:--isSAUEnabled}
echo "run: VireoPlayerUpdater.exe $switch (in $work)"
set +e
(cd "$work" && "$root_dir/tools/wine-run.sh" "$exe" "$switch")
status=$?
set -e
echo "run: exit code $status"
if [ -f "$work/Pellmark/Vireo/VireoInstall.log" ]; then
  echo "run: install log:"
  iconv -f UTF-16LE -t UTF-8 "$work/Pellmark/Vireo/VireoInstall.log"
else
  echo "run: the install log is empty (only errors are logged until the policy asks for more)"
fi
rm -rf "$work"
