#!/usr/bin/env bash
# Builds the native fuzz targets (CMakeLists.txt here lists them) and runs each for a bounded
# time, seeded with the tables of the fixture fonts and the installed fonts. A crash, a
# sanitizer's report or an input that takes over a second fails the run.
#   tests/fuzz/run.sh OUT [FONT_FOLDER...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
shift
command -v clang++ >/dev/null || { echo "clang++ is missing (scripts/install-deps.sh installs it)"; exit 1; }
mkdir -p "$out"
CXX=clang++ cmake -S "$here" -B "$out/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out/build" -j"$(nproc)" >/dev/null
# Seconds shared by all targets: the whole run stays within a minute.
total=${TYPOSCOPE_FUZZ_SECONDS:-50}
count=$(wc -l <"$out/build/targets.txt")
mapfile -t fonts < <(find /usr/share/fonts "$@" -type f \( -iname '*.ttf' -o -iname '*.otf' -o -iname '*.ttc' \) 2>/dev/null)
status=0
while read -r name table; do
    corpus=$out/corpus-$name
    /usr/bin/python3 "$here/seeds.py" "$table" "$corpus" "${fonts[@]}"  # Debian's, with fontTools
    echo "$name: $(ls "$corpus" | wc -l) inputs, $((total / count)) s"
    if ! "$out/build/${name}_fuzzer" -max_total_time=$((total / count)) -timeout=1 -rss_limit_mb=2048 \
        -artifact_prefix="$out/$name-" "$corpus" >"$out/$name.log" 2>&1; then
        tail -n 40 "$out/$name.log"
        status=1
    else
        tail -n 1 "$out/$name.log"
    fi
done <"$out/build/targets.txt"
exit $status
