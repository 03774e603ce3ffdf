# Shared by the scripts: which Wine runs Typoscope here, and on which build.
# Source it; it defines functions only.
#
# Typoscope ships as a 32-bit program, and that is the program tested wherever this
# machine can run 32-bit code. Three ways, chosen by TYPOSCOPE_WINE (auto when unset):
#   system  Debian's own 32-bit Wine, where the kernel starts 32-bit programs;
#   wow64   Wine 10 in its "new WoW64" mode (32-bit Windows code inside 64-bit
#           processes), from a Debian unstable root kept in $TYPOSCOPE_CACHE
#           (default /var/cache/typoscope), where the kernel refuses 32-bit programs;
#   wine64  Debian's 64-bit Wine running the 64-bit twin of the build (BUILD/x64),
#           where the kernel runs no 32-bit code at all.
# Should the chosen Wine turn out unable to run 32-bit code, the 64-bit twin is
# tested instead, and the run says so in its first lines.

common_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# True when this machine can start 32-bit programs (and so 32-bit Wine).
can_run_32bit() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# True when the kernel runs 32-bit code inside a 64-bit process (probe-wow64.c).
can_run_wow64() {
    local probe
    probe=$(mktemp /tmp/typoscope-probe.XXXXXX) || return 1
    local status=1
    if cc -O1 -o "$probe" "$common_here/probe-wow64.c" 2>/dev/null; then
        ( "$probe" ) >/dev/null 2>&1 && status=0
    fi
    rm -f "$probe"
    return $status
}

# The way Wine runs here (see above).
wine_way() {
    case ${TYPOSCOPE_WINE:-auto} in
    system | wow64 | wine64) echo "$TYPOSCOPE_WINE" ;;
    auto)
        if can_run_32bit; then echo system
        elif can_run_wow64; then echo wow64
        else echo wine64
        fi ;;
    *) echo "TYPOSCOPE_WINE must be system, wow64, wine64 or unset, not '$TYPOSCOPE_WINE'" >&2; return 1 ;;
    esac
}

# Whether a build needs its 64-bit twin here: wherever the kernel refuses 32-bit programs,
# since only a run can tell whether Wine 10 runs 32-bit code on it.
needs_twin() {
    [ "${TYPOSCOPE_WINE:-auto}" != system ] && ! can_run_32bit
}

# Sets up Wine for BUILD and starts one Wine server for the whole run. Call it once,
# early, as   wine_setup BUILD "$0" "$@"   : for the wow64 way it runs the calling script
# again in a mount namespace of its own, and returns only there. Exports TESTED_BUILD,
# the build folder whose programs run, and WINE and WINESERVER for the scripts and CTest.
wine_setup() {
    local build=$1
    shift
    build=$(cd "$build" && pwd)
    TYPOSCOPE_WINE=$(wine_way) || exit 2
    export TYPOSCOPE_WINE
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
    export WINE=$common_here/wine WINESERVER=$common_here/wineserver
    unset TYPOSCOPE_WINE_ROOT
    case $TYPOSCOPE_WINE in
    system)
        can_run_32bit || { echo "TYPOSCOPE_WINE=system: this kernel cannot start 32-bit programs." >&2; exit 2; }
        TESTED_BUILD=$build
        export WINEARCH=win32 WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
        export TYPOSCOPE_WINE_BINARY=wine TYPOSCOPE_WINESERVER_BINARY=wineserver
        ;;
    wine64)
        TESTED_BUILD=$build/x64
        export WINEARCH=win64 WINEPREFIX=${WINEPREFIX:-$build/x64/wineprefix}
        export TYPOSCOPE_WINE_BINARY=/usr/lib/wine/wine64 TYPOSCOPE_WINESERVER_BINARY=/usr/lib/wine/wineserver64
        export WINELOADER=/usr/lib/wine/wine64
        ;;
    wow64)
        local root
        root=$("$common_here/wine-root.sh") || exit 2
        if [ -z "${TYPOSCOPE_IN_NAMESPACE:-}" ]; then
            TYPOSCOPE_IN_NAMESPACE=1 exec unshare --mount --propagation private "$@"
        fi
        mount_wine_root "$root" "$(cd "$common_here/.." && pwd)" "$build"
        TESTED_BUILD=$build
        export TYPOSCOPE_WINE_ROOT=$root WINEARCH=win64 WINEPREFIX=${WINEPREFIX:-$build/wineprefix-wow64}
        export TYPOSCOPE_WINE_BINARY=wine TYPOSCOPE_WINESERVER_BINARY=/usr/lib/x86_64-linux-gnu/wine/wineserver
        ;;
    esac
    wine_prefix
    "$WINESERVER" -p
    # Wine's own services start now, away from the caller's output pipes, which they
    # would otherwise inherit and hold open for as long as the server lives.
    "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
    if [ "$TYPOSCOPE_WINE" = wow64 ] && ! runs_32bit_windows_code "$build"; then
        echo "Wine 10 cannot run 32-bit code on this kernel (it refuses 32-bit code in 64-bit processes)."
        TESTED_BUILD=$build/x64
    fi
    export TESTED_BUILD
    local bits="32-bit"
    [ "$TESTED_BUILD" = "$build" ] || bits="64-bit twin of the 32-bit"
    echo "Program: $TESTED_BUILD/Typoscope.exe (the $bits build)"
    echo "Wine: $("$WINE" --version 2>/dev/null) ($TYPOSCOPE_WINE: $(wine_way_description))"
}

wine_way_description() {
    case $TYPOSCOPE_WINE in
    system) echo "Debian's own 32-bit Wine" ;;
    wow64) echo "new WoW64 mode, Debian unstable root in $TYPOSCOPE_WINE_ROOT" ;;
    wine64) echo "Debian's 64-bit Wine; this kernel runs no 32-bit code" ;;
    esac
}

# Whether Wine runs a 32-bit program of the build (the window tool, which answers a
# call without arguments with its usage and status 2).
runs_32bit_windows_code() {
    # In a subshell of its own, whose report of a crash goes nowhere either.
    ( "$WINE" "$1/tests/window_tool.exe"; exit $? ) >/dev/null 2>&1 </dev/null
    [ $? -eq 2 ]
}

# The root's view of the machine: its kernel file systems, /tmp (the X display's socket,
# the test print server, temporary folders) and the project's folders at their own paths.
# The folders are shared mounts, so that the small disks the robustness tests mount
# inside them later appear in the root as well.
mount_wine_root() {
    local root=$1
    shift
    local dir
    for dir in /proc /dev /sys /tmp; do
        mount --rbind "$dir" "$root$dir"
    done
    for dir in "$@"; do
        [ "$root$dir" -ef "$dir" ] && continue  # inside a folder bound already
        mkdir -p "$root$dir"
        mount --bind "$dir" "$dir"
        mount --make-rshared "$dir"
        mount --rbind "$dir" "$root$dir"
    done
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
