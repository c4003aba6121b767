#!/bin/sh
# Runs a Windows program of the build under Wine, quietly and without a display of its own: the tests'
# emulator. Wine's prefix is kept in the build folder, made on first use.
# Usage: tools/windows/wine-run.sh PROGRAM.exe [ARGUMENTS...]
Top=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$Top/build/windows/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No dialog offering Mono or Gecko, which a test never needs.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY
exec wine "$@"
