#!/usr/bin/env bash
# The game's page played as a player plays it, in headless chromium: a game
# against the computer to its result, read from the screen with the keypad;
# then the bar's button and the browser's leaving of full screen, the mode
# toggle both ways, each of which reopens the window with the game kept; Ctrl
# with a key, which is the browser's; and a key held while another tab takes
# the focus, which the game lets go of, as it lets go of the screen's wake lock.
# Usage: play_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

NewPageFolder 1 0 0
# The player moves first with X's on the keypad.
StorePrefs "$(sed -e 's/^controls=1/controls=0/' prefs.txt)"
# The screen wake locks the page is given: "HELD held of GIVEN".
Browser prelude "if (window.WakeLock) { window.screenLocks = []; const request = WakeLock.prototype.request; WakeLock.prototype.request = function () { return request.apply(this, arguments).then((lock) => (screenLocks.push(lock), lock)); }; }" >/dev/null
ScreenLocks() { PageValue "screenLocks.filter((lock) => !lock.released).length + ' held of ' + screenLocks.length"; }
StartGame
WindowedViewport
MenuSettled
[[ "$(ScreenLocks)" == '"1 held of 1"' ]] || Fail "the screen's wake locks: $(ScreenLocks)"

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

echo "- Ctrl with Return is the browser's: the menu stays"
BackToMenu
Key down Control_L
Press Return
Key up Control_L
sleep 0.5
Shoot menu-now.ppm
cmp -s menu.ppm menu-now.ppm || Fail "Ctrl+Return changed the menu screen"

echo "- ESC held while another tab takes the focus: let go; a new game stays"
EnterGame
Key down Escape
MenuSettled
given=$(PageValue screenLocks.length)
Browser away >/dev/null
Key up Escape
Browser back >/dev/null
# The lock is let go while the page is away, and taken anew on its return.
[[ "$(ScreenLocks)" == "\"1 held of $((given + 1))\"" ]] ||
    Fail "the screen's wake locks: $(ScreenLocks), $given given before"
EnterGame
WaitForBoard "........." && ExpectBoardStays "........."

Finish
