# Shared by the scripts: which Wine runs Typoscope here, and on which build.
# Source it; it defines functions and the list of Wine's packages only.
#
# Typoscope ships as a 32-bit program, and that is the program tested on every machine.
# Three ways, chosen by TYPOSCOPE_WINE (auto when unset: system where the kernel starts
# 32-bit programs, emulated elsewhere):
#   system    Debian's own 32-bit Wine runs the 32-bit build here;
#   emulated  where the kernel runs no 32-bit code: Debian's 64-bit Wine runs the whole
#             suite on the 64-bit twin of the build (BUILD/x64) here, and the 32-bit build
#             runs in an emulated PC (scripts/emulated-pc.sh), as the twin's test
#             in_emulated_pc;
#   wine64    the twin alone, without the emulated PC.

common_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Debian's own 32-bit Wine and the 32-bit libraries it loads at run time (its
# recommendations, in the 32-bit form): without the print client the printer dialogs
# find no printer. Installed here, and in the emulated PC.
wine32_packages=(wine wine32:i386 libcups2:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386
                 libxcomposite1:i386 libxinerama1:i386 libxfixes3:i386 libxxf86vm1:i386 libfontconfig1:i386
                 libfreetype6:i386)

# True when this machine can start 32-bit programs (and so 32-bit Wine).
can_run_32bit() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The way Wine runs here (see above).
wine_way() {
    case ${TYPOSCOPE_WINE:-auto} in
    system | emulated | wine64) echo "$TYPOSCOPE_WINE" ;;
    auto) if can_run_32bit; then echo system; else echo emulated; fi ;;
    *) echo "TYPOSCOPE_WINE must be system, emulated, wine64 or unset, not '$TYPOSCOPE_WINE'" >&2; return 1 ;;
    esac
}

# Whether a build needs its 64-bit twin here: wherever the kernel refuses 32-bit programs.
needs_twin() {
    [ "${TYPOSCOPE_WINE:-auto}" != system ] && ! can_run_32bit
}

# Sets up Wine for BUILD and starts one Wine server for the whole run. Call it once,
# early:   wine_setup BUILD   . Exports TESTED_BUILD, the build folder whose programs
# run here, and WINE and WINESERVER for the scripts and CTest.
wine_setup() {
    local build
    build=$(cd "$1" && pwd)
    TYPOSCOPE_WINE=$(wine_way) || exit 2
    export TYPOSCOPE_WINE
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
    export WINE=$common_here/wine WINESERVER=$common_here/wineserver
    case $TYPOSCOPE_WINE in
    system)
        can_run_32bit || { echo "TYPOSCOPE_WINE=system: this kernel cannot start 32-bit programs." >&2; exit 2; }
        TESTED_BUILD=$build
        export WINEARCH=win32 WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
        export TYPOSCOPE_WINE_BINARY=wine TYPOSCOPE_WINESERVER_BINARY=wineserver
        ;;
    wine64 | emulated)
        TESTED_BUILD=$build/x64
        export WINEARCH=win64 WINEPREFIX=${WINEPREFIX:-$build/x64/wineprefix}
        export TYPOSCOPE_WINE_BINARY=/usr/lib/wine/wine64 TYPOSCOPE_WINESERVER_BINARY=/usr/lib/wine/wineserver64
        export WINELOADER=/usr/lib/wine/wine64
        ;;
    esac
    wine_prefix
    "$WINESERVER" -p
    # Wine's own services start now, away from the caller's output pipes, which they
    # would otherwise inherit and hold open for as long as the server lives.
    "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
    export TESTED_BUILD
    local bits="32-bit"
    [ "$TESTED_BUILD" = "$build" ] || bits="64-bit twin of the 32-bit"
    echo "Program: $TESTED_BUILD/Typoscope.exe (the $bits build)"
    echo "Wine: $("$WINE" --version 2>/dev/null) ($TYPOSCOPE_WINE: $(wine_way_description))"
}

wine_way_description() {
    case $TYPOSCOPE_WINE in
    system) echo "Debian's own 32-bit Wine" ;;
    emulated) echo "Debian's 64-bit Wine here, whose kernel runs no 32-bit code" ;;
    wine64) echo "Debian's 64-bit Wine; this kernel runs no 32-bit code, and the emulated PC is left out" ;;
    esac
}

# The prefix, made once. Wine draws the window frames itself, as Windows does,
# so that a virtual display without a window manager shows whole windows.
wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
        # A crash is reported on the output, not in a dialog that waits for a click forever.
        "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
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

# Photographs a window of a program of BUILD, once it is shown, into OUT (on the
# current display, after wine_setup).   photograph_window BUILD CAPTION OUT
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

# Ends the run's Wine server and every program of its prefix, if wine_setup has set one.
wine_stop() {
    if [ -n "${WINESERVER:-}" ] && [ -n "${WINEPREFIX:-}" ]; then
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
    fi
    return 0
}

# Runs the calling script again on a virtual display of its own, unless it is on one
# already; returns only then.   on_virtual_display "$0" ARGUMENTS...
on_virtual_display() {
    if [ -z "${TYPOSCOPE_ON_DISPLAY:-}" ]; then
        TYPOSCOPE_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}
