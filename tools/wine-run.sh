#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's test prefix. CMake uses it
# as the emulator of the cross builds, so ctest runs Windows tests directly.
# VIREO_WINEPREFIX chooses another prefix; Wine's own output is kept quiet.
set -eu
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${VIREO_WINEPREFIX:-${WINEPREFIX:-$root_dir/build/wineprefix}}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Keep one wineserver and the prefix's own background processes (services,
# device host) running, started here with their output detached: started by
# a captured command, they would hold the caller's output pipe open long
# after the program ended. With the server already up this costs nothing.
if wineserver -p300 </dev/null >/dev/null 2>&1; then
  /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
fi
program=$1
shift
# Debian's wine wrapper always starts the 32-bit loader first; a 64-bit program
# goes to the 64-bit loader directly, so it also runs where 32-bit code cannot.
loader=wine
if [ -x /usr/lib/wine/wine64 ] && file -b "$program" | grep -q '^PE32+'; then
  loader=/usr/lib/wine/wine64
fi
exec "$loader" "$program" "$@"
