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

# The build folder a script was given (BUILD, by default build), as an absolute path.
build_folder() {
    (cd "${1:-build}" && pwd)
}

# The build whose programs run here (runnable_build), saying so when it is the
# 64-bit twin.   runnable_build_told BUILD Testing|Measuring
runnable_build_told() {
    local runnable
    runnable=$(runnable_build "$1")
    [ "$runnable" = "$1" ] || echo "$2 the 64-bit build ($runnable): this kernel cannot start 32-bit programs." >&2
    echo "$runnable"
}

# Runs the calling script again on a virtual display of its own, unless it is on one
# already; returns only then.   on_virtual_display "$0" ARGUMENTS...
on_virtual_display() {
    if [ -z "${TYPOSCOPE_ON_DISPLAY:-}" ]; then
        TYPOSCOPE_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}

# Photographs a window of a program of BUILD, once it is shown, into OUT (on the
# current display, after wine_env).   photograph_window BUILD CAPTION OUT
photograph_window() {
    local x y w h
    read -r x y w h < <("$WINE" "$1/tests/window_tool.exe" wait "$2" | tr -d '\r')
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$3"
}

# Runs the caller's clean-up however the script ends: done, failed, or interrupted
# (Ctrl+C, kill), so that no mount, server or display of the run is left behind.
#   on_exit FUNCTION
on_exit() {
    trap "$1" EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    trap 'exit 129' HUP
}

# One Wine server for the whole run (after wine_env). Wine's own services start now,
# away from the caller's output pipes, which they would otherwise inherit and hold
# open for as long as the server lives.
wine_start() {
    wine_prefix
    "$WINESERVER" -p
    "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
}

# Ends the run's Wine server and every program of its prefix, if wine_env has set one.
wine_stop() {
    if [ -n "${WINESERVER:-}" ]; then
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
    fi
    return 0
}
