#!/usr/bin/env bash
# Message 1025 (WM_USER + 1), posted to the game window by another program,
# under Wine: the window closes and opens again in the other mode, with the game
# as it was; where the screen has no mode of the window's size, the message and
# a window again.
# Usage: mode_toggle_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES
exe=$(realpath "$1")
postMessage=$(realpath "$2")
reader=$(realpath "$3")
prefixes=$4
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

readonly toggle=1025

# Posts the toggle and waits for the window it opens.
ToggleAndWait() {
    PostToGame $toggle || { Fail "message $toggle could not be posted"; return 1; }
    WaitForNewWindow "$window"
}

FullScreen() { [[ "$(xprop -id "$window" _NET_WM_STATE)" == *FULLSCREEN* ]]; }

echo "- full screen at the display's own size, a game begun; 1025: a window, the game kept"
NewGameFolder 0 0 1
sed -i 's/^controls=1/controls=0/' prefs.txt
viewWidth=1280
viewHeight=1024
StartGame
FocusGame
FullScreen || Fail "the game is not full screen"
MenuSettled
EnterGame
WaitForBoard "........."
PlayX "$board" "$(TieMove "$board")"
PlayX "$board" "$(TieMove "$board")"
position=$board
ToggleAndWait
FullScreen && Fail "the window is still full screen"
WaitForBoard "$position"
PlayX "$position" "$(TieMove "$position")"

echo "- 1025 again: full screen, the game still kept"
position=$board
ToggleAndWait
FullScreen || Fail "the game is not full screen again"
WaitForBoard "$position"
RequestClose
ExpectExit 0
ExpectStandardError

echo "- windowed, where the screen has no mode of that size: the message, a window again"
NewGameFolder 1 0 0
sed -i 's/^controls=1/controls=0/' prefs.txt
WindowedViewport
StartGame
FocusGame
MenuSettled
EnterGame
WaitForBoard "........."
PlayX "........." 4
position=$board
PostToGame $toggle || Fail "message $toggle could not be posted"
AnswerErrorBox
WaitForNewWindow "$window"
FullScreen && Fail "the window is full screen"
WaitForBoard "$position"
RequestClose
ExpectExit 0
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

Finish
