#!/usr/bin/env bash
# Runs every test under Wine on a virtual display, with one Wine server for the whole run.
#   scripts/run-tests.sh BUILD [ctest arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
build=$(cd "${1:-build}" && pwd) || exit 1
shift || true

if [ -z "${TYPOSCOPE_ON_DISPLAY:-}" ]; then
    TYPOSCOPE_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$@"
fi

tested=$(runnable_build "$build")
[ "$tested" = "$build" ] || echo "Testing the 64-bit build ($tested): this kernel cannot start 32-bit programs."
wine_env "$tested"
# Two printers on a print server of this run's own, before Wine starts, so that
# the printer dialogs have a choice to remember.
printers=$(mktemp -d /tmp/typoscope-cups.XXXXXX)
if socket=$("$here/test-printers.sh" start "$printers"); then
    export CUPS_SERVER=$socket
else
    echo "No test printers: the printer dialog tests will fail."
fi
wine_prefix
"$WINESERVER" -p
# Start Wine's own services now, away from CTest's output pipes, which they
# would otherwise inherit and hold open for as long as the server lives.
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
"$here/robustness-disks.sh" up "$tested"
cd "$tested" && ctest --output-on-failure "$@"
status=$?
"$here/robustness-disks.sh" down "$tested"
"$WINESERVER" -k
"$here/test-printers.sh" stop "$printers"
exit $status
