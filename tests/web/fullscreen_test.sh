#!/usr/bin/env bash
# Full screen as a player meets it: the browser is a window on this X display
# and the keys are the keyboard's (xdotool), so that the browser's own handling
# of Escape takes part, as headless chromium's does not. A first visit chooses
# full screen in the dialog; there the pointer is hidden over the game, an
# Escape in a game goes back to the menu and stays full screen, and a held
# Escape leaves full screen, which is the mode toggle.
# Usage: fullscreen_test.sh PAGE_FOLDER BOARD_READER (on an X display)
page=$(realpath "$1")
reader=$(realpath "$2")
browserWindow=1
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# How many pixels of the pointer show with it moved to ($1, $2) of the screen.
# A pointer that moves over the menu highlights a row: the full-screen check
# points at the left edge of the picture, where no row reaches.
PointerPixels() {
    xdotool mousemove $(($1 - 20)) $(($2 - 5)) sleep 0.2 mousemove "$1" "$2" sleep 0.5
    Browser cursor
}

echo "- first visit: OK with \"Fullscreen?\" ticked, full screen at 1024x768"
NewPageFolder 1 0 1
StorePrefs ""
StartGame
WaitForPageDialog
# The browser's window can miss the first key just after it is shown: Return
# again while the dialog stays.
for _ in 1 2 3; do
    Press Return
    sleep 2
    DialogShown || break
done
# Under a heavy load this browser window can drop full screen right after
# granting it (a page without the game does too), which the game takes as the
# mode toggle: the bar's button asks again.
for _ in 1 2 3; do
    for _ in $(seq 100); do
        [[ "$(FullscreenState)" == '"1024x768"' ]] && break 2
        sleep 0.2
    done
    FocusGame && Browser click kelmot-toggle >/dev/null
done
WaitForFullscreenState 1024x768
MenuSettled main-menu.ppm

echo "- no pointer over the full-screen game"
shown=$(PointerPixels 60 512)
((shown == 0)) || Fail "$shown pixels of the pointer show over the full-screen game"

echo "- Escape in a game: back to the menu, still full screen"
EnterGame
BackToMenu
WaitForFullscreenState 1024x768
cmp -s menu.ppm main-menu.ppm || Fail "Escape did not lead back to the main menu"

echo "- Escape held: full screen left, the game windowed"
Key down Escape
sleep 2.5
Key up Escape
WaitForFullscreenState windowed
FocusGame
MenuSettled
shown=$(PointerPixels 640 512)
((shown > 0)) || Fail "no pointer over the windowed game"

Finish
