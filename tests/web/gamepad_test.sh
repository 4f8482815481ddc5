#!/usr/bin/env bash
# The game's page in headless chromium played with nothing but controllers:
# navigator.getGamepads answers with scripted ones in the standard layout
# (scripted_gamepads.js). Start held as the page opens, which the start-up
# dialog ignores; the dialog moved through and passed with Start; B held while
# another tab is in front (PadHeldFromBehind), the game of PlayWithGamepads
# (play_lib.sh) from the menu to "Exit"; then a message box answered with A.
# Usage: gamepad_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

NewPageFolder 1 0 1
StorePrefs "$(sed 's/^configpanel=0/configpanel=1/' prefs.txt)"
ScriptGamepads
# Controller 1 holds Start from before the page's first look.
Browser prelude "kelmotTestPads.plug(1); kelmotTestPads.hold(1, 'start');" >/dev/null
expected=$(sed -e 's/^configpanel=0/configpanel=1/' -e 's/^bpp=0/bpp=1/' \
    -e 's/^fullscreen=1/fullscreen=0/' prefs.txt)
StartGame
WaitForPageDialog

echo "- Start held as the game starts is no press: the dialog stays"
sleep 1.5
DialogShown || Fail "Start held before the game started pressed OK"
KeyUp pad1:start

echo "- the dialog: the D-pad moves as Tab, Shift+Tab and the arrows, A is Space, Start is OK"
# The focus starts on "1024x768"; the tab order is the sizes, the depths,
# "Fullscreen?", OK. Down, Down, Up reach the depths, Right checks "32 bit",
# Down goes on to "Fullscreen?", A clears it.
DialogPress pad1:down pad1:down pad1:up pad1:right pad1:down pad1:a pad1:start
WindowedViewport
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"

PadHeldFromBehind
PlayWithGamepads
ExpectStandardError
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "prefs.txt changed: $(StoredPrefs)"

echo "- a message box: A answers it"
# Full screen from the prefs, with no player's action: refused, and said.
NewPageFolder 1 0 1
Browser prelude "" >/dev/null
ScriptGamepads
StartGame
Plug 1
AnswerErrorBox pad1:a
FocusGame
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

Finish
