#!/usr/bin/env bash
# Makes, once, the emulated PC in which the 32-bit build runs where this machine's kernel
# runs no 32-bit code (scripts/emulated-pc.sh): a Debian 12 disk with Debian's own 32-bit
# Wine, the test print server, the virtual display and CTest, its kernel, a small initramfs,
# and a Wine prefix made at a first boot. Prints the folder it is kept in:
# $TYPOSCOPE_CACHE/pc (default /var/cache/typoscope), outside any clone, for every later run.
# The folder is stamped with what it is made of (packages, first programs, the prefix's
# set-up): when that changes it is made anew, and so is one left half-made (an interrupted
# run), which has no stamp. One run makes it at a time; others wait for it.
#   scripts/pc-image.sh           makes it unless made, and prints its folder
#   scripts/pc-image.sh --check   whether it is made
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
cache=${TYPOSCOPE_CACHE:-/var/cache/typoscope}
pc=$cache/pc
new=$cache/pc.partial

packages=("${wine32_packages[@]}"
    # what the test scripts use there, as here: the virtual display, the print server, the
    # failing file system, CTest, the fonts
    xvfb xauth cups-daemon cups-client printer-driver-cups-pdf python3-fusepy fuse3 cmake procps mount kmod
    fonts-wine fonts-dejavu-core fonts-dejavu-extra
    # the PC's kernel, and the one program its initramfs is made of
    linux-image-amd64 busybox-static)
# The kernel's modules that reach the disk and the shared folders (the crc32c that ext4
# asks for by name has to be loaded by hand: the initramfs has no modprobe).
modules=(virtio_pci virtio_blk crc32c_generic ext4 9pnet_virtio 9p)

