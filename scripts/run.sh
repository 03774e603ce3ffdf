#!/usr/bin/env bash
# Starts Typoscope. Without a display it runs on a virtual one, writes a screenshot
# of the window to BUILD/typoscope.png and closes the program through its close box.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(cd "${1:-build}" && pwd)

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/screenshot.sh" "$build" "$build/typoscope.png"
fi
wine_setup "$build" "$0" "$build"
"$WINE" "$TESTED_BUILD/Typoscope.exe"
"$WINESERVER" -k
