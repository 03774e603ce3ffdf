#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Typoscope need,
# but only when something is missing, so that a ready machine starts at once.
set -euo pipefail

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 cmake make wine wine32:i386 wine64 xvfb xauth googletest imagemagick
          fonts-wine python3 python3-fonttools fonts-dejavu-core
          cups-daemon cups-client libcups2 printer-driver-cups-pdf)

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
