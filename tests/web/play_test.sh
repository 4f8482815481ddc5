#!/usr/bin/env bash
# The game's page played as a player plays it, in headless chromium: a game
# against the computer to its result, read from the screen with the keypad;
# then the bar's button and the browser's leaving of full screen, the mode
# toggle both ways, each of which reopens the window with the game kept.
# Usage: play_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# The full-screen state as the page shows it: the canvas's size when it is the
# browser's full-screen element, else "windowed".
FullscreenState() {
    PageValue "document.fullscreenElement ? document.fullscreenElement.width + 'x' + document.fullscreenElement.height : 'windowed'"
}

WaitForFullscreenState() {
    for _ in $(seq 100); do
        [[ "$(FullscreenState)" == "\"$1\"" ]] && return 0
        sleep 0.1
    done
    Fail "the game is $(FullscreenState), not $1"
    return 1
}

NewPageFolder 1 0 0
# The player moves first with X's on the keypad.
StorePrefs "$(sed -e 's/^controls=1/controls=0/' prefs.txt)"
StartGame
WindowedViewport
MenuSettled

echo "- against the computer: careful play to the end, the outcome read from the screen"
EnterGame # "New Game VS. Computer"
WaitForBoard "........." && ExpectResult none
PlayComputerGame TieMove
[[ "$outcome" == tie ]] || Fail "careful play ended in a $outcome"

# The window keeps its size through a toggle: full screen is the window's size,
# scaled to the screen.
echo "- the bar's button: full screen; the browser's leaving: windowed; the game kept"
PressForBoard r "........."
PlayX "........." 4
position=$board
Browser click kelmot-toggle >/dev/null
WaitForFullscreenState "${viewWidth}x$viewHeight"
[[ "$(Browser errors)" == "[]" ]] || Fail "the switch said: $(Browser errors)"
# As the browser's Escape does.
PageValue "document.exitFullscreen() && 'left'" >/dev/null
WaitForFullscreenState windowed
WindowedViewport
WaitForBoard "$position"
PlayX "$position" "$(TieMove "$position")"

Finish
