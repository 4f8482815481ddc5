#!/usr/bin/env bash
# Installs the Debian package with apt on a clean, minimal Debian 12 (made with
# debootstrap in a scratch folder) and plays a first run there on a display of
# the host's: apt must bring in everything the game needs by itself. Needs root
# and the Debian mirror, so it is run by hand, not by make test:
#   sudo tests/install/clean_debian.sh build/kelmot_*.deb
# Usage: clean_debian.sh DEB   (SHOT=FILE.png keeps a screenshot of the game)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Run again as clean_debian.sh --play ROOT on the test display: the player's
# first run in the new system, on the host's display with the host's X cookie.
if [[ "${1:-}" == --play ]]; then
    root=$2
    # shellcheck source=lib.sh
    source "$here/lib.sh"
    cp "$XAUTHORITY" "$root/home/player/.Xauthority"
    chroot "$root" chown player: /home/player/.Xauthority
    chroot --userspec=player:player "$root" env -i DISPLAY="$DISPLAY" HOME=/home/player \
        XAUTHORITY=/home/player/.Xauthority PATH=/usr/bin:/bin NO_AT_BRIDGE=1 \
        sh -c "cd / && exec kelmot" 2>"$root/tmp/stderr.txt" &
    gamePid=$!
    WaitForDialog >/dev/null || { cat "$root/tmp/stderr.txt"; Finish; }
    Press Tab Tab space Return
    WaitForWindow Kelmot >/dev/null || Fail "no game window after the dialog"
    sleep 2
    [[ -z "${SHOT:-}" ]] || import -window root "$SHOT"
    RequestClose
    ExpectExit 0
    ExpectPlayerFolder "$root/home/player/.local/share/kelmot" /usr/share/kelmot/Data 0
    echo "  standard error: $(cat "$root/tmp/stderr.txt")"
    Finish
    exit 0
fi

deb=$(realpath "$1")
mirror=${MIRROR:-http://deb.debian.org/debian}
((EUID == 0)) || { echo "clean_debian.sh: needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

root=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-clean-debian.XXXXXX")
# It becomes the new system's /, which everyone must be able to enter.
chmod 755 "$root"
mounts=()
# shellcheck disable=SC2317 # run at exit
CleanUp() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" || true; done
    rm -rf --one-file-system "$root"
}
trap CleanUp EXIT
Mount() {
    mkdir -p "$root$2"
    mount "${@:3}" "$1" "$root$2"
    mounts+=("$root$2")
}

echo "- a minimal Debian 12 in $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { tail -20 "$root.debootstrap.log"; exit 1; }
rm -f "$root.debootstrap.log"
Mount proc /proc -t proc
Mount /dev /dev --bind
Mount /tmp/.X11-unix /tmp/.X11-unix --bind

echo "- apt install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
before=$(chroot "$root" dpkg-query -W -f='${Package}\n' | wc -l)
DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq "/tmp/$(basename "$deb")" \
    >"$root/tmp/apt.log" 2>&1 || { tail -30 "$root/tmp/apt.log"; exit 1; }
after=$(chroot "$root" dpkg-query -W -f='${Package}\n' | wc -l)
echo "  $((after - before)) packages installed, kelmot among them"
for file in /usr/bin/kelmot /usr/share/applications/kelmot.desktop \
    /usr/share/icons/hicolor/48x48/apps/kelmot.png /usr/share/man/man6/kelmot.6.gz; do
    [[ -e "$root$file" ]] || { echo "FAIL: $file is not installed" >&2; exit 1; }
done

echo "- a first run from the menu's command, on a display of the host's"
chroot "$root" useradd --create-home player
"$here/../display/with_xvfb.sh" "$0" --play "$root"
