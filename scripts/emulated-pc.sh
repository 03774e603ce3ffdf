#!/usr/bin/env bash
# Runs tests of the 32-bit build in an emulated PC, for machines whose kernel runs no 32-bit
# code: QEMU's software emulation of a 64-bit PC whose Debian 12 kernel runs 32-bit programs,
# and there Debian's own 32-bit Wine (scripts/pc-image.sh makes the PC once).
#   scripts/emulated-pc.sh BUILD [GROUP=FILTER...]
# runs each group of BUILD's tests with its GoogleTest filter, through scripts/run-tests.sh
# inside the PC; by default the end-to-end group (but for one case) and the window cases that
# guard what differs on 32-bit. The host's folders are shared with the PC at their own paths, and must
# not change while it runs. The PC runs every program about five times slower, so the tests'
# waits are stretched (TYPOSCOPE_TIME_FACTOR). Every wait here is bounded: a PC that does not
# come up, or does not finish, ends the run with a message and its console's last lines.
# Where the caller has opened TYPOSCOPE_LIVE_FD (run-tests.sh, under CTest), the PC's output
# is shown there as it comes.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
clone=$(cd "$here/.." && pwd)

# The end-to-end group, but for its 16 MB sample: at the PC's speed that start alone takes
# longer than the group's whole time limit.
e2e_cases='-SampleFile.SixteenMegabytes*'
# The window cases run in the PC: the exception barrier of the font enumeration (the 32-bit
# exception model cannot unwind through Windows frames), the printer dialogs (structures and
# calling conventions), the Unicode sample box with its files, and a font the box faults on.
window_cases='NoFonts.*:PrinterDialogs.*:*PrinterChoiceCarriesOver.*:OpenTextFile.AUtf16*'
window_cases+=':SampleFileTest.TextInAnyScript*:SampleFileTest.Typed*:SampleFileTest.CloseWrites*'
window_cases+=':SampleBoxFont.AFontTheBoxFaults*'
# And stepping back from a fault, whose saved state differs between the two processors.
unit_cases='CallGuarded.*'
boot_seconds=${TYPOSCOPE_PC_BOOT_SECONDS:-300}
memory=${TYPOSCOPE_PC_MEMORY:-3072}
prefix=/var/lib/typoscope/wineprefix

# Inside the PC (its first program calls this): JOB is "prefix" or "tests".
in_pc() {
    local job=$1 build=$2 run=$3
    export TYPOSCOPE_WINE=system WINEARCH=win32 WINEPREFIX=$prefix TYPOSCOPE_TIME_FACTOR=5
    case $job in
    prefix)
        . "$here/common.sh"
        export WINE=$here/wine WINESERVER=$here/wineserver TYPOSCOPE_WINE_BINARY=wine
        export TYPOSCOPE_WINESERVER_BINARY=wineserver WINEDEBUG=-all
        rm -rf "$prefix"
        mkdir -p "$(dirname "$prefix")"
        xvfb-run -a -s "-screen 0 1280x1024x24" bash -c ". '$here/common.sh' && wine_prefix"
        [ -f "$prefix/system.reg" ] && "$WINE" --version
        ;;
    tests)
        local part status=0
        # The failing file system of the robustness tests needs its device.
        modprobe fuse 2>/dev/null
        IFS=';' read -ra parts <<<"$run"
        for part in "${parts[@]}"; do
            # Verbose: each case's result shows as it ends, on a PC where a group takes minutes.
            GTEST_FILTER=${part#*=} "$here/run-tests.sh" "$build" -V -R "^${part%%=*}\$" || status=1
        done
        return $status
        ;;
    esac
}

if [ "${1:-}" = in-pc ]; then
    shift
    in_pc "$@"
    exit
fi

live=1 progress=2
if [ -n "${TYPOSCOPE_LIVE_FD:-}" ] && { true >&"$TYPOSCOPE_LIVE_FD"; } 2>/dev/null; then
    live=$TYPOSCOPE_LIVE_FD progress=$TYPOSCOPE_LIVE_FD
fi

if [ "${1:-}" = --prefix ]; then
    # pc-image.sh: the prefix, made on the new disk itself.
    pc=$TYPOSCOPE_PC job=prefix build="" run="" deadline=900 snapshot=off
