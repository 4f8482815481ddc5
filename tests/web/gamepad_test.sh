#!/usr/bin/env bash
# The game's page in headless chromium played with nothing but controllers:
# navigator.getGamepads answers with scripted ones in the standard layout
# (scripted_gamepads.js). The start-up dialog moved through and passed with
# Start, the game of PlayWithGamepads (play_lib.sh) from the menu to "Exit";
# then a message box answered with A.
# Usage: gamepad_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

NewPageFolder 1 0 1
StorePrefs "$(sed 's/^configpanel=0/configpanel=1/' prefs.txt)"
ScriptGamepads
expected=$(sed -e 's/^configpanel=0/configpanel=1/' -e 's/^bpp=0/bpp=1/' \
    -e 's/^fullscreen=1/fullscreen=0/' prefs.txt)
StartGame
Plug 1
WaitForPageDialog

echo "- the dialog: the D-pad moves as Tab, Shift+Tab and the arrows, A is Space, Start is OK"
# The focus starts on "1024x768"; the tab order is the sizes, the depths,
# "Fullscreen?", OK. Down, Down, Up reach the depths, Right checks "32 bit",
# Down goes on to "Fullscreen?", A clears it.
DialogPress pad1:down pad1:down pad1:up pad1:right pad1:down pad1:a pad1:start
WindowedViewport
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"

PlayWithGamepads
ExpectStandardError
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "prefs.txt changed: $(StoredPrefs)"

echo "- a message box: A answers it"
# Full screen from the prefs, with no player's action: refused, and said.
NewPageFolder 1 0 1
StartGame
Plug 1
AnswerErrorBox pad1:a
FocusGame
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

Finish
