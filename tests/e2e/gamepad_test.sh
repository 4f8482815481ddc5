#!/usr/bin/env bash
# The real game played with nothing but controllers: SDL's virtual joysticks,
# played from files by a preloaded probe (gamepad_probe.cpp), stand in for
# them. Start held as the game starts, which the start-up dialog ignores; the
# dialog moved through and passed with Start; B held from behind another
# program (PadHeldFromBehind), then the game of PlayWithGamepads (play_lib.sh)
# from the menu to "Exit".
# Usage: gamepad_test.sh GAME BOARD_READER GAMEPAD_PROBE
game=$(realpath "$1")
reader=$(realpath "$2")
probe=$(realpath "$3")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=play_lib.sh
source "$(dirname "$0")/play_lib.sh"

StartGame() {
    LD_PRELOAD="${LD_PRELOAD:+$LD_PRELOAD:}$probe" "$game" 2>stderr.txt &
    gamePid=$!
}

WindowedViewport
NewGameFolder 1 0 1
sed -i 's/^configpanel=0/configpanel=1/' prefs.txt
expectedPrefs=$(sed -e 's/^bpp=0/bpp=1/' -e 's/^fullscreen=1/fullscreen=0/' prefs.txt)
HoldOnPad pad1 start
StartGame
dialog=$(WaitForDialog) || Finish

echo "- Start held as the game starts is no press: the dialog stays"
sleep 1.5
[[ "$(DialogLook)" != gone ]] || Fail "Start held before the game started pressed OK"
KeyUp pad1:start

echo "- the dialog: the D-pad moves as Tab, Shift+Tab and the arrows, A is Space, Start is OK"
# The focus starts on "1024x768"; the tab order is the sizes, the depths,
# "Fullscreen?", OK. Down, Down, Up reach the depths, Right checks "32 bit",
# Down goes on to "Fullscreen?", A clears it.
DialogPress pad1:down pad1:down pad1:up pad1:right pad1:down pad1:a pad1:start
FocusGame
[[ "$(cat prefs.txt)" == "$expectedPrefs" ]] || Fail "prefs.txt after the dialog: $(cat prefs.txt)"

PadHeldFromBehind
PlayWithGamepads
ExpectStandardError
[[ "$(cat prefs.txt)" == "$expectedPrefs" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"

Finish