# The PC's first program: mounts the host's folders at their own paths, runs this project's
# script for the job named on the kernel's command line, says how it ended and powers off.
pc_init=$(cat <<'INIT'
#!/bin/bash
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devpts devpts /dev/pts 2>/dev/null || { mkdir -p /dev/pts && mount -t devpts devpts /dev/pts; }
mkdir -p /dev/shm && mount -t tmpfs shm /dev/shm
mount -t tmpfs tmp /tmp
mount -t tmpfs run /run
mount -o remount,rw /
hostname typoscope-pc
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
read -ra words </proc/cmdline
declare -A arg
for word in "${words[@]}"; do
    case $word in typoscope.*=*) key=${word%%=*}; arg[${key#typoscope.}]=${word#*=} ;; esac
done
status=1
# typoscope.shares=TAG:PATH,...: the host's folders, the clone first; typoscope.job, .build
# and .run: what this project's script is to do, with which build.
mounted=yes
IFS=, read -ra shares <<<"${arg[shares]}"
for share in "${shares[@]}"; do
    mkdir -p "${share#*:}" &&
        mount -t 9p -o trans=virtio,version=9p2000.L,cache=loose,msize=524288 "${share%%:*}" "${share#*:}" ||
        mounted=no
done
clone=${shares[0]#*:}
if [ "$mounted" = yes ]; then
    echo "typoscope-pc: ready"
    # Piped: Wine's console in a terminal wraps its output in escape codes.
    bash "$clone/scripts/emulated-pc.sh" in-pc "${arg[job]}" "${arg[build]:-}" "${arg[run]:-}" </dev/null 2>&1 | cat
    status=${PIPESTATUS[0]}
fi
sync
echo "typoscope-pc: status $status"
echo o >/proc/sysrq-trigger
sleep 60
INIT
)
# The initramfs's: mounts the disk and hands over to the PC's first program.
ramfs_init=$(cat <<'INIT'
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
for name in $(cat /modules/order); do insmod "/modules/$name"; done
for _ in $(seq 100); do [ -b /dev/vda ] && break; sleep 0.1; done
if ! mount -t ext4 -o ro /dev/vda /root; then
    echo "typoscope-pc: the disk did not mount"
    poweroff -f
fi
umount /proc /sys
mount --move /dev /root/dev
exec switch_root /root /sbin/typoscope-init
INIT
)
mirrors=("deb http://deb.debian.org/debian bookworm main"
         "deb http://deb.debian.org/debian bookworm-updates main"
         "deb http://deb.debian.org/debian-security bookworm-security main")

# What the PC is made of, and how its prefix is set up.
stamp=$(printf '%s\n' "${packages[@]}" "${modules[@]}" "${mirrors[@]}" "$pc_init" "$ramfs_init" \
    "$(declare -f wine_prefix)" | sha256sum | cut -d' ' -f1)
made() { [ -f "$pc/stamp" ] && [ "$(cat "$pc/stamp")" = "$stamp" ]; }
if [ "${1:-}" = --check ]; then
    made
    exit
fi
made && { echo "$pc"; exit 0; }
# One run makes it; another one waits for it (the build may have started it in the background).
mkdir -p "$cache"
exec 9>"$cache/pc.lock"
if ! flock -n 9; then
    echo "Waiting for the emulated PC another run is making (log: $cache/pc-image.log)..." >&2
    flock -w 3600 9 || { echo "The emulated PC was not made within an hour." >&2; exit 1; }
fi
made && { echo "$pc"; exit 0; }
for tool in mmdebstrap qemu-system-x86_64 cpio mkfs.ext4; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done
[ "$(id -u)" = 0 ] || { echo "making the emulated PC needs root" >&2; exit 1; }
started=$SECONDS
echo "Making the emulated PC in $pc (once: 5 to 10 minutes, about 3.5 GB)..." >&2
rm -rf "$pc" "$new"
mkdir -p "$new"

# The root, from the packages this machine has downloaded already where it can. The kernel's
# own initramfs is not made: the PC boots with the small one below. The system's own tools
# (mmdebstrap's helpers are Python scripts for the system's Python).
PATH=/usr/sbin:/usr/bin:/sbin:/bin INITRD=No mmdebstrap --variant=apt --architectures=amd64,i386 --include="$(IFS=,; echo "${packages[*]}")" \
    --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-exclude=/usr/share/man/*' \
    --dpkgopt='path-exclude=/usr/share/locale/*' --dpkgopt='path-exclude=/usr/share/info/*' \
    --setup-hook='mkdir -p "$1/var/cache/apt/archives" && { cp -l /var/cache/apt/archives/*.deb "$1/var/cache/apt/archives/" 2>/dev/null || true; }' \
    --customize-hook='rm -f "$1"/var/cache/apt/archives/*.deb' \
    bookworm "$new/root" "${mirrors[@]}" >&2
root=$new/root
echo "Root made in $((SECONDS - started)) s." >&2

printf '%s\n' "$pc_init" >"$root/sbin/typoscope-init"
chmod 755 "$root/sbin/typoscope-init"
echo 'typoscope-pc' >"$root/etc/hostname"

# The initramfs: busybox, the modules in the order they load, and its init.
kernel=$(cd "$root/boot" && ls vmlinuz-* | sort -V | tail -1)
version=${kernel#vmlinuz-}
cp "$root/boot/$kernel" "$new/vmlinuz"
initramfs=$new/initramfs
mkdir -p "$initramfs"/{bin,modules,proc,sys,dev,root}
cp "$root/bin/busybox" "$initramfs/bin/busybox"
moddir=$root/lib/modules/$version
order=()
add_module() {  # a module and, before it, what it needs (modules.dep lists it whole)
    local file=$1 line dep
    for dep in "${order[@]}"; do [ "$dep" = "$file" ] && return 0; done
    line=$(grep -m1 "^$file:" "$moddir/modules.dep")
    for dep in ${line#*:}; do add_module "$dep"; done
    order+=("$file")
}
for module in "${modules[@]}"; do
    file=$(grep -m1 -E "(^|/)${module//_/[-_]}\.ko(\.[a-z]+)?:" "$moddir/modules.dep" | cut -d: -f1) || true
    if [ -z "$file" ]; then
        # built into the kernel
        grep -qE "/${module//_/[-_]}\.ko" "$moddir/modules.builtin" || { echo "no module $module in $version" >&2; exit 1; }
        continue
    fi
    add_module "$file"
done
: >"$initramfs/modules/order"
for file in "${order[@]}"; do
    name=$(basename "$file")
    case $name in
    *.ko.xz) xz -dc "$moddir/$file" >"$initramfs/modules/${name%.xz}"; name=${name%.xz} ;;
    *.ko.zst) zstd -qdc "$moddir/$file" >"$initramfs/modules/${name%.zst}"; name=${name%.zst} ;;
    *) cp "$moddir/$file" "$initramfs/modules/$name" ;;
    esac
    echo "$name" >>"$initramfs/modules/order"
done
printf '%s\n' "$ramfs_init" >"$initramfs/init"
chmod 755 "$initramfs/init"
(cd "$initramfs" && find . | cpio -o -H newc --quiet | gzip -1) >"$new/initrd.img"
rm -rf "$initramfs"

# The disk: the root as an ext4 image, with room for the prefix and the tests' files.
size=$(($(du -sm "$root" | cut -f1) + 2048))
mkfs.ext4 -q -F -L typoscope -d "$root" "$new/disk.img" "${size}M" >/dev/null
dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Version}' wine32:i386 >"$new/wine-version"
rm -rf "$root"
echo "Disk made in $((SECONDS - started)) s: $(du -sh --apparent-size "$new/disk.img" | cut -f1)." >&2

# The Wine prefix, made at a first boot and kept on the disk.
before=$SECONDS
if ! TYPOSCOPE_PC=$new "$here/emulated-pc.sh" --prefix >&2; then
    echo "The emulated PC's Wine prefix could not be made." >&2
    exit 1
fi
echo "Prefix made in $((SECONDS - before)) s." >&2
echo "$stamp" >"$new/stamp"
mv "$new" "$pc"
echo "The emulated PC was made in $((SECONDS - started)) s." >&2
echo "$pc"
