#!/usr/bin/env bash
# Runs a Windows program built here under Wine, in the prefix of the build folder it lives in.
# CTest uses it as the cross-compiling emulator.
set -euo pipefail
exe=$1; shift
dir=$(cd "$(dirname "$exe")" && pwd)
# The build folder is the nearest parent holding CMakeCache.txt.
build=$dir
while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
exec wine "$exe" "$@"
