#!/usr/bin/env bash
# The Linux archive for any distribution where it has to run: the glibc
# versions its programs ask for (objdump -T), then, in fresh minimal Debian 12
# and 13 systems made at the same time (debootstrap) with only what every
# desktop has (the X and Wayland client libraries, Mesa's OpenGL, the sound
# libraries, fontconfig and a font: no SDL2, no GLU, no GTK), the archive
# unpacked into /opt, read-only to the player, and started by the player from
# another folder on a display of the host's: without GTK it says once that
# there is no start-up dialog, keeps its first prefs.txt in
# ~/.local/share/kelmot, draws the menu, plays a game to its end against the
# computer, and Exit ends it with 0; with GTK 3 installed the dialog shows.
# Needs root and the Debian mirror (make test-portable). The packages
# downloaded are kept beside ARCHIVE, in the build folder.
# Usage: portable_test.sh ARCHIVE BOARD_READER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Run again as portable_test.sh --play ROOT STAGE on the test display: STAGE
# bare (no GTK) or gtk.
if [[ "${1:-}" == --play ]]; then
    root=$2
    reader=$PORTABLE_READER
    # shellcheck source=lib.sh
    source "$here/lib.sh"
    # shellcheck source=../e2e/play_lib.sh
    source "$here/../e2e/play_lib.sh"
    cd "$scratch"
    folder=$(cd "$root" && echo opt/kelmot-*-linux-x86_64)
    home=$root/home/player/.local/share/kelmot
    StartPortable() {
        chroot --userspec=player:player "$root" env -i DISPLAY="$DISPLAY" HOME=/home/player \
            PATH=/usr/bin:/bin NO_AT_BRIDGE=1 sh -c "cd /tmp && exec /$folder/kelmot" 2>stderr.txt &
        gamePid=$!
    }
    # Sets the options in the player's prefs.txt, as user and mode stand.
    SetPrefs() {
        local key script=()
        for key in "$@"; do script+=(-e "s/^${key%=*}=.*/$key/"); done
        sed "${script[@]}" "$home/prefs.txt" >prefs.new
        cat prefs.new >"$home/prefs.txt"
    }
    if [[ "$3" == bare ]]; then
        echo "  - a first run, without GTK: said once, then the saved options"
        StartPortable
        # The defaults ask for full screen at a size this screen does not offer.
        AnswerErrorBox || true
        WaitForWindow Kelmot >/dev/null ||
            { Fail "no game window without the dialog: $(cat stderr.txt)"; Finish; }
        RequestClose
        ExpectExit 0
        if [[ "$(grep -c 'start-up dialog cannot be shown' stderr.txt)" != 1 ]] ||
            ! grep -q 'libgtk-3.*starts with the saved options' stderr.txt; then
            Fail "not one message for GTK's absence: $(cat stderr.txt)"
        fi
        ExpectPlayerFolder "$home" "/$folder/Data" 1
        strays=$(find "$root/$folder" "$root/tmp" -name prefs.txt)
        [[ -z "$strays" ]] || Fail "a prefs.txt outside the player's folder: $strays"

        echo "  - windowed, on the keypad: a game to its end, then Exit"
        SetPrefs configpanel=0 fullscreen=0 controls=0
        PrepareKeyboard
        WindowedViewport
        StartPortable
        FocusGame
        MenuSettled
        EnterGame # "New Game VS. Computer"
        WaitForBoard "........." && PlayComputerGame TieMove
        [[ "$outcome" == tie ]] || Fail "careful play ended in a ${outcome:-game not played}"
        BackToMenu
        ChooseExit
        ExpectExit 0
        ExpectStandardError
    else
        echo "  - with GTK 3: the start-up dialog"
        SetPrefs configpanel=1 fullscreen=1
        StartPortable
        WaitForDialog >/dev/null || { cat stderr.txt; Finish; }
        ExpectGtkLoaded yes
        # Windowed (a test display cannot change its size), then OK.
        Press Tab Tab space Return
        if ! WaitForWindow Kelmot >/dev/null; then
            Fail "no game window after the dialog"
            # SHOT=FILE.png keeps the screen as it was.
            [[ -z "${SHOT:-}" ]] || import -window root "$SHOT"
        fi
        RequestClose
        ExpectExit 0
        grep -qx fullscreen=0 "$home/prefs.txt" ||
            Fail "the dialog's choice is not saved: $(cat "$home/prefs.txt")"
        ! grep -q 'cannot be shown' stderr.txt || Fail "the dialog was not shown: $(cat stderr.txt)"
    fi
    ((failures == 0)) || sed 's/^/    its standard error: /' stderr.txt
    Finish
    exit 0
