# Shared by the install tests: the installed game started through its launcher,
# as a player would, from a folder that has nothing to do with it. Sourcing it
# sources tests/e2e/lib.sh too, and makes $scratch, a folder removed at exit.

# shellcheck source=../e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-install.XXXXXX")
gameFolders+=("$scratch")

expectedPictures=(blue.bmp pointer.bmp pointermask.bmp screen.bmp stars.bmp)
iconSizes=(48 64 128 256)

# A first run through the launcher $1, from the current folder with HOME and
# XDG_DATA_HOME as they are: in the start-up dialog "Fullscreen?" is cleared (a
# test display cannot change its size) and OK pressed, then the game window
# opens and is closed. Standard error goes to $2.
FirstRunThroughDialog() {
    "$1" 2>"$2" &
    gamePid=$!
    WaitForDialog >/dev/null || return 0
    # The keyboard starts on the sizes; Tab, Tab reaches "Fullscreen?".
    Press Tab Tab space Return
    WaitForWindow Kelmot >/dev/null || Fail "no game window after the dialog"
    RequestClose
    ExpectExit 0
}

# Checks that the per-user folder $1 holds a first run's prefs.txt, the defaults
# with fullscreen=$3 (0 once the dialog chose a window, 1 where the game wrote its
# defaults without a display), and a Data link to the installed pictures, $2 as
# the link gives it.
ExpectPlayerFolder() {
    local expected
    expected=$(printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 \
        player1controls=1 player2controls=1 configpanel=1 res=1 bpp=0 fullscreen=$3)
    if [[ ! -f "$1/prefs.txt" ]]; then
        Fail "no prefs.txt in $1"
    elif [[ "$(cat "$1/prefs.txt")" != "$expected" ]]; then
        Fail "$1/prefs.txt holds: $(cat "$1/prefs.txt")"
    fi
    [[ -L "$1/Data" ]] || Fail "$1/Data is not a link"
    [[ "$(readlink "$1/Data")" == "$2" ]] ||
        Fail "$1/Data leads to $(readlink "$1/Data"), not to $2"
}

# Checks that the menu entry $1 is valid and starts the launcher by name.
ExpectMenuEntry() {
    desktop-file-validate "$1" || Fail "$1 is not a valid desktop entry"
    grep -qx 'Exec=kelmot' "$1" || Fail "$1 does not start kelmot"
    grep -qx 'Icon=kelmot' "$1" || Fail "$1 does not name the kelmot icon"
}
