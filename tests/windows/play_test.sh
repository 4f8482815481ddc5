#!/usr/bin/env bash
# The Windows program played under Wine as a player plays it: the main menu, a
# game against the computer to its result, read from the screen, "R" and ESC;
# "Exit" ends the game with 0, and so does the window's close request.
# Usage: play_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES
exe=$(realpath "$1")
postMessage=$(realpath "$2")
reader=$(realpath "$3")
prefixes=$4
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

WindowedViewport
NewGameFolder 1 0 0
# The player moves first with X's on the keypad.
sed -i -e 's/^controls=1/controls=0/' prefs.txt
prefsBefore=$(cat prefs.txt)
StartGame
FocusGame
MenuSettled

echo "- against the computer: careful play to the end, the outcome read from the screen"
EnterGame # "New Game VS. Computer"
WaitForBoard "........." && ExpectResult none
PlayComputerGame TieMove
[[ "$outcome" == tie ]] || Fail "careful play ended in a $outcome"

echo "- R starts again, ESC goes back to the menu"
PressForBoard r "........."
PlayX "........." 4
BackToMenu

echo "- \"Exit\" on the main menu ends the game with 0"
MenuPress Down Down Down Down Down
Press Return
ExpectExit 0
ExpectStandardError
[[ "$(cat prefs.txt)" == "$prefsBefore" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"

echo "- the window's close request ends the game with 0"
StartGame
FocusGame
MenuSettled
RequestClose
ExpectExit 0
ExpectStandardError

echo "- WM_CLOSE posted by another program ends it the same way"
StartGame
FocusGame
MenuSettled
PostToGame 16 || Fail "WM_CLOSE could not be posted"
ExpectExit 0
ExpectStandardError

Finish