fi

# Run again as portable_test.sh --in SUITE ARCHIVE: everything in one new system.
if [[ "${1:-}" == --in ]]; then
    suite=$2 archive=$3
    # The libraries every desktop has, by their names in that release.
    sound=libasound2 gtk=libgtk-3-0
    [[ "$suite" == bookworm ]] || sound=libasound2t64 gtk=libgtk-3-0t64
    INCLUDE=libgl1,libgl1-mesa-dri,libgbm1,libx11-6,libxext6,libxcursor1,libxi6,libxfixes3
    INCLUDE+=,libxrandr2,libxcb1,libwayland-client0,libwayland-cursor0,libwayland-egl1,libxkbcommon0
    INCLUDE+=,$sound,libpulse0,fontconfig,fonts-liberation2
    SUITE=$suite CACHE=$(dirname "$archive")/debootstrap-cache/$suite
    started=$SECONDS
    # shellcheck source=debian_root.sh
    source "$here/debian_root.sh"
    # The system in memory, which spares the disk dpkg's syncs.
    mount -t tmpfs -o mode=755 tmpfs "$root"
    mounts+=("$root")
    MakeDebianRoot
    # apt keeps what it downloads beside debootstrap's.
    Mount "$CACHE" /var/cache/apt/archives --bind
    echo "  made in $((SECONDS - started)) s"
    tar -xzf "$archive" -C "$root/opt" --no-same-owner
    chroot "$root" useradd --create-home player
    BindDisplays
    status=0
    "$here/../display/with_xvfb.sh" "$0" --play "$root" bare || status=1
    # GTK with the loader for the icons it draws, as a desktop has it.
    echo "- apt install $gtk librsvg2-common"
    DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq --no-install-recommends \
        "$gtk" librsvg2-common >"$root/tmp/apt.log" 2>&1 ||
        { tail -20 "$root/tmp/apt.log"; exit 1; }
    "$here/../display/with_xvfb.sh" "$0" --play "$root" gtk || status=1
    echo "  all of it in $((SECONDS - started)) s"
    exit "$status"
fi

archive=$(realpath "$1")
PORTABLE_READER=$(realpath "$2")
export PORTABLE_READER
started=$SECONDS
((EUID == 0)) || { echo "$(basename "$0"): needs root (debootstrap, chroot)" >&2; exit 1; }
logs=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-portable.XXXXXX")
trap 'rm -rf "$logs"' EXIT

echo "- the glibc versions asked for (objdump -T), none newer than 2.34"
mkdir "$logs/unpacked"
tar -xzf "$archive" -C "$logs/unpacked"
"$here/../../packaging/linux/check_glibc.sh" "$logs/unpacked"/kelmot-*

# Both systems at once: most of the time goes to downloading and unpacking.
declare -A pids
for suite in bookworm trixie; do
    "$0" --in "$suite" "$archive" >"$logs/$suite.log" 2>&1 &
    pids[$suite]=$!
done
failed=()
for suite in bookworm trixie; do
    wait "${pids[$suite]}" || failed+=("$suite")
    echo "- Debian $suite:"
    sed 's/^/  /' "$logs/$suite.log"
done
echo "- both in $((SECONDS - started)) s"
if ((${#failed[@]} > 0)); then
    echo "FAIL: the archive in Debian ${failed[*]}" >&2
    exit 1
fi
