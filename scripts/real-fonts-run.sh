#!/usr/bin/env bash
# The long run with real fonts: a session through every face of Debian's common font
# packages, as a user leafing through them makes it (tests/tools/FaceTour.cpp). Not part
# of `make test`; about 15 minutes.
#
#   scripts/real-fonts-run.sh [BUILD] [face_tour options: --first N --faces N --quiet]
#
# The packages are fetched with `apt-get download` and unpacked with `dpkg-deb -x` into a
# cache outside the clone ($TYPOSCOPE_FONT_CACHE, default ~/.cache/typoscope-real-fonts),
# once; nothing is installed on the machine. Their fonts are copied into a Wine prefix of
# the cache's own, beside Wine's fonts. The run prints every face whose preview did not
# follow the size, the faults Wine caught inside the program, and the step times.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(build_folder "${1:-}")
[ $# -gt 0 ] && shift
cache=${TYPOSCOPE_FONT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/typoscope-real-fonts}
packages=(fonts-noto-core fonts-noto-cjk fonts-liberation2 fonts-urw-base35 fonts-freefont-ttf fonts-crosextra-carlito)

fetch_fonts() {
    mkdir -p "$cache/debs" "$cache/files"
    local package
    for package in "${packages[@]}"; do
        compgen -G "$cache/debs/${package}_*.deb" >/dev/null && continue
        echo "Fetching $package"
        (cd "$cache/debs" && apt-get download "$package")
    done
    if [ ! -f "$cache/files/.unpacked" ]; then
        local deb
        for deb in "$cache"/debs/*.deb; do dpkg-deb -x "$deb" "$cache/files"; done
        touch "$cache/files/.unpacked"
    fi
}

if [ -z "${TYPOSCOPE_ON_DISPLAY:-}" ]; then
    fetch_fonts
    on_virtual_display "$0" "$build" "$@"
fi
on_exit wine_stop
# A prefix of its own for each way Wine runs here (a 32-bit and a 64-bit prefix differ).
export WINEPREFIX=${WINEPREFIX:-$cache/wineprefix-$(wine_way)}
# Wine's error channels on: a fault caught inside a window procedure is reported there.
export WINEDEBUG=${WINEDEBUG:-fixme-all}
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
find "$cache/files" -type f \( -name '*.ttf' -o -name '*.otf' -o -name '*.ttc' \) \
    -exec cp -n -t "$WINEPREFIX/drive_c/windows/Fonts/" {} +
echo "Fonts in the prefix: $(find "$WINEPREFIX/drive_c/windows/Fonts" -type f | wc -l) files"
wine_setup "$build" "$0" "$build" "$@"
# Wine writes its error lines to the Unix error output of each process, which the tour
# reads back from this file after each step.
errors=$(mktemp /tmp/typoscope-tour-errors.XXXXXX)
trap 'rm -f "$errors"; wine_stop' EXIT
TYPOSCOPE_ERROR_LOG="Z:${errors//\//\\}" WINEDEBUG="$WINEDEBUG" \
    "$WINE" "$TESTED_BUILD/tests/face_tour.exe" "$@" 2>>"$errors"
