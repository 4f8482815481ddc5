#!/usr/bin/env bash
# The real game started for the first time: the start-up dialog, typed into as a
# player would, decides the display mode and is remembered in prefs.txt.
# Usage: first_run_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

echo "- first run: windowed, 800x600 and 32 bit typed into the dialog"
NewGameFolder 1 0 1
rm prefs.txt
StartGame
WaitForDialog >/dev/null
ExpectGtkLoaded yes
# The keyboard starts on "1024x768": Right picks "800x600", Tab goes to the
# depths, Right picks "32 bit", Tab goes to "Fullscreen?", Space clears it,
# and Return presses OK.
Press Right Tab Right Tab space Return
ExpectGone "the dialog" DialogId
window=$(WaitForWindow Kelmot) || Fail "no game window after the dialog"
expected=$(printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=1 res=1 bpp=1 fullscreen=0)
[[ "$(cat prefs.txt)" == "$expected" ]] || Fail "prefs.txt holds: $(cat prefs.txt)"
if [[ -n "${window:-}" ]]; then
    state=$(xprop -id "$window" _NET_WM_STATE)
    [[ "$state" != *FULLSCREEN* ]] || Fail "the game window is full screen: $state"
    [[ "$state" == *MAXIMIZED_HORZ* ]] || Fail "the game window is not maximised: $state"
    width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
    [[ "$width" == 1280 ]] || Fail "the game window is $width wide, not the screen's 1280"
fi
RequestClose
ExpectExit 0
ExpectStandardError

echo "- Escape and close requests leave the dialog up; Enter presses OK"
NewGameFolder 2 1 0
sed -i 's/configpanel=0/configpanel=1/' prefs.txt
before=$(cat prefs.txt)
StartGame
dialog=$(WaitForDialog)
Press Escape
xdotool key alt+F4
sleep 1
[[ "$(DialogId)" == "$dialog" ]] || Fail "the dialog went away without OK"
kill -0 "$gamePid" 2>/dev/null || Fail "the game ended without OK"
Press Return
ExpectGone "the dialog" DialogId
WaitForWindow Kelmot >/dev/null || Fail "no game window after the dialog"
[[ "$(cat prefs.txt)" == "$before" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"
RequestClose
ExpectExit 0

echo "- SIGTERM while the dialog is up ends the game with 0 and keeps prefs.txt"
NewGameFolder 3 0 0
sed -i 's/configpanel=0/configpanel=1/' prefs.txt
before=$(cat prefs.txt)
StartGame
WaitForDialog >/dev/null
kill -TERM "$gamePid"
ExpectExit 0
[[ -z "$(WindowId Kelmot)" ]] || Fail "a window is left after SIGTERM"
[[ "$(cat prefs.txt)" == "$before" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"

echo "- the dialog's module missing from beside the game: said, and the game goes on"
NewGameFolder 1 0 0
sed -i 's/configpanel=0/configpanel=1/' prefs.txt
before=$(cat prefs.txt)
cp "$game" ./kelmot
game=$PWD/kelmot StartGame
# Without the dialog the start-up mode stands: full screen at the screen's size,
# which this screen does not offer.
AnswerErrorBox
WaitForWindow Kelmot >/dev/null || Fail "no game window without the dialog"
RequestClose
ExpectExit 0
grep -q "^kelmot: the start-up dialog cannot be shown: .*kelmot-dialog\.so" stderr.txt ||
    Fail "no message for the missing module: $(cat stderr.txt)"
[[ "$(cat prefs.txt)" == "$before" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"

echo "- first run without a display: the default file, the messages and -1"
NewGameFolder 1 0 1
rm prefs.txt
RunWithoutDisplay
grep -q "start-up dialog cannot be shown" stderr.txt || Fail "no dialog message: $(cat stderr.txt)"
grep -qx configpanel=1 prefs.txt || Fail "no default prefs.txt: $(cat prefs.txt)"

Finish
