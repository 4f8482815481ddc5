#!/usr/bin/env bash
# Installs the Debian package with apt on a clean, minimal Debian 12 (made with
# debootstrap in a scratch folder) and plays a first run there on a display of
# the host's: apt must bring in everything the game needs by itself. Needs root
# and the Debian mirror, so it is run by hand, not by make test:
#   sudo tests/install/clean_debian.sh build/kelmot_*.deb
# Usage: clean_debian.sh DEB   (SHOT=FILE.png keeps a screenshot of the game;
# MIRROR=URL another Debian mirror than the one this machine's apt uses)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Run again as clean_debian.sh --play ROOT on the test display: the player's
# first run in the new system, on the host's display with the host's X cookie.
if [[ "${1:-}" == --play ]]; then
    root=$2
    # shellcheck source=lib.sh
    source "$here/lib.sh"
    # The test display takes any local client; a cookie is lent where there is one.
    if [[ -n "${XAUTHORITY:-}" ]]; then
        cp "$XAUTHORITY" "$root/home/player/.Xauthority"
        chroot "$root" chown player: /home/player/.Xauthority
    fi
    chroot --userspec=player:player "$root" env -i DISPLAY="$DISPLAY" HOME=/home/player \
        XAUTHORITY=/home/player/.Xauthority PATH=/usr/bin:/bin:/usr/games NO_AT_BRIDGE=1 \
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
# shellcheck source=debian_root.sh
source "$here/debian_root.sh"
MakeDebianRoot
BindDisplays

echo "- apt install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
before=$(chroot "$root" dpkg-query -W -f='${Package}\n' | wc -l)
DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq "/tmp/$(basename "$deb")" \
    >"$root/tmp/apt.log" 2>&1 || { tail -30 "$root/tmp/apt.log"; exit 1; }
after=$(chroot "$root" dpkg-query -W -f='${Package}\n' | wc -l)
echo "  $((after - before)) packages installed, kelmot among them"
for file in /usr/games/kelmot /usr/share/applications/kelmot.desktop \
    /usr/share/icons/hicolor/48x48/apps/kelmot.png /usr/share/man/man6/kelmot.6.gz; do
    [[ -e "$root$file" ]] || { echo "FAIL: $file is not installed" >&2; exit 1; }
done

echo "- a first run from the menu's command, on a display of the host's"
chroot "$root" useradd --create-home player
"$here/../display/with_xvfb.sh" "$0" --play "$root"
