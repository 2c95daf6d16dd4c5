#!/usr/bin/env bash
# Installs everything the build and the tests need from Debian's packages and
# prepares the Wine prefix the tests run in. Safe to run again: each step checks
# first and does nothing when its work is already done. Needs root or sudo.
set -euo pipefail

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=${VIREO_WINEPREFIX:-$root_dir/build/wineprefix}

packages=(
  cmake ninja-build make python3 openssl file
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 wine32:i386
  librapidxml-dev googletest
  clang libclang-rt-14-dev
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A 64-bit prefix, so that the 32-bit program sees what it sees on 64-bit
# Windows: the 32-bit registry view and the redirected system folder.
# Wine's Mono and Gecko installers are skipped.
if [ ! -f "$prefix/system.reg" ]; then
  echo "bootstrap: creating the Wine prefix $prefix"
  mkdir -p "$prefix"
  WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    /usr/lib/wine/wine64 wineboot -i >"$prefix.boot.log" 2>&1 </dev/null
  WINEPREFIX="$prefix" wineserver -w
fi
echo "bootstrap: ready (prefix $prefix)"
