#!/usr/bin/env bash
# The real game given broken input: each picture missing, empty, cut short or
# with a header it does not know; a malformed, empty, unreadable or misplaced
# prefs.txt; a folder it cannot write; no display. Each gives its messages and
# exit code, or is repaired silently, and none of them crashes the game.
# Usage: broken_input_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# Some cases make the game's folder read-only; give it back before it is removed.
trap 'chmod -R u+rwx "${gameFolders[@]}" 2>/dev/null || true; RemoveGameFolders' EXIT

pictures=(blue stars pointer pointermask screen)
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

for picture in "${pictures[@]}"; do
    for kind in missing empty truncated unknown-header; do
        PlayWithBrokenPicture "$kind" "$picture"
        ExpectNoCore
    done
done

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

# Each is read as malformed: replaced by the default file, with the defaults in
# use (so the dialog comes back), and nothing said. Where gofirst=0 is read
# before the fault, it must not outlive the repair.
malformedPrefs=(
    "gofirst=0\nxoro=oops\n"
    "gofirst=0\nxoro=4294967296\ncontrols=1\n"
    "gofirst=0\nxoro=1\ncontrols =1\n"
    " gofirst=0\n"
    "\n\ngofirst=0\n"
    "xoro=0\ngofirst=0\n"
)
for text in "${malformedPrefs[@]}"; do
    echo "- malformed prefs.txt \"$text\": silently the defaults"
    NewGameFolder 1 0 0
    printf '%b' "$text" >prefs.txt
    StartGame
    AcceptDialogAndClose "$defaultPrefs"
    ExpectExit 0
    ExpectStandardError "${modeMessages[@]}"
    ExpectPrefs "$defaultPrefs"
    ExpectNoCore
done

echo "- empty prefs.txt: silently the defaults"
NewGameFolder 1 0 0
: >prefs.txt
StartGame
AcceptDialogAndClose "$defaultPrefs"
ExpectExit 0
ExpectStandardError "${modeMessages[@]}"
ExpectPrefs "$defaultPrefs"
ExpectNoCore

echo "- unreadable prefs.txt: taken as missing, so the defaults are written"
NewGameFolder 1 0 0
chmod 000 prefs.txt
StartGameUnprivileged
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

echo "- no save possible (a folder stands where the new file goes): old file kept, reported"
NewGameFolder 1 0 0
# The dialog and a window, not full screen: OK saves without changing anything.
sed -i -e 's/configpanel=0/configpanel=1/' prefs.txt
prefs=$(cat prefs.txt)
mkdir prefs.txt.new
StartGame
WaitForDialog >/dev/null && Press Return
RequestClose || true
ExpectExit 0
ExpectStandardError "Kelmot: could not save prefs.txt: Is a directory"
ExpectPrefs "$prefs"
ExpectNoCore

echo "- read-only game folder"
# Standard error goes to a file made before the folder turns read-only.
echo "  - with a writable prefs.txt and the dialog: saved in place, nothing reported"
NewGameFolder 1 0 0
sed -i -e 's/configpanel=0/configpanel=1/' prefs.txt
prefs=$(cat prefs.txt)
# Text after the last entry is ignored when read, and gone once saved.
echo "left over" >>prefs.txt
touch stderr.txt
chmod 555 .
StartGameUnprivileged
WaitForDialog >/dev/null && Press Return
RequestClose || true
ExpectExit 0
ExpectStandardError
ExpectPrefs "$prefs"
[[ ! -e prefs.txt.new ]] || Fail "a prefs.txt.new appeared in a read-only folder"
chmod 755 .

echo "  - with a read-only prefs.txt and the dialog: the file kept, the failed save reported"
NewGameFolder 1 0 0
sed -i -e 's/configpanel=0/configpanel=1/' prefs.txt
prefs=$(cat prefs.txt)
touch stderr.txt
chmod 444 prefs.txt
chmod 555 .
StartGameUnprivileged
WaitForDialog >/dev/null && Press Return
RequestClose || true
ExpectExit 0
denied="Kelmot: could not save prefs.txt: Permission denied"
ExpectStandardError "$denied"
ExpectPrefs "$prefs"
chmod 755 .

echo "  - without prefs.txt: the defaults in use, each failed write reported"
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

echo "  - with a malformed, writable prefs.txt: repaired in place, silently"
NewGameFolder 1 0 0
printf 'gofirst=0\nxoro=oops\n' >prefs.txt
touch stderr.txt
chmod 555 .
StartGameUnprivileged
AcceptDialogAndClose "$defaultPrefs"
ExpectExit 0
ExpectStandardError "${modeMessages[@]}"
ExpectPrefs "$defaultPrefs"
chmod 755 .

echo "  - with a malformed, read-only prefs.txt: the file kept, the defaults in use"
NewGameFolder 1 0 0
printf 'gofirst=0\nxoro=oops\n' >prefs.txt
touch stderr.txt
chmod 444 prefs.txt
chmod 555 .
StartGameUnprivileged
AcceptDialogAndClose "$(printf 'gofirst=0\nxoro=oops')"
ExpectExit 0
ExpectStandardError "$denied" "$denied" "${modeMessages[@]}" "$denied"
ExpectPrefs "$(printf 'gofirst=0\nxoro=oops')"
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
