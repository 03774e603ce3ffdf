#!/usr/bin/env bash
# Runs the window's scale cases at the screen scales most displays use today, each in a
# Wine prefix of its own whose screen is set to that scale (HKCU\Control Panel\Desktop,
# LogPixels), so that the rest of the suite keeps its 96 dots per inch. Run by CTest as
# the test window_scales, inside scripts/run-tests.sh (which sets Wine up).
#   scripts/scaled-tests.sh BUILD
set -uo pipefail
build=$(cd "$1" && pwd)
: "${WINE:?run through scripts/run-tests.sh}" "${WINEPREFIX:?}" "${WINESERVER:?}"
status=0
for dpi in 120 144 192; do
    prefix=$build/wineprefix-$dpi
    # A copy of the run's prefix, made once: Wine's set-up is slow, the copy is not.
    [ -f "$prefix/system.reg" ] || cp -a "$WINEPREFIX" "$prefix"
    (
        export WINEPREFIX=$prefix
        "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        # The scale is read when the prefix's server starts.
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
        echo "Screen at $dpi dots per inch ($prefix):"
        "$WINE" "$build/tests/window_tests.exe" --gtest_filter='Scales.*' 2>&1 | tr -d '\r'
        rc=${PIPESTATUS[0]}
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
        exit "$rc"
    ) || status=1
done
exit $status
