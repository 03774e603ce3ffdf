#!/usr/bin/env bash
# Runs the benchmarks under Wine on a virtual display, with one Wine server for
# the whole run, and prints their table; the Wine server ends with the run, however it ends.
# The first lines say which program and which Wine are measured (scripts/common.sh): always
# natively, here, never in the emulated PC the tests use where the kernel runs no 32-bit code.
#   scripts/run-bench.sh BUILD [typoscope_bench arguments, e.g. --runs 3 --only fontlist]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/common.sh"
build=$(build_folder "${1:-}") || exit 1
shift || true

on_virtual_display "$0" "$build" "$@"
on_exit wine_stop
wine_setup "$build"
measured=$TESTED_BUILD
for exe in Typoscope.exe bench/typoscope_bench.exe bench/startup_floor.exe; do
    [ -f "$measured/$exe" ] || { echo "missing $measured/$exe: run make build first" >&2; exit 1; }
done

# Everything the run makes stays in the build folder: the fixture faces (renamed
# copies of a free font, made once), a folder to start Typoscope from, the text files.
work=$measured/bench-run
mkdir -p "$work/startup" "$work/data"
echo "Making the fixture faces (once)..."
/usr/bin/python3 "$root/bench/make_fixture_fonts.py" "$work/fonts" 5000 || exit 1
cp "$measured/Typoscope.exe" "$work/startup/"
rm -f "$work/startup/sample.txt"
printf '[General]\r\nWordwrap=0\r\nScrollbar=0\r\n[Font]\r\nName=DejaVu Sans\r\nSize=12\r\n' >"$work/startup/Typoscope.ini"

# Wine sees the Unix root as drive Z:.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

echo "Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
"$WINE" "$measured/bench/typoscope_bench.exe" \
    --typoscope "$(winpath "$work/startup/Typoscope.exe")" \
    --floor "$(winpath "$measured/bench/startup_floor.exe")" \
    --fonts "$(winpath "$work/fonts")" \
    --data "$(winpath "$work/data")" "$@"
