#!/usr/bin/env bash
# Runs every test under Wine on a virtual display, with one Wine server for the whole run.
#   scripts/run-tests.sh BUILD [ctest arguments...]
# However the run ends (passed, failed, interrupted), it unmounts its small disks and
# stops its print server and its Wine server.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(build_folder "${1:-}") || exit 1
shift || true

on_virtual_display "$0" "$build" "$@"

tested=$(runnable_build_told "$build" Testing)
printers=""
clean_up() {
    "$here/robustness-disks.sh" down "$tested"
    wine_stop
    [ -z "$printers" ] || "$here/test-printers.sh" stop "$printers"
}
on_exit clean_up

wine_env "$tested"
# Two printers on a print server of this run's own, before Wine starts, so that
# the printer dialogs have a choice to remember.
printers=$(mktemp -d /tmp/typoscope-cups.XXXXXX)
if socket=$("$here/test-printers.sh" start "$printers"); then
    export CUPS_SERVER=$socket
else
    echo "No test printers: the printer dialog tests will fail."
fi
wine_start
"$here/robustness-disks.sh" up "$tested"
cd "$tested" && ctest --output-on-failure "$@"
