#!/usr/bin/env bash
# Usage: scripts/take-windows-screenshots.sh [WINDOWS_BUILD]
#
# Plays the Windows program under Wine (kelmot.exe of WINDOWS_BUILD, by default
# build-windows as make test-windows leaves it) on an X display of its own and
# saves the pictures the README's Windows section shows:
#   docs/windows-start-up-dialog.png  the start-up dialog, at full size
#   docs/windows-main-menu.png        the main menu
#   docs/windows-game.png             a game against the computer
# The last two are the whole game window at half size, as a 256-colour PNG.
set -euo pipefail

scriptDir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sourceDir=$(dirname "$scriptDir")
build=$(realpath "${1:-$sourceDir/build-windows}")
docsDir=$sourceDir/docs

if [[ -z "${KELMOT_SCREENSHOT_DISPLAY:-}" ]]; then
    [[ -f "$build/kelmot.exe" && -f "$build/tests/post_message.exe" ]] ||
        { echo "error: no Windows build with its tests in $build; run make test-windows" >&2; exit 1; }
    exec env KELMOT_SCREENSHOT_DISPLAY=1 "$sourceDir/tests/display/with_xvfb.sh" "$0" "$build"
fi

# The Windows end-to-end tests' helpers: the game under Wine in a scratch folder.
exe=$build/kelmot.exe
postMessage=$build/tests/post_message.exe
reader=$build/tests/board_reader
prefixes=$build/wine
# shellcheck source=SCRIPTDIR/../tests/windows/lib.sh
source "$sourceDir/tests/windows/lib.sh"

# Saves the game window as docs/$1.png once the frames have caught up.
Save() {
    sleep 1
    import -window "$window" -resize 50% -colors 256 "PNG8:$docsDir/$1.png"
    echo "saved docs/$1.png ($(stat -c %s "$docsDir/$1.png") bytes)"
}

# Windowed, 32-bit colour; the dialog comes first and is left as the options set it.
NewGameFolder 1 1 0
sed -i 's/configpanel=0/configpanel=1/' prefs.txt
StartGame
dialog=$(WaitForDialog) || { echo "error: the start-up dialog did not appear" >&2; exit 1; }
sleep 1
import -window "$dialog" -colors 256 "PNG8:$docsDir/windows-start-up-dialog.png"
echo "saved docs/windows-start-up-dialog.png"
Press Return
FocusGame
Save windows-main-menu

# Against the computer with the arrow keys: X on the top middle cell, then on the
# centre (unless the computer's random opening took it).
Press Return
Press Return
Press Down Return
Press Right
Save windows-game

RequestClose
ExpectExit 0
Finish
