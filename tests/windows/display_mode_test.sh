#!/usr/bin/env bash
# Full screen for real under Wine, on an X server whose screen can change size
# (1280x1024 normally, also 1024x768, 800x600 and 640x480): the program's
# ChangeDisplaySettingsA reaches the X server, every way out of full screen
# gives the desktop its mode back, and so does a switch to another program,
# until the player comes back to the game; the game's message boxes come up
# above the full-screen window, where Return alone answers them, and above no
# other program's when there is no full-screen window.
# Usage: display_mode_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES
exe=$(realpath "$1")
postMessage=$(realpath "$2")
reader=$(realpath "$3")
prefixes=$4
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

echo "- full screen at 640x480, then \"Exit\" on the main menu"
NewGameFolder 3 0 1
StartGame
ExpectMode 640x480
FocusGame
viewWidth=640
viewHeight=480
MenuSettled
MenuPress Down Down Down Down Down
Press Return
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError

echo "- full screen at 1024x768 with an empty picture: each box above the game, Return answers it"
NewGameFolder 1 0 1
BreakPicture empty screen
StartGame
ExpectMode 1024x768
game=$(WaitForWindow Kelmot) || Fail "no game window"
# The picture reader's box belongs to the window with the focus, the game's;
# the one that follows stands alone.
AnswerBoxOnTop "$game"
AnswerBoxOnTop none
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError "$(PictureMessages empty screen)"

echo "- another program activated: the game minimised, the desktop's mode back; the game again: its mode"
NewGameFolder 2 0 1
StartGame
ExpectMode 800x600
FocusGame
MenuSettled
xlogo 2>/dev/null &
otherPid=$!
other=$(WaitForWindow xlogo) || Fail "the other program's window did not appear"
xdotool windowactivate --sync "$other"
ExpectMode $desktopMode
[[ "$(xprop -id "$window" WM_STATE)" == *Iconic* ]] || Fail "the game window is not minimised"
xdotool windowactivate --sync "$window"
ExpectMode 800x600
[[ "$(WindowPlace "$window")" == 800x600+0+0 ]] || Fail "the game window is at $(WindowPlace "$window")"
MenuSettled
kill "$otherPid"
RequestClose
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError

echo "- message 1025 toggles between full screen and a window, and back; WM_CLOSE ends it"
NewGameFolder 2 0 1
StartGame
ExpectMode 800x600
FocusGame
PostToGame 1025 || Fail "message 1025 could not be posted"
ExpectMode $desktopMode
WaitForNewWindow "$window"
PostToGame 1025 || Fail "message 1025 could not be posted"
ExpectMode 800x600
# Wine changes the mode before the window is open; a player closes the window
# once the game shows in it. (Once, under the load of a full CI run, a WM_CLOSE
# posted as soon as the window was there left the screen at 800x600.)
WaitForNewWindow "$window"
MenuSettled
PostToGame 16 || Fail "WM_CLOSE could not be posted"
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError

echo "- the display changed under the full-screen game (a dock, another program): the message, then a window"
NewGameFolder 2 0 1
StartGame
ExpectMode 800x600
FocusGame
MenuSettled
xrandr -s 1024x768
# Windows tells every window of the change (WM_DISPLAYCHANGE, with the bits
# per pixel and the new size); Wine passes on no change made outside it, so
# the message is posted here as Windows sends it.
PostToGame 126 32 $(((768 << 16) | 1024)) || Fail "WM_DISPLAYCHANGE could not be posted"
AnswerErrorBox
WaitForNewWindow "$window" || Fail "no game window after the mode was lost"
[[ "$(WindowPlace "$window")" != 800x600+0+0 ]] || Fail "the game window is still full screen"
# The display stays as the other program set it.
[[ "$(CurrentMode)" == 1024x768 ]] || Fail "the screen runs at $(CurrentMode), not 1024x768 as set"
RequestClose
ExpectExit 0
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."
xrandr -s $desktopMode
ExpectMode $desktopMode

echo "- a size the screen does not offer: the message, then a window"
NewGameFolder 9 0 1
StartGame
box=$(WaitForWindow Error) || Fail "no message box appeared"
for _ in $(seq 20); do
    ShowsText "$box" && break
    sleep 0.25
done
! KeptAbove "$box" || Fail "the box is kept above other programs with no full-screen game to stay above"
AnswerErrorBox
WaitForWindow Kelmot >/dev/null || Fail "no game window after the fallback"
[[ "$(CurrentMode)" == "$desktopMode" ]] || Fail "the mode changed to $(CurrentMode)"
RequestClose
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

Finish
