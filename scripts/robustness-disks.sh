#!/usr/bin/env bash
# Small file systems for the robustness tests, mounted where root may mount them:
#   BUILD/robustness/small     a 1 MB tmpfs that the tests fill up (a full disk)
#   BUILD/robustness/readonly  a read-only tmpfs holding the program, Typoscope.ini and
#                              sample.txt (a folder where nothing can be written)
#   BUILD/robustness/nonew     a tmpfs with no inode to spare beyond the program,
#                              Typoscope.ini and sample.txt (a folder where the files
#                              can be written but no new file can be made)
#   BUILD/robustness/readerror a folder whose sample.txt cannot be read whole: a link to
#                              the one file of BUILD/robustness/failing, a file system
#                              whose reads fail midway with an I/O error (failing-file-fs.py)
# Without them those cases are skipped. Usage: robustness-disks.sh up|down BUILD
set -u
action=${1:-}
build=$(cd "${2:-build}" && pwd) || exit 1
root=$build/robustness

unmount_all() {
    for folder in "$root/small" "$root/readonly" "$root/nonew" "$root/failing"; do
        if mountpoint -q "$folder" 2>/dev/null; then umount "$folder" || umount -l "$folder"; fi
    done
    rm -f "$root/mounted"
    rm -rf "$root/readerror"
}

case $action in
up)
    unmount_all
    if [ "$(id -u)" != 0 ]; then
        echo "Not root: the full-disk and read-only folder tests will be skipped."
        exit 0
    fi
    mkdir -p "$root/small" "$root/readonly" "$root/nonew"
    # nonew: one inode for its root folder and one for each of the three files.
    if ! mount -t tmpfs -o size=1m,mode=0777 typoscope-small "$root/small" ||
        ! mount -t tmpfs -o size=1m,mode=0777 typoscope-readonly "$root/readonly" ||
        ! mount -t tmpfs -o size=64m,nr_inodes=4,mode=0777 typoscope-nonew "$root/nonew"; then
        unmount_all
        echo "Cannot mount here: the full-disk and read-only folder tests will be skipped."
        exit 0
    fi
    cp "$build/Typoscope.exe" "$root/readonly/"
    printf '[General]\r\nWordwrap=1\r\nScrollbar=1\r\nFirstRun=0\r\n[Font]\r\nBold=1\r\nItalic=0\r\nUnderline=1\r\nStrikeOut=0\r\nSize=14\r\nName=DejaVu Sans\r\n' \
        >"$root/readonly/Typoscope.ini"
    printf 'Kept on a disk that cannot be written.\r\n' >"$root/readonly/sample.txt"
    mount -o remount,ro "$root/readonly"
    cp "$build/Typoscope.exe" "$root/nonew/"
    : >"$root/nonew/Typoscope.ini"
    : >"$root/nonew/sample.txt"
    mkdir -p "$root/readerror" "$root/failing"
    # The file system serves until it is unmounted; its output would hold the caller's pipes.
    "$(dirname "$0")/failing-file-fs.py" "$root/failing" >/dev/null 2>&1 </dev/null &
    for _ in $(seq 50); do
        mountpoint -q "$root/failing" && break
        sleep 0.1
    done
    ln -s "$root/failing/sample.txt" "$root/readerror/sample.txt"
    touch "$root/mounted"
    ;;
down)
    unmount_all
    ;;
*)
    echo "usage: $0 up|down BUILD" >&2
    exit 2
    ;;
esac
