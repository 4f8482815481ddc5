#!/usr/bin/env bash
# The game's page on a phone, in headless chromium with touch: the start-up
# dialog and a message box answered by taps; full screen, granted for a tap
# and scaled to the screen, tapped in; a phone of ratio 2 held sideways, given
# the 640x480 window; held upright, the game whole on the page and played by
# taps alone, and pointed at with a mouse, as the Linux game is played by
# clicks (tests/e2e/pointer_play.sh); and turned sideways and zoomed in the
# middle of a game, which goes on, still whole.
# Usage: pointer_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# A phone held sideways: 915 x 412 CSS pixels, 2.625 device pixels to each.
browserScreen="915 412 2.625"
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
SavedPrefs() { StoredPrefs; }
# shellcheck source=../e2e/pointer_play.sh
source "$(dirname "$0")/../e2e/pointer_play.sh"

# The game's picture lies wholly in the page below a bar of 56 device pixels,
# and no text of the menu screen in menu.ppm (white, or yellow where
# highlighted) reaches its left or right edge.
ExpectWhole() {
    local side ink whole="(() => {
        const bar = document.getElementById('kelmot-bar').getBoundingClientRect();
        const canvas = document.getElementById('kelmot-window');
        const box = canvas.getBoundingClientRect();
        const scale = Math.min(box.width / canvas.width, box.height / canvas.height);
        const width = canvas.width * scale, height = canvas.height * scale;
        const left = box.left + (box.width - width) / 2, top = box.top + (box.height - height) / 2;
        return Math.round(bar.height * devicePixelRatio) == 56 && left >= 0 && top >= bar.bottom - 0.01 &&
            left + width <= innerWidth + 0.01 && top + height <= innerHeight + 0.01; })()"
    [[ "$(PageValue "${whole//$'\n'/ }")" == true ]] ||
        Fail "the game's picture is not whole in the page below a bar of 56 device pixels"
    for side in west east; do
        ink=$(convert menu.ppm -gravity "$side" -crop 4x+0+0 +repage -fx 'r > 0.8 && g > 0.8' \
            -format '%[fx:round(mean * w * h)]' info:)
        [[ "$ink" == 0 ]] || Fail "menu text reaches the $side edge of the game's picture"
    done
}

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

echo "- a phone of two device pixels to a CSS pixel, sideways: the game's 640x480 window, whole"
Browser metrics 915 412 2 >/dev/null
NewPageFolder 1 0 0
StartGame
WindowedViewport
[[ "${viewWidth}x$viewHeight" == 640x480 ]] || Fail "the game's window is ${viewWidth}x$viewHeight"
MenuSettled
ExpectWhole

echo "- held upright: the game's 640x480 window, whole across the page's width"
Browser metrics 412 915 2.625 >/dev/null
NewPageFolder 1 0 0
StorePrefs "$(sed 's/^player1controls=1/player1controls=0/' prefs.txt)"
StartGame
WindowedViewport
[[ "${viewWidth}x$viewHeight" == 640x480 ]] || Fail "the game's window is ${viewWidth}x$viewHeight"
MenuSettled
ExpectWhole
# A touch on "Exit" that the browser cancels (a scroll, a gesture), or whose
# capture the game loses before it is let go, is no tap.
for end in cancel uncapture; do
    Browser "$end" $(RowPlace main 5) >/dev/null
    sleep 1
    [[ "$(PageValue "!document.getElementById('kelmot-ended').hidden")" == false ]] ||
        Fail "a touch on \"Exit\" ended by \"$end\" ended the game"
done
MenuTap main 2 # the widest rows: Multiplayer Options
ExpectWhole
MenuTap multiplayer 4
PlayByPointing
ExpectStandardError

echo "- turned sideways, then zoomed, in the middle of a game: whole, played on by taps"
NewPageFolder 1 0 0
StartGame
WindowedViewport
MenuSettled
TapRow main 0
WaitForBoard "........."
PlayX "........." 4
position=$board
Browser metrics 915 412 2.625 >/dev/null
WaitForBoard "$position"
PlayX "$position" "$(TieMove "$position")"
position=$board
Browser metrics 915 412 3.5 >/dev/null
WaitForBoard "$position"
PlayX "$position" "$(TieMove "$position")"
TapHint 1
MenuSettled
ExpectWhole
[[ "${viewWidth}x$viewHeight" == "$(PageValue "(c => c.width + 'x' + c.height)(document.getElementById('kelmot-window'))" | tr -d '"')" ]] ||
    Fail "the game's window changed size"
ExpectStandardError

Finish
