#!/usr/bin/env bash
# Builds Typoscope, its tests and benchmarks: the 32-bit build in BUILD, and where
# this machine cannot start 32-bit programs also a 64-bit twin in BUILD/x64, for the
# machines that run no 32-bit code at all (scripts/common.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=${1:-build}
root=$(cd "$here/.." && pwd)

configure_and_build() {
    local dir=$1 toolchain=$2
    [ -f "$dir/CMakeCache.txt" ] ||
        cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

configure_and_build "$build" cmake/mingw-i686.cmake
if needs_twin; then
    echo "This kernel cannot start 32-bit programs: building the 64-bit twin in $build/x64 as well."
    configure_and_build "$build/x64" cmake/mingw-x86_64.cmake
fi
