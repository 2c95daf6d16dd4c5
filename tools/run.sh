#!/usr/bin/env bash
# The main job: installs what is missing, builds the updater and runs one
# whole update under Wine, the way Windows runs it: the program started
# without arguments (as the hourly task does) asks Wine's service manager to
# start the service, which fetches the manifest from the local download
# server, downloads, verifies and starts the newer installer. Shows the
# install logs, the installer's command line and the update state.
set -euo pipefail
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root_dir"

bash tools/bootstrap.sh
export WINEPREFIX=${VIREO_WINEPREFIX:-$root_dir/build/wineprefix}
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

preset=$(bash tools/preset.sh)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target VireoPlayerUpdater fake_installer
python3 tools/run_update_cycle.py "build/$preset"
