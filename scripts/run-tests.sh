#!/usr/bin/env bash
# Runs every test under Wine on a virtual display, with one Wine server for the whole run.
# The first lines say which program and which Wine are tested (scripts/common.sh).
#   scripts/run-tests.sh BUILD [ctest arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(cd "${1:-build}" && pwd) || exit 1
shift || true

on_virtual_display "$0" "$build" "$@"
# Two printers on a print server of this run's own, before Wine starts, so that
# the printer dialogs have a choice to remember.
if [ -z "${TYPOSCOPE_PRINTERS:-}" ]; then
    printers=$(mktemp -d /tmp/typoscope-cups.XXXXXX)
    if socket=$("$here/test-printers.sh" start "$printers"); then
        export CUPS_SERVER=$socket TYPOSCOPE_PRINTERS=$printers
    else
        echo "No test printers: the printer dialog tests will fail."
    fi
fi
wine_setup "$build" "$0" "$build" "$@"
"$here/robustness-disks.sh" up "$TESTED_BUILD"
cd "$TESTED_BUILD" && ctest --output-on-failure "$@"
status=$?
"$here/robustness-disks.sh" down "$TESTED_BUILD"
"$WINESERVER" -k
[ -n "${TYPOSCOPE_PRINTERS:-}" ] && "$here/test-printers.sh" stop "$TYPOSCOPE_PRINTERS"
exit $status
