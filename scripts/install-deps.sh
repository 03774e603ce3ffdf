#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Typoscope need,
# but only when something is missing, so that a ready machine starts at once.
# Where the kernel then turns out to run no 32-bit program, it adds what makes the
# emulated PC the 32-bit build is tested in (scripts/pc-image.sh, scripts/common.sh).
set -euo pipefail
. "$(dirname "$0")/common.sh"

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 gcc cmake make wine64 xvfb xauth googletest
          imagemagick fonts-wine python3 python3-fonttools fonts-dejavu-core fonts-dejavu-extra
          cups-daemon cups-client libcups2 printer-driver-cups-pdf python3-fusepy "${wine32_packages[@]}"
          clang libclang-rt-14-dev)  # the native fuzz targets (tests/fuzz): libFuzzer and the sanitizers
# The emulated PC: QEMU, and what makes its disk and initramfs.
emulation=(qemu-system-x86 mmdebstrap cpio e2fsprogs)

install_missing() {
    local p missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    [ -n "${updated:-}" ] || { $sudo apt-get update -q; updated=1; }
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"
[ "$(wine_way)" != emulated ] || install_missing "${emulation[@]}"
