#!/usr/bin/env bash
# Full screen for real, on an X server whose screen can change size (1280x1024
# normally, also 1024x768, 800x600 and 640x480): the game changes the display
# mode, and every way out of full screen gives the desktop its mode back.
# Usage: display_mode_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

readonly desktopMode=1280x1024

[[ "$(CurrentMode)" == "$desktopMode" ]] || Fail "the server did not start at $desktopMode"

echo "- full screen at 800x600, then a close request"
NewGameFolder 2 1 1
StartGame
ExpectMode 800x600
RequestClose
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError

echo "- full screen at 640x480, then SIGTERM"
NewGameFolder 3 0 1
StartGame
ExpectMode 640x480
kill -TERM "$gamePid"
ExpectExit 0
ExpectMode $desktopMode

echo "- full screen at 1024x768 with a missing picture"
NewGameFolder 1 0 1
rm Data/blue.bmp
StartGame
ExpectMode 1024x768
AnswerErrorBox
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError "Loading Textures Failed"

echo "- SIGUSR1 toggles between full screen and a window, and back"
NewGameFolder 2 0 1
StartGame
ExpectMode 800x600
kill -USR1 "$gamePid"
ExpectMode $desktopMode
WaitForWindow Kelmot >/dev/null || Fail "no window after the toggle"
kill -USR1 "$gamePid"
ExpectMode 800x600
kill -TERM "$gamePid"
ExpectExit 0
ExpectMode $desktopMode

echo "- a size the screen does not offer: the message, then a window"
NewGameFolder 9 0 1
StartGame
AnswerErrorBox
WaitForWindow Kelmot >/dev/null || Fail "no game window after the fallback"
[[ "$(CurrentMode)" == "$desktopMode" ]] || Fail "the mode changed to $(CurrentMode)"
RequestClose
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

Finish
