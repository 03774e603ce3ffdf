#!/usr/bin/env bash
# On a (virtual) display: start Typoscope from BUILD, wait for its window,
# photograph it into OUT and close it through its close box.
#   scripts/screenshot.sh BUILD OUT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(cd "$1" && pwd)
out=$2
wine_setup "$build"
build=$TESTED_BUILD
"$WINE" "$build/Typoscope.exe" &
program=$!
photograph_window "$build" "Typoscope 1.0" "$out"
"$WINE" "$build/tests/window_tool.exe" close "Typoscope 1.0"
wait $program
"$WINESERVER" -k
echo "$out"
