#!/usr/bin/env bash
# Builds Typoscope, its tests and benchmarks: the 32-bit build in BUILD, and where
# this machine cannot start 32-bit programs also a 64-bit twin in BUILD/x64, for the
# machines that run no 32-bit code at all (scripts/common.sh). There, run as root, it also
# starts making the emulated PC the tests run the 32-bit build in, unless it is made.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
root=$(cd "$here/.." && pwd)

configure_and_build() {
    local dir=$1 toolchain=$2
    shift 2
    [ -f "$dir/CMakeCache.txt" ] ||
        cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
    # Set on every build, so that a build made before is told too.
    [ $# -eq 0 ] || cmake "$@" "$dir" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

if needs_twin && [ "$(wine_way)" = emulated ] && [ "$(id -u)" = 0 ] && ! "$here/pc-image.sh" --check; then
    # Mostly downloads: it goes on while this builds, and the tests wait for it.
    log=${TYPOSCOPE_CACHE:-/var/cache/typoscope}/pc-image.log
    mkdir -p "$(dirname "$log")"
    echo "Making the emulated PC for the tests in the background meanwhile (log: $log)."
    "$here/pc-image.sh" >"$log" 2>&1 </dev/null &
fi
configure_and_build "$build" cmake/mingw-i686.cmake
if needs_twin; then
    echo "This kernel cannot start 32-bit programs: building the 64-bit twin in $build/x64 as well."
    # Its tests include the 32-bit build's, run in an emulated PC.
    configure_and_build "$build/x64" cmake/mingw-x86_64.cmake -DTYPOSCOPE_32BIT_BUILD="$(cd "$build" && pwd)"
fi
