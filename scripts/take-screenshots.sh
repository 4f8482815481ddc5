#!/usr/bin/env bash
# Usage: scripts/take-screenshots.sh [GAME]
#
# Plays the real game (build/run/kelmot unless GAME is given) on an X display of
# its own and saves the pictures the README shows:
#   docs/start-up-dialog.png  the start-up dialog, at full size
#   docs/main-menu.png  the main menu
#   docs/game.png       a game against the computer: a few marks and the cursor
#   docs/won-game.png   a two-player game Player1 has won with the top row
# The others are the whole game window at half size, as a 256-colour PNG. The computer's
# opening move is random, so docs/game.png differs from run to run.
set -euo pipefail

scriptDir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sourceDir=$(dirname "$scriptDir")
game=$(realpath "${1:-$sourceDir/build/run/kelmot}")
docsDir=$sourceDir/docs

# Run again on a display of its own (Xvfb 1280x1024 with openbox), so that the
# keys typed here go to no other program.
if [[ -z "${KELMOT_SCREENSHOT_DISPLAY:-}" ]]; then
    [[ -x "$game" ]] || { echo "error: no game at $game; run make build" >&2; exit 1; }
    exec env KELMOT_SCREENSHOT_DISPLAY=1 "$sourceDir/tests/display/with_xvfb.sh" "$0" "$game"
fi

# The end-to-end tests' helpers: a scratch folder with Data/ and prefs.txt, the
# game started in it, its window found and, at the end, the game ended.
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$sourceDir/tests/e2e/lib.sh"

# Holds each key long enough for the game to draw a frame while it is down (a key
# pressed and released between two frames would go unseen), one after the other.
Press() {
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.25
        xdotool keyup "$key"
        sleep 0.25
    done
}

# Saves the game window as docs/$1.png once the frames have caught up.
Shoot() {
    sleep 1
    import -window "$window" -resize 50% -colors 256 "PNG8:$docsDir/$1.png"
    echo "saved docs/$1.png ($(stat -c %s "$docsDir/$1.png") bytes)"
}

mkdir -p "$docsDir"
# Windowed, 32-bit colour. The game asks for the start-up size (the screen less
# 56 rows: 1280x968) and draws that much at the bottom of its window, which
# openbox maximises to 1280x1005: the rows above stay black.
# The dialog comes first; it is left as the options set it.
NewGameFolder 1 1 0
sed -i 's/configpanel=0/configpanel=1/' prefs.txt
StartGame
dialog=$(WaitForDialog) || { echo "error: the start-up dialog did not appear" >&2; exit 1; }
sleep 1
import -window "$dialog" -colors 256 "PNG8:$docsDir/start-up-dialog.png"
echo "saved docs/start-up-dialog.png ($(stat -c %s "$docsDir/start-up-dialog.png") bytes)"
Press Return
window=$(WaitForWindow Kelmot) || { echo "error: the game window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window"
Shoot main-menu

# Against the computer with the arrow keys: X on the top middle cell, then on the
# centre (unless the computer's random opening took it); the computer answers each.
Press Return
Press Return
Press Down Return
Press Right
Shoot game

# Back to the menu (which empties the board), then two players: X top middle,
# O centre, X top left, O middle left, X top right.
Press Escape Down Return
Press Return
Press Down Return
Press Up Left Return
Press Down Return
Press Up Right Right Return
Shoot won-game

RequestClose
ExpectExit 0
Finish
