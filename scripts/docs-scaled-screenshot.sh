#!/usr/bin/env bash
# Photographs the main window at 100 % and at 150 % (a screen of 144 dots per inch, set
# in a Wine prefix of its own) and puts the two side by side for the README.
#   scripts/docs-scaled-screenshot.sh [BUILD] [DPI]   writes docs/main-window-scaled.png
# (DPI, 144 unless given, is the scale of the right-hand picture.)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
dpi=${2:-144}

[ -n "${DISPLAY:-}" ] || on_virtual_display "$0" "$@"

wine_setup "$build"
build=$TESTED_BUILD
work=$(mktemp -d /tmp/typoscope-scaled.XXXXXX)
clean_up() {
    wine_stop
    WINEPREFIX=$build/wineprefix-$dpi wine_stop
    true
    rm -rf "$work"
}
on_exit clean_up

# One run of the program in a folder of its own, so that no settings of another run apply.
photograph() {  # OUT
    mkdir -p "$work/$1"
    cp "$build/Typoscope.exe" "$work/$1/"
    "$WINE" "$work/$1/Typoscope.exe" >/dev/null 2>&1 &
    photograph_window "$build" "Typoscope 1.0" "$work/$1.png"
    "$WINE" "$build/tests/window_tool.exe" close "Typoscope 1.0"
    wait $! || true  # the window ends with its dialog result, 1
}

photograph base
prefix=$build/wineprefix-$dpi
[ -f "$prefix/system.reg" ] || cp -a "$WINEPREFIX" "$prefix"
export WINEPREFIX=$prefix
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w 2>/dev/null || true
photograph scaled
convert \( "$work/base.png" -background white -gravity east -splice 16x0 \) "$work/scaled.png" \
    -background white -gravity north +append +repage "$root/docs/main-window-scaled.png"
echo "$root/docs/main-window-scaled.png"
