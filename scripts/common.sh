# Shared by the scripts: which build runs here, and Wine's environment for it.
# Source it; it defines functions only.

# True when this machine can start 32-bit programs (and so 32-bit Wine).
can_run_32bit() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The build folder whose programs run here: the 32-bit one itself, or its
# 64-bit twin where the kernel refuses 32-bit programs.
runnable_build() {
    local build=$1
    if can_run_32bit; then echo "$build"; else echo "$build/x64"; fi
}

# Wine for the programs of a build folder, with a prefix of its own inside it.
wine_env() {
    local build
    build=$(cd "$1" && pwd)
    export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
    if can_run_32bit; then
        export WINEARCH=win32 WINE=wine WINESERVER=wineserver
    else
        export WINEARCH=win64 WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
        export WINELOADER=$WINE
    fi
}

# The prefix, made once. Wine draws the window frames itself, as Windows does,
# so that a virtual display without a window manager shows whole windows.
wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
        # Wine's own fonts (MS Sans Serif, Tahoma, Marlett for the caption buttons),
        # where a Wine that looks for them elsewhere still finds them.
        [ -d /usr/share/wine/fonts ] && cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        "$WINESERVER" -w
    fi
}

# Runs the calling script again on a virtual display of its own, unless it is on one
# already; returns only then.   on_virtual_display "$0" ARGUMENTS...
on_virtual_display() {
    if [ -z "${TYPOSCOPE_ON_DISPLAY:-}" ]; then
        TYPOSCOPE_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}

# One Wine server for the whole run (after wine_env). Wine's own services start now,
# away from the caller's output pipes, which they would otherwise inherit and hold
# open for as long as the server lives.
wine_start() {
    wine_prefix
    "$WINESERVER" -p
    "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
}
