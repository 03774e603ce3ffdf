#!/usr/bin/env bash
# Makes, once, the Debian unstable root whose Wine 10 runs 32-bit Windows programs in
# its "new WoW64" mode, needing no 32-bit Linux program; prints its path. The root is
# kept in $TYPOSCOPE_CACHE (default /var/cache/typoscope), outside any clone, for every
# later run. A root left half-made (an interrupted run) lacks its stamp and is made anew.
set -euo pipefail
cache=${TYPOSCOPE_CACHE:-/var/cache/typoscope}
root=$cache/wine-wow64
# Wine, the print client it talks to the tests' print server with, and the fonts.
packages=wine,wine64,libcups2t64,fonts-dejavu-core,fonts-dejavu-extra,fonts-urw-base35
stamp=$root/.typoscope-root

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$packages" ]; then
    echo "$root"
    exit 0
fi
command -v mmdebstrap >/dev/null || { echo "mmdebstrap is missing: run scripts/install-deps.sh" >&2; exit 1; }
[ "$(id -u)" = 0 ] || { echo "making the Wine 10 root needs root" >&2; exit 1; }
echo "Making the Wine 10 root in $root (once: a few minutes and about 2 GB)..." >&2
rm -rf "$root" "$root.partial"
mkdir -p "$cache"
# This archive's copy of unstable may carry an expired Release date.
mmdebstrap --variant=apt --aptopt='Acquire::Check-Valid-Until "false"' \
    --include="$packages" unstable "$root.partial" >&2
mv "$root.partial" "$root"
echo "$packages" >"$stamp"
echo "$root"
