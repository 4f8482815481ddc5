#!/usr/bin/env bash
# The real game given broken input, one start for each kind of message a player
# meets: a picture missing, empty, cut short or with a header it does not know
# (each a different picture); a malformed prefs.txt, repaired silently; a
# prefs.txt that cannot be saved; a folder it cannot write; no display. Each
# gives its messages and exit code, and none of them crashes the game. The many
# ways a picture or prefs.txt can be broken are the picture and options suites'.
# Usage: broken_input_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# Some cases make the game's folder read-only; give it back before it is removed.
trap 'chmod -R u+rwx "${gameFolders[@]}" 2>/dev/null || true; RemoveGameFolders' EXIT

defaultPrefs=$(printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 \
    player1controls=1 player2controls=1 configpanel=1 res=1 bpp=0 fullscreen=1)

# A crash would show as an exit by signal (which ExpectExit already refuses) and
# may leave a core file in the game's folder.
ExpectNoCore() {
    local cores
    cores=$(find . -maxdepth 1 -name 'core*')
    [[ -z "$cores" ]] || Fail "core file(s) left: $cores"
}

ExpectPrefs() {
    [[ "$(cat prefs.txt 2>&1)" == "$1" ]] || Fail "prefs.txt holds: $(cat prefs.txt 2>&1)"
}

PlayWithBrokenPicture missing blue
ExpectNoCore
PlayWithBrokenPicture empty stars
ExpectNoCore
PlayWithBrokenPicture truncated pointermask
ExpectNoCore
PlayWithBrokenPicture unknown-header screen
ExpectNoCore

# The start-up dialog (shown whenever the options are the defaults) is answered
# with OK, which keeps full screen at 1024x768. The test display offers only its
# own size, so the game says so and runs in a window, which is then closed.
# With an argument, prefs.txt must hold it while the dialog is up, that is
# before the dialog's own save.
AcceptDialogAndClose() {
    WaitForDialog >/dev/null || return 0
    [[ $# == 0 ]] || ExpectPrefs "$1"
    Press Return
    AnswerErrorBox || return 0
    WaitForWindow Kelmot >/dev/null || Fail "no game window after the dialog"
    RequestClose || true
}
modeMessages=("Mode Switch Failed." "Running In Windowed Mode.")

# Read as malformed: replaced by the default file, with the defaults in use (so
# the dialog comes back), and nothing said. The gofirst=0 read before the fault
# must not outlive the repair.
echo "- malformed prefs.txt: silently the defaults"
NewGameFolder 1 0 0
printf 'gofirst=0\nxoro=oops\n' >prefs.txt
StartGame
AcceptDialogAndClose "$defaultPrefs"
ExpectExit 0
ExpectStandardError "${modeMessages[@]}"
ExpectPrefs "$defaultPrefs"
ExpectNoCore

echo "- prefs.txt is a folder: kept, the defaults used, the failed save reported"
NewGameFolder 1 0 0
rm prefs.txt
mkdir prefs.txt
touch prefs.txt/keep
StartGame
AcceptDialogAndClose
ExpectExit 0
ExpectStandardError "Kelmot: could not save prefs.txt: Is a directory" "${modeMessages[@]}"
[[ -f prefs.txt/keep ]] || Fail "the prefs.txt folder lost its content"
ExpectNoCore

echo "- read-only game folder without prefs.txt: the defaults in use, each failed write reported"
# Standard error goes to a file made before the folder turns read-only.
denied="Kelmot: could not save prefs.txt: Permission denied"
NewGameFolder 1 0 0
rm prefs.txt
touch stderr.txt
chmod 555 .
StartGameUnprivileged
AcceptDialogAndClose
ExpectExit 0
# At start-up, after the dialog, and when the window's set-up finds no file.
ExpectStandardError "$denied" "$denied" "${modeMessages[@]}" "$denied"
[[ ! -e prefs.txt ]] || Fail "a prefs.txt appeared in a read-only folder"
chmod 755 .

echo "- no display, malformed prefs.txt and a broken picture: repaired, both messages, -1"
NewGameFolder 1 0 0
printf 'gofirst=0\nxoro=oops\n' >prefs.txt
BreakPicture empty stars
RunWithoutDisplay
grep -qx "RegisterClassEx Failed!" stderr.txt || Fail "no class message: $(cat stderr.txt)"
! grep -q "DIB\|Textures" stderr.txt || Fail "pictures were loaded: $(cat stderr.txt)"
ExpectPrefs "$defaultPrefs"
ExpectNoCore

echo "- a display that is not there: the same messages and -1, prefs.txt untouched"
NewGameFolder 1 0 0
prefs=$(cat prefs.txt)
absent=90
while [[ -e /tmp/.X11-unix/X$absent || -e /tmp/.X$absent-lock ]]; do absent=$((absent + 1)); done
status=0
env -u WAYLAND_DISPLAY DISPLAY=":$absent" "$game" 2>stderr.txt || status=$?
[[ $status == 255 ]] || Fail "exit code $status with DISPLAY=:$absent, expected 255"
grep -qx "RegisterClassEx Failed!" stderr.txt || Fail "no class message: $(cat stderr.txt)"
[[ "$(tail -n 1 stderr.txt)" == "Error Registering Window Class!" ]] ||
    Fail "the last line is not the registration message: $(cat stderr.txt)"
ExpectPrefs "$prefs"
ExpectNoCore

Finish
