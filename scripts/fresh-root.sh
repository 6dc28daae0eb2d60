#!/usr/bin/env bash
# Runs a command in a fresh Debian root, as a new user's machine would run it: debootstrap makes
# the root from the machine's own apt mirror, the committed tree is cloned into it, and the command
# runs there as root in a chroot with a /proc, /dev, /dev/pts, /dev/shm and /run of its own.
#
#   scripts/fresh-root.sh [--keep] [--dir DIR] [--share DIR] RELEASE [COMMAND...]
#
# RELEASE is a Debian code name (bookworm, trixie). COMMAND is a bash command line run in the
# clone, /src/bestinshow, with HOME=/root, LANG=C.UTF-8 and nothing of this machine's environment
# but CI; without one an interactive shell starts there. The clone is of the commit checked out here (HEAD),
# never of uncommitted changes.
#   --keep         keep the root afterwards (it is removed by default)
#   --dir DIR      make the root in DIR, which must not exist (default: a new folder in /var/tmp)
#   --share DIR    mount this machine's DIR at /share in the root, to bring files in and out
# The downloaded packages of debootstrap are kept in /var/cache/bestinshow-debootstrap/RELEASE
# for the next root. Must run as root. Exits with the command's status.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

usage() {
    echo "usage: scripts/fresh-root.sh [--keep] [--dir DIR] [--share DIR] RELEASE [COMMAND...]" >&2
    exit 2
}

keep=0 root='' share=''
while [ $# -gt 0 ]; do
    case $1 in
    --keep) keep=1 ;;
    --dir) [ $# -ge 2 ] || usage; root=$2; shift ;;
    --share) [ $# -ge 2 ] || usage; share=$(realpath "$2"); shift ;;
    -*) usage ;;
    *) break ;;
    esac
    shift
done
[ $# -ge 1 ] || usage
release=$1
shift
[[ "$release" =~ ^[a-z]+$ ]] || usage

if [ "$(id -u)" -ne 0 ]; then
    echo "scripts/fresh-root.sh makes a chroot and mounts file systems: run it as root" >&2
    exit 1
fi
if [ -n "$share" ] && [ ! -d "$share" ]; then
    echo "No folder $share to share" >&2
    exit 1
fi

# shellcheck source=scripts/apt-packages.sh
source scripts/apt-packages.sh
install_missing_packages debootstrap git

# The machine's own mirrors, as apt has them: the one of its release, and the security one.
host_release=$(. /etc/os-release && echo "$VERSION_CODENAME")
targets=$(apt-get indextargets --format '$(RELEASE) $(REPO_URI)' 'Created-By: Packages')
mirror=$(awk -v r="$host_release" '$1 == r { print $2; exit }' <<<"$targets")
security=$(awk -v r="$host_release-security" '$1 == r { print $2; exit }' <<<"$targets")
if [ -z "$mirror" ]; then
    echo "The machine's apt sources name no mirror of $host_release" >&2
    exit 1
fi

if [ -z "$root" ]; then
    root=$(mktemp -d "/var/tmp/bestinshow-$release.XXXXXX")
elif [ -e "$root" ]; then
    echo "$root exists already; the root is made in a new folder" >&2
    exit 1
else
    mkdir -p "$root"
fi
root=$(realpath "$root")
# mktemp makes the folder for root alone; the root's / must be open to its other users (lp, _apt).
chmod 755 "$root"

mounts=()
# Ends what is still running in the root (started by the command), unmounts what this script
# mounted, last first, and removes the root unless asked to keep it.
clean_up() {
    local status=$? pid link
    for pid in /proc/[0-9]*; do
        link=$(readlink "$pid/root" 2>/dev/null) || continue
        if [ "$link" = "$root" ] || [[ "$link" == "$root/"* ]]; then
            kill -KILL "${pid#/proc/}" 2>/dev/null || true
        fi
    done
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true
    done
    if [ "$keep" = 1 ]; then
        echo "The root is kept in $root" >&2
    elif awk -v r="$root" '$2 == r || index($2, r "/") == 1 { found = 1 } END { exit !found }' \
        /proc/mounts; then
        # A folder shared by bind mount would be removed with the root: keep both.
        echo "Something is still mounted in $root; the root is kept" >&2
    else
        rm -rf --one-file-system "$root"
    fi
    exit "$status"
}
trap clean_up EXIT
trap 'exit 130' INT TERM

mount_in_root() {
    local target=$root$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounts+=("$target")
}

cache=/var/cache/bestinshow-debootstrap/$release
mkdir -p "$cache"
echo "Making a fresh Debian $release root in $root from $mirror"
# git, as a new user would have cloned the project with it.
debootstrap --cache-dir="$cache" --include=git "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 || {
    tail -n 30 "$root.debootstrap.log" >&2
    exit 1
}
rm -f "$root.debootstrap.log"

# The release, its updates and its security updates, from the same mirrors.
{
    echo "deb $mirror $release main"
    echo "deb $mirror $release-updates main"
    [ -z "$security" ] || echo "deb $security $release-security main"
} >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Packages install their services but do not start them, as in any chroot: the tests start the
# ones they need (a print scheduler, the session buses) themselves.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs -o ro sysfs
mount_in_root /dev -t tmpfs -o mode=755,nosuid tmpfs
for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
    IFS=: read -r name major minor <<<"$node"
    mknod -m 666 "$root/dev/$name" c "$major" "$minor"
done
ln -s /proc/self/fd "$root/dev/fd"
ln -s /proc/self/fd/0 "$root/dev/stdin"
ln -s /proc/self/fd/1 "$root/dev/stdout"
ln -s /proc/self/fd/2 "$root/dev/stderr"
mount_in_root /dev/pts -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts
ln -s pts/ptmx "$root/dev/ptmx"
mount_in_root /dev/shm -t tmpfs -o mode=1777,nosuid,nodev tmpfs
mount_in_root /run -t tmpfs -o mode=755,nosuid,nodev tmpfs
if [ -n "$share" ]; then
    mount_in_root /share --bind "$share"
fi

# A clean clone of the commit checked out here.
commit=$(git rev-parse HEAD)
git clone --quiet --no-checkout "$repo" "$root/src/bestinshow"
git -C "$root/src/bestinshow" checkout --quiet --detach "$commit"
echo "Cloned $(git log -1 --format='%h %s' "$commit")"

command_line=${*:-exec bash -i}
status=0
# A new install's locale is UTF-8 (the installer sets one); C.UTF-8 is in every Debian libc.
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c 'cd /src/bestinshow && eval "$1"' bash "$command_line" || status=$?
echo "The command ended with status $status in the fresh Debian $release root"
exit "$status"
