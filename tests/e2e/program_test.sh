#!/usr/bin/env bash
# The real game on an X display with a window manager: the ways it ends, and
# its messages for a missing display and for missing or broken pictures.
# Usage: program_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

echo "- a start without the dialog loads none of GTK; a close request ends it with 0"
NewGameFolder 1 0 0
StartGame
WaitForWindow Kelmot >/dev/null || Fail "no game window"
ExpectGtkLoaded no
RequestClose
ExpectExit 0
ExpectStandardError

echo "- SIGTERM ends it with 0"
NewGameFolder 1 0 0
StartGame
WaitForWindow Kelmot >/dev/null || Fail "no game window"
kill -TERM "$gamePid"
ExpectExit 0

echo "- without a display: both messages and -1"
NewGameFolder 1 0 0
RunWithoutDisplay
grep -qx "RegisterClassEx Failed!" stderr.txt || Fail "no class message: $(cat stderr.txt)"

echo "- a missing picture: one message box, then 0"
NewGameFolder 1 0 0
rm Data/stars.bmp
StartGame
AnswerErrorBox
ExpectExit 0
ExpectStandardError "Loading Textures Failed"

echo "- a broken picture: its message, then the loading message, then 0"
NewGameFolder 1 0 0
head -c 30 "$sourceDir/Data/pointer.bmp" >Data/pointer.bmp
StartGame
AnswerErrorBox
AnswerErrorBox
ExpectExit 0
ExpectStandardError "Unknown DIB file format." "Loading Textures Failed"

Finish
