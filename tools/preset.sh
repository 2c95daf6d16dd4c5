#!/usr/bin/env bash
# Prints the CMake preset whose programs this machine can run under Wine:
# "windows" (the 32-bit product itself) where the kernel runs 32-bit code,
# else "windows-x64" (the same sources built as 64-bit Windows code).
set -eu
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo windows
else
  echo windows-x64
fi
