#!/usr/bin/env bash
# Usage: scripts/take-web-screenshots.sh [WEB_BUILD]
#
# Plays the game's page (of WEB_BUILD, by default build-web as make web leaves
# it) in headless chromium and saves the pictures the README's browser section
# shows, each the whole page at half size as a 256-colour PNG:
#   docs/web-start-up-dialog.png  the start-up dialog on the first visit
#   docs/web-main-menu.png        the main menu
#   docs/web-game.png             a game against the computer
set -euo pipefail

scriptDir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sourceDir=$(dirname "$scriptDir")
page=$(realpath "${1:-$sourceDir/build-web}")
docsDir=$sourceDir/docs
[[ -f "$page/kelmot.wasm" ]] || { echo "error: no page in $page; run make web" >&2; exit 1; }
reader=/bin/false

# The web end-to-end tests' helpers: the page in headless chromium.
# shellcheck source=SCRIPTDIR/../tests/web/lib.sh
source "$sourceDir/tests/web/lib.sh"

# Saves the page as docs/$1.png once the frames have caught up.
Save() {
    sleep 1
    Browser page "$PWD/page.png" >/dev/null
    convert page.png -resize 50% -colors 256 "PNG8:$docsDir/$1.png"
    echo "saved docs/$1.png ($(stat -c %s "$docsDir/$1.png") bytes)"
}

NewPageFolder 1 0 0
StorePrefs ""
StartGame
for _ in $(seq 100); do
    [[ "$(PageValue "document.getElementById('kelmot-dialog').open")" == true ]] && break
    sleep 0.1
done
Save web-start-up-dialog
# Windowed.
Press Tab Tab space Return
FocusGame
MenuSettled
Save web-main-menu
EnterGame
Press Right Return
sleep 1
Press Down Down Return
Save web-game
