#!/usr/bin/env bash
# Starts Typoscope. Without a display it runs on a virtual one, writes a screenshot
# of the window to BUILD/typoscope.png and closes the program through its close box.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
runnable=$(runnable_build "$build")

if [ -n "${DISPLAY:-}" ]; then
    wine_env "$runnable"
    wine_prefix
    exec "$WINE" "$runnable/Typoscope.exe"
fi
on_virtual_display "$here/screenshot.sh" "$runnable" "$build/typoscope.png"
