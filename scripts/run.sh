#!/usr/bin/env bash
# Starts Typoscope. Without a display it runs on a virtual one, writes a screenshot
# of the window to BUILD/typoscope.png and closes the program through its close box.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(build_folder "${1:-}")

if [ -z "${DISPLAY:-}" ]; then
    on_virtual_display "$here/screenshot.sh" "$build" "$build/typoscope.png"
fi
on_exit wine_stop
wine_setup "$build"
"$WINE" "$TESTED_BUILD/Typoscope.exe"
