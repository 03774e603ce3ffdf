#!/usr/bin/env bash
# Runs every test under Wine on a virtual display, with one Wine server for the whole run.
# The first lines say which program and which Wine are tested, and where (scripts/common.sh).
#   scripts/run-tests.sh BUILD [ctest arguments...]
# However the run ends (passed, failed, interrupted), it unmounts its small disks and
# stops its print server and its Wine server.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(build_folder "${1:-}") || exit 1
shift || true

on_virtual_display "$0" "$build" "$@"

tests=""
clean_up() {
    # CTest goes on to the next test when interrupted: it is ended, then what it ran.
    [ -z "$tests" ] || kill "$tests" 2>/dev/null
    wine_stop
    [ -z "${TESTED_BUILD:-}" ] || "$here/robustness-disks.sh" down "$TESTED_BUILD"
    [ -z "${TYPOSCOPE_PRINTERS:-}" ] || "$here/test-printers.sh" stop "$TYPOSCOPE_PRINTERS"
}
on_exit clean_up

# Two printers on a print server of this run's own, before Wine starts, so that
# the printer dialogs have a choice to remember.
if [ -z "${TYPOSCOPE_PRINTERS:-}" ]; then
    export TYPOSCOPE_PRINTERS
    TYPOSCOPE_PRINTERS=$(mktemp -d /tmp/typoscope-cups.XXXXXX)
    if socket=$("$here/test-printers.sh" start "$TYPOSCOPE_PRINTERS"); then
        export CUPS_SERVER=$socket
    else
        echo "No test printers: the printer dialog tests will fail."
    fi
fi
wine_setup "$build"
if [ "$TYPOSCOPE_WINE" = emulated ]; then
    echo "Program: $build/Typoscope.exe (the 32-bit build) in an emulated PC, Wine 8.0, 32-bit: its end-to-end" \
        "group and the window cases where 32-bit differs (the test in_emulated_pc, scripts/emulated-pc.sh)"
fi
"$here/robustness-disks.sh" up "$TESTED_BUILD"
cd "$TESTED_BUILD" || exit 1
# The test in_emulated_pc shows the emulated PC's output here as it comes, not only when it fails.
exec 3>&1
export TYPOSCOPE_LIVE_FD=3
# In the background, so that an interruption's trap runs at once, not after the last test.
ctest --output-on-failure "$@" &
tests=$!
wait "$tests"
status=$?
tests=""
exit $status
