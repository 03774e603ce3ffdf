#!/usr/bin/env bash
# Photographs the real program on a virtual display for the documentation:
# the main window with a face previewed, the About box over it, and the faces of a font
# file in the list.
#   scripts/docs-screenshots.sh [BUILD]   writes docs/main-window.png, docs/about-box.png
#                                         and docs/font-file-faces.png
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)

[ -n "${DISPLAY:-}" ] || on_virtual_display "$0" "$@"

wine_setup "$build"
build=$TESTED_BUILD
tool="$build/tests/window_tool.exe"
shot() {  # CAPTION OUT
    photograph_window "$build" "$1" "$2"
    echo "$2"
}

"$WINE" "$build/Typoscope.exe" >/dev/null 2>&1 &
program=$!
shot "Typoscope 1.0" "$root/docs/main-window.png"
"$WINE" "$tool" command "Typoscope 1.0" 32776   # Help, About
shot "About Typoscope" "$root/docs/about-box.png"
"$WINE" "$tool" close "About Typoscope"
"$WINE" "$tool" command "Typoscope 1.0" 32802  # File, Open Font File
pair=$build/tests/file-fonts/tsfx-pair.ttc
"$WINE" "$tool" command "Open" "Z:${pair//\//\\}"
sleep 2  # the dialog closes and the list takes the faces; a picture, not a test
shot "Typoscope 1.0" "$root/docs/font-file-faces.png"
"$WINE" "$tool" close "Typoscope 1.0"
wait $program
