#!/usr/bin/env bash
# The game's page in headless chromium, as a player meets it: the first visit
# with the start-up dialog typed into, kept in the browser's storage; full
# screen refused when no player asked for it; options changed, the page
# reloaded and the options kept; a missing and a broken picture with their
# boxes, then "Loading Textures Failed"; and "Exit".
# Usage: page_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

defaultPrefs=$(printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 \
    player1controls=1 player2controls=1 configpanel=1 res=1 bpp=0 fullscreen=1)

echo "- first visit: windowed, 800x600 and 32 bit typed into the dialog, kept in the storage"
NewPageFolder 1 0 1
StorePrefs ""
StartGame
WaitForPageDialog
# The keys the Linux test types: the focus starts on "1024x768", Right picks
# "800x600", Tab goes to the depths, Right picks "32 bit", Tab goes to
# "Fullscreen?", Space clears it, and Return presses OK (windowed, so res stays
# as it was). Escape first does
# nothing.
Press Escape
DialogShown || Fail "Escape closed the dialog"
Press Right Tab Right Tab space Return
FocusGame
expected=$(printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=1 res=1 bpp=1 fullscreen=0)
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"
[[ "$(PageValue "document.fullscreenElement === null")" == true ]] || Fail "the game is full screen"
WindowedViewport
screen=$(PageValue "[Math.round(innerWidth * devicePixelRatio), Math.round(innerHeight * devicePixelRatio)].join('x')")
[[ "\"${viewWidth}x$((viewHeight + 56))\"" == "$screen" ]] ||
    Fail "the window is ${viewWidth}x$viewHeight on a page of $screen"
MenuSettled
ExpectStandardError

echo "- full screen from the prefs, with no player's action: refused, said, and windowed"
NewPageFolder 1 0 1
StartGame
AnswerErrorBox
FocusGame
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."
[[ "$(PageValue "document.fullscreenElement === null")" == true ]] || Fail "the game is full screen"
MenuSettled

echo "- options changed in the menus are kept over a reload"
# AI Options: "Player Has The" to O's, the controls to the keypad, down to
# Done, which keeps them; Multiplayer Options: Player2 first, Done.
MenuPress Down Down Down Down Return Down Return Down Return Down
MenuSettled ai-options.ppm
MenuPress Return
MenuPress Up Up Return Return Down Down Down Down Return
expected=$(printf '%s\n' gofirst=1 xoro=0 controls=0 whofirst=1 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=0 res=1 bpp=0 fullscreen=1)
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"
StartGame
AnswerErrorBox # full screen still refused without a player's action
FocusGame
MenuSettled
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "after the reload prefs.txt holds: $(StoredPrefs)"
# The AI Options screen shows what it showed before the reload.
MenuPress Down Down Down Down Return Down Down Down
cmp -s menu.ppm ai-options.ppm || Fail "the AI Options show other values after the reload"

echo "- \"Exit\" ends the game; the page says so"
MenuPress Return Down
# Held until the page says so: on a busy machine a short press can fall between
# two frames.
Browser down Return >/dev/null
for _ in $(seq 30); do
    [[ "$(PageValue "!document.getElementById('kelmot-ended').hidden")" == true ]] && break
    sleep 0.1
done
Browser up Return >/dev/null
ExpectExit 0

for picture in stars screen; do
    for kind in missing truncated; do
        echo "- $picture.bmp $kind: its box(es), then \"Loading Textures Failed\", options kept"
        NewPageFolder 1 0 0
        BreakPicture "$kind" "$picture"
        before=$(StoredPrefs)
        mapfile -t messages < <(PictureMessages "$kind" "$picture")
        StartGame
        for _ in "${messages[@]}"; do AnswerErrorBox || break; done
        ExpectExit 0
        ExpectStandardError "${messages[@]}"
        [[ "$(StoredPrefs)" == "$before" ]] || Fail "prefs.txt changed: $(StoredPrefs)"
    done
done

Finish
