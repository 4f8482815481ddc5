#!/usr/bin/env bash
# The Windows program played under Wine with nothing but controllers: a
# stand-in xinput1_4.dll (xinput_stand_in.cpp) beside the program, which Wine
# loads before its own, plays the scripted controllers. Message boxes answered
# with A and with Start; Start held as the game starts, which the start-up
# dialog ignores; the dialog moved through and passed with Start; B held from
# behind another program (PadHeldFromBehind), then the game of
# PlayWithGamepads (play_lib.sh) from the menu to "Exit".
# Usage: gamepad_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES XINPUT_STAND_IN
exe=$(realpath "$1")
postMessage=$(realpath "$2")
reader=$(realpath "$3")
prefixes=$4
standIn=$(realpath "$5")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

export WINEDLLOVERRIDES=xinput1_4=n,b
program=$exe
# A game folder with the program and the stand-in in it (NewGameFolder's
# arguments); controller 1 plugged in.
NewPadFolder() {
    NewGameFolder "$@"
    cp "$program" "$standIn" .
    exe=$PWD/kelmot.exe
    Plug 1
}

WindowedViewport

echo "- message boxes: A answers one, Start the next"
NewPadFolder 1 0 0
BreakPicture empty stars
StartGame
AnswerErrorBox pad1:a && AnswerErrorBox pad1:start
ExpectExit 0
ExpectStandardError "Failed to open DIB file Data/stars.bmp." "Loading Textures Failed"

echo "- Start held as the game starts is no press: the dialog stays"
NewPadFolder 1 0 1
sed -i 's/^configpanel=0/configpanel=1/' prefs.txt
mapfile -t expectedPrefs < <(sed -e 's/^bpp=0/bpp=1/' -e 's/^fullscreen=1/fullscreen=0/' prefs.txt)
KeyDown pad1:start
StartGame
dialog=$(WaitForDialog) || Finish
sleep 1.5
[[ "$(DialogLook)" != gone ]] || Fail "Start held before the game started pressed OK"
KeyUp pad1:start

echo "- the dialog: the D-pad moves as Tab, Shift+Tab and the arrows, A is Space, Start is OK"
# The focus starts on "1024x768"; the tab order is the checked size, the
# checked depth, OK, "Fullscreen?". Down, Down, Up reach the depths, Right
# checks "32 bit", Down, Down go on to "Fullscreen?", A clears it.
DialogPress pad1:down pad1:down pad1:up pad1:right pad1:down pad1:down pad1:a pad1:start
FocusGame
ExpectWrittenPrefs "${expectedPrefs[@]}"

PadHeldFromBehind
PlayWithGamepads
ExpectStandardError
ExpectWrittenPrefs "${expectedPrefs[@]}"

Finish
