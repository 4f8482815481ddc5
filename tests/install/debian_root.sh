# Shared by the by-hand scripts that work in a fresh minimal Debian 12:
# MakeDebianRoot makes one in a scratch folder with debootstrap and leaves its
# path in $root; BindDisplays lends it the host's X displays, UnbindDisplays
# takes them back. Everything is unmounted and removed at exit. Needs root.

((EUID == 0)) || { echo "$(basename "$0"): needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

# The Debian mirror this machine's apt uses (MIRROR= names another).
DebianMirror() {
    local found
    found=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk '!/^[[:space:]]*#/ { for (i = 1; i <= NF; i++) if ($i ~ /^https?:\/\/.*\/debian\/?$/) { print $i; exit } }')
    echo "${found:-http://deb.debian.org/debian}"
}

root=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-clean-debian.XXXXXX")
# It becomes the new system's /, which everyone must be able to enter.
chmod 755 "$root"
mounts=()
# shellcheck disable=SC2317 # run at exit
RemoveDebianRoot() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" || true; done
    rm -rf --one-file-system "$root"
}
trap RemoveDebianRoot EXIT
Mount() {
    mkdir -p "$root$2"
    mount "${@:3}" "$1" "$root$2"
    mounts+=("$root$2")
}

# debootstrap's minimal variant (only what apt needs) of Debian 12, or of the
# release SUITE names, with the packages INCLUDE names (comma-separated) in the
# same go, and the packages given installed after it, from the mirror; the
# downloaded packages are kept in CACHE (a full path) when that is set. /proc,
# /dev with its pseudo-terminals and shared memory as programs there expect them.
MakeDebianRoot() {
    local mirror=${MIRROR:-$(DebianMirror)} suite=${SUITE:-bookworm} options=()
    [[ -z "${INCLUDE:-}" ]] || options+=("--include=$INCLUDE")
    [[ -z "${CACHE:-}" ]] || { mkdir -p "$CACHE" && options+=("--cache-dir=$CACHE"); }
    echo "- a minimal Debian $suite in $root, from $mirror"
    debootstrap --variant=minbase "${options[@]}" "$suite" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
        { tail -20 "$root.debootstrap.log"; rm -f "$root.debootstrap.log"; exit 1; }
    rm -f "$root.debootstrap.log"
    Mount proc /proc -t proc
    Mount /dev /dev --bind
    Mount /dev/pts /dev/pts --bind
    Mount tmpfs /dev/shm -t tmpfs -o mode=1777
    chroot "$root" apt-get update -qq
    if (($# > 0)); then
        DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq \
            --no-install-recommends "$@" >/dev/null
    fi
}

# The host's X displays, reached through their sockets, lent while nothing in
# the new system starts X servers of its own (the last mount made).
BindDisplays() {
    Mount /tmp/.X11-unix /tmp/.X11-unix --bind
}
UnbindDisplays() {
    umount "$root/tmp/.X11-unix"
    unset 'mounts[-1]'
}
