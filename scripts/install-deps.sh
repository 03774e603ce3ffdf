#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Typoscope need,
# but only when something is missing, so that a ready machine starts at once.
# Where the kernel refuses 32-bit programs but runs 32-bit code in 64-bit processes,
# scripts/wine-root.sh later makes the Wine 10 root once (see scripts/common.sh).
set -euo pipefail

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 gcc cmake make wine wine32:i386 wine64 xvfb xauth googletest
          imagemagick fonts-wine python3 python3-fonttools fonts-dejavu-core fonts-dejavu-extra
          cups-daemon cups-client libcups2 printer-driver-cups-pdf mmdebstrap python3-fusepy)
# The libraries Debian's 32-bit Wine loads at run time (its recommendations, in the
# 32-bit form): without the print client the printer dialogs find no printer.
packages+=(libcups2:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxcomposite1:i386
           libxinerama1:i386 libxfixes3:i386 libxxf86vm1:i386 libfontconfig1:i386 libfreetype6:i386)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
