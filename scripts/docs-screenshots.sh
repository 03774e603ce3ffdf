#!/usr/bin/env bash
# Photographs the real program on a virtual display for the documentation:
# the main window with a face previewed, and the About box over it.
#   scripts/docs-screenshots.sh [BUILD]   writes docs/main-window.png and docs/about-box.png
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

wine_setup "$build" "$0" "$build"
build=$TESTED_BUILD
tool="$build/tests/window_tool.exe"
shot() {  # CAPTION OUT
    local x y w h
    read -r x y w h < <("$WINE" "$tool" wait "$1" | tr -d '\r')
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
    echo "$2"
}

"$WINE" "$build/Typoscope.exe" >/dev/null 2>&1 &
program=$!
shot "Typoscope 1.0" "$root/docs/main-window.png"
"$WINE" "$tool" command "Typoscope 1.0" 32776   # Help, About
shot "About Typoscope" "$root/docs/about-box.png"
"$WINE" "$tool" close "About Typoscope"
"$WINE" "$tool" close "Typoscope 1.0"
wait $program
