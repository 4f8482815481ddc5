#!/usr/bin/env bash
# The real game played by pointing with the mouse alone, through xdotool, in a
# window: the menus and an option screen, a move against the computer, the
# hint's halves, a two-player game on every cell, and "Exit" (pointer_play.sh);
# and a move in full screen.
# Usage: pointer_test.sh GAME BOARD_READER
game=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=play_lib.sh
source "$(dirname "$0")/play_lib.sh"
# shellcheck source=pointer_play.sh
source "$(dirname "$0")/pointer_play.sh"

WindowedViewport
NewGameFolder 1 0 0
sed -i 's/^player1controls=1/player1controls=0/' prefs.txt
StartGame
FocusGame
PlayByPointing
ExpectStandardError

echo "- full screen: the game started and a mark placed by clicks"
NewGameFolder 0 1 1
viewWidth=1280
viewHeight=1024
StartGame
FocusGame
MenuSettled
PointAt 4 4
TapRow main 0
WaitForBoard "........."
PlayX "........." 0
RequestClose
ExpectExit 0
ExpectStandardError

Finish
