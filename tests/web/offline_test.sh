#!/usr/bin/env bash
# The page as an app, in headless chromium: after one visit the browser could
# install it, and with the network cut off (DevTools' emulation) a reload
# starts the game, which plays a game against the computer to its result; a
# new release's first visit keeps its files in a cache of its own, and the
# last release's cache goes.
# Usage: offline_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# Waits until the cache names are those of $1 (JSON).
WaitForCaches() {
    for _ in $(seq 100); do
        [[ "$(PageValue "caches.keys()")" == "$1" ]] && return 0
        sleep 0.1
    done
    Fail "the caches are $(PageValue "caches.keys()"), not $1"
}

echo "- first visit: the page keeps its files, and could be installed"
NewPageFolder 1 0 0
# The page as built: with its service worker and its pictures gzipped.
cp -r "$page"/sw.js "$page"/Data .
# The player moves first with X's on the keypad.
StorePrefs "$(sed -e 's/^controls=1/controls=0/' prefs.txt)"
StartGame
FocusGame
version=$(cat "$sourceDir/VERSION")
WaitForCaches "[\"kelmot-$version\"]"
[[ "$(PageValue "!!navigator.serviceWorker.controller")" == true ]] ||
    Fail "the service worker does not serve the page"
[[ "$(Browser installable)" == "[]" ]] || Fail "not installable: $(Browser installable)"
[[ "$(PageValue "fetch('manifest.webmanifest').then((r) => r.json()).then((m) => m.name + ' ' + m.orientation + ' ' + m.icons.length)")" == '"Kelmot landscape 4"' ]] ||
    Fail "the manifest does not name the game, landscape, with its icons"

echo "- the network cut off: a reload plays a game to its result"
Browser offline on >/dev/null
StartGame
WindowedViewport
MenuSettled
EnterGame
WaitForBoard "........."
PlayComputerGame TieMove
[[ "$outcome" == tie ]] || Fail "careful play ended in a $outcome"
ExpectStandardError

echo "- a new release: its files in a cache of its own, the last one's gone"
Browser offline off >/dev/null
sed -i "s/kelmot-$version/kelmot-$version-next/" sw.js
StartGame
WaitForCaches "[\"kelmot-$version-next\"]"

Finish
