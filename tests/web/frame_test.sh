#!/usr/bin/env bash
# The game's page inside a game portal's frame, the portal's page from another
# port, in headless chromium: the start-up dialog answered with a click, which
# takes the game full screen from the frame; the keys, once the player has
# clicked into the frame; the options changed there, and kept when the
# portal's page is opened again.
# Usage: frame_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

echo "- the dialog in the frame: OK clicked, full screen at 1024x768"
NewPageFolder 1 0 1
StorePrefs "$(sed 's/^configpanel=0/configpanel=1/' prefs.txt)"
Browser framed >/dev/null
WaitForPageDialog
Browser tap kelmot-dialog-ok >/dev/null
FocusGame
WaitForFullscreenState 1024x768
MenuSettled

echo "- the browser's leaving of full screen: the game goes on in the frame, at its size"
PageValue "document.exitFullscreen() && 'left'" >/dev/null
WaitForFullscreenState windowed
WindowedViewport
[[ "${viewWidth}x$viewHeight" == 1024x768 ]] || Fail "the game's window is ${viewWidth}x$viewHeight"
MenuSettled

echo "- the keys, in the frame clicked into: Global Options, the dialog turned off, Done"
PointAt 4 4
Browser tap 4 4 >/dev/null
MenuPress Down Down Down Return Return Down Return
expected=$(cat prefs.txt) # configpanel=0 again
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"

echo "- the portal's page again: no dialog, the options kept"
Browser framed >/dev/null
FocusGame
sleep 1
DialogShown && Fail "the dialog shows though it was turned off"
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

Finish