else
    [ -n "${1:-}" ] || { echo "usage: $0 BUILD [GROUP=FILTER...]" >&2; exit 2; }
    # Under CTest the test is skipped unless the tests run that way (scripts/common.sh).
    if [ -n "${TYPOSCOPE_WINE:-}" ] && [ "$TYPOSCOPE_WINE" != emulated ]; then
        echo "Not run: TYPOSCOPE_WINE is $TYPOSCOPE_WINE, not emulated."
        exit 77
    fi
    build=$(cd "$1" && pwd) || exit 2
    shift
    [ -f "$build/Typoscope.exe" ] || { echo "no 32-bit build in $build" >&2; exit 2; }
    [ $# -gt 0 ] || set -- "e2e_tests=$e2e_cases" "window_tests=$window_cases" "unit_tests=$unit_cases"
    run=$(IFS=';'; echo "$*")
    cache=${TYPOSCOPE_CACHE:-/var/cache/typoscope}
    pc=$("$here/pc-image.sh" 2>&"$progress") || { echo "The emulated PC could not be made." >&2; exit 1; }
    # Made in the background during the build (scripts/build.sh): how long that took, once.
    if [ -f "$cache/pc-image.log" ]; then
        grep -E ' made in ' "$cache/pc-image.log" >&"$live"
        rm -f "$cache/pc-image.log"
    fi
    job=tests deadline=${TYPOSCOPE_PC_RUN_SECONDS:-2400} snapshot=on
fi

# The clone, and the build where it lies outside the clone, shared at their own paths.
shares=(-virtfs "local,path=$clone,mount_tag=clone,security_model=none,multidevs=remap")
share_list=clone:$clone
case $build/ in
"" | / | "$clone"/*) ;;
*)
    shares+=(-virtfs "local,path=$build,mount_tag=build,security_model=none,multidevs=remap")
    share_list+=,build:$build
    ;;
esac
log=$(mktemp /tmp/typoscope-pc.XXXXXX)
qemu=""
end_pc() {
    [ -z "$qemu" ] || { kill "$qemu" 2>/dev/null; wait "$qemu" 2>/dev/null; }
    rm -f "$log"
}
trap end_pc EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

started=$SECONDS
# -cpu max without SMAP: QEMU 7.2's emulation of SMAP makes the guest kernel oops on Wine's
# first process. The disk is used as a snapshot, so every run starts from the same one.
timeout --kill-after=10 $((boot_seconds + deadline)) qemu-system-x86_64 -accel tcg -cpu max,-smap -smp 2 \
    -m "$memory" -nographic -no-reboot -nic none \
    -kernel "$pc/vmlinuz" -initrd "$pc/initrd.img" \
    -drive "file=$pc/disk.img,format=raw,if=virtio,snapshot=$snapshot" "${shares[@]}" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1 typoscope.shares=$share_list typoscope.job=$job typoscope.build=$build typoscope.run=$run" \
    </dev/null >"$log" 2>&1 &
qemu=$!

# Complete lines of the console so far, without the serial line's carriage returns and the
# firmware's terminal codes (which may also stand before the first line of the PC's own).
console() { head -n "$(wc -l <"$log")" "$log" | tr -d '\r' | sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\x1bc//g'; }

fail() {
    echo "$1" >&2
    echo "The emulated PC's console, last lines:" >&2
    console | tail -n 40 >&2
    exit 1
}

shown=0 ready=0
while :; do
    lines=$(console | wc -l)
    if [ $ready = 0 ]; then
        if console | grep -q 'typoscope-pc: ready$'; then
            ready=$SECONDS
            shown=$(console | grep -n 'typoscope-pc: ready$' | head -1 | cut -d: -f1)
            echo "The emulated PC came up in $((ready - started)) s (QEMU, software emulation, $memory MB)." >&"$live"
        elif [ $((SECONDS - started)) -ge "$boot_seconds" ]; then
            fail "The emulated PC did not come up within $boot_seconds s."
        fi
    fi
    if [ $ready != 0 ] && [ "$lines" -gt "$shown" ]; then
        console | sed -n "$((shown + 1)),${lines}p" | grep -v 'typoscope-pc: status' >&"$live"
        shown=$lines
    fi
    status=$(console | sed -n 's/.*typoscope-pc: status \([0-9]*\)$/\1/p' | tail -1)
    [ -n "$status" ] && break
    kill -0 "$qemu" 2>/dev/null || fail "The emulated PC stopped before its job ended."
    [ $ready = 0 ] || [ $((SECONDS - ready)) -lt "$deadline" ] ||
        fail "The emulated PC did not finish its job within $deadline s."
    sleep 1
done
wait "$qemu" 2>/dev/null
qemu=""
echo "The emulated PC's job ended with status $status after $((SECONDS - started)) s." >&"$live"
if [ "$job" = tests ] && [ "$live" != 1 ]; then
    # What CTest keeps of this test: each group's result in the PC.
    grep -E '^Program:|^Wine:|tests passed|tests failed|\(Failed\)|^\[  FAILED  \]' <(console) || true
fi
exit "$status"
