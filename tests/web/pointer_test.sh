#!/usr/bin/env bash
# The game's page on a small phone held sideways, in headless chromium with
# touch: the start-up dialog and a message box answered by taps; full screen,
# granted for a tap and scaled to the screen, tapped in; and the game played
# by taps alone, and pointed at with a mouse, as the Linux game is played by
# clicks (tests/e2e/pointer_play.sh).
# Usage: pointer_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# 667 x 375 CSS pixels, 2 device pixels to each. (At a scale that is not a
# whole number the browser shows the canvas resampled, its thin lines
# blurred past what the board reader reads.)
browserScreen="667 375 2"
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
SavedPrefs() { StoredPrefs; }
# shellcheck source=../e2e/pointer_play.sh
source "$(dirname "$0")/../e2e/pointer_play.sh"

echo "- the start-up dialog by taps: 640x480, OK; full screen, for that tap"
NewPageFolder 1 0 1
StorePrefs "$(sed 's/^configpanel=0/configpanel=1/' prefs.txt)"
StartGame
for _ in $(seq 100); do
    [[ "$(PageValue "document.getElementById('kelmot-dialog').open")" == true ]] && break
    sleep 0.1
done
Browser tap kelmot-dialog-res-3 >/dev/null
Browser tap kelmot-dialog-ok >/dev/null
FocusGame
for _ in $(seq 50); do
    [[ "$(PageValue "document.fullscreenElement && document.fullscreenElement.width")" == 640 ]] && break
    sleep 0.1
done
[[ "$(PageValue "document.fullscreenElement && document.fullscreenElement.width")" == 640 ]] ||
    Fail "the game is not full screen at 640x480"
[[ "$(StoredPrefs)" == "$(sed -e 's/^configpanel=0/configpanel=1/' -e 's/^res=1/res=3/' prefs.txt)" ]] ||
    Fail "the stored prefs.txt holds: $(StoredPrefs)"
[[ "$(PageValue "getComputedStyle(document.getElementById('kelmot-window')).cursor")" == '"none"' ]] ||
    Fail "full screen shows the system's pointer"

echo "- full screen, scaled to the phone's screen: \"Exit\" tapped ends the game"
viewWidth=640
viewHeight=480
MenuSettled
TapRow main 5
ExpectExit 0

echo "- a message box answered by a tap"
NewPageFolder 1 0 0
BreakPicture missing stars
StartGame
for _ in $(seq 100); do
    BoxShown && break
    sleep 0.1
done
Browser tap kelmot-message-ok >/dev/null
ExpectExit 0
ExpectStandardError "Loading Textures Failed"

NewPageFolder 1 0 0
StorePrefs "$(sed 's/^player1controls=1/player1controls=0/' prefs.txt)"
StartGame
WindowedViewport
PlayByPointing
ExpectStandardError

Finish
