#!/usr/bin/env bash
# Usage: scripts/take-windows-screenshots.sh [WINDOWS_BUILD]
#
# Plays the Windows program under Wine (kelmot.exe of WINDOWS_BUILD, by default
# build-windows as make test-windows leaves it) on an X display of its own and
# saves the pictures the README's Windows section shows:
#   docs/windows-start-up-dialog.png  the start-up dialog, at full size
#   docs/windows-main-menu.png        the main menu
#   docs/windows-game.png             a game against the computer
#   docs/windows-installer.png        the installer's first page
#   docs/windows-installer-licence.png the installer's licence page, the next
#   docs/windows-uninstaller.png      the uninstaller's choice of what to remove
# The game's are the whole game window at half size, as a 256-colour PNG; the
# installer's and the uninstaller's their whole window.
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

# Saves the window titled $1 as docs/$2.png.
SaveWindow() {
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1" | head -n 1) ||
        { echo "error: no window \"$1\"" >&2; exit 1; }
    sleep 1
    import -window "$id" -colors 256 "PNG8:$docsDir/$2.png"
    echo "saved docs/$2.png"
}

"$wine" "$build/kelmot-"*-setup.exe &
SaveWindow "Kelmot Setup" windows-installer
xdotool key Return
SaveWindow "Kelmot Setup" windows-installer-licence
/usr/lib/wine/wineserver64 -k
wait || true

# Installed without asking, then the uninstaller, one page on (Next).
"$wine" "$build/kelmot-"*-setup.exe /S
"$wine" "$(HostPath "$(WindowsVariable LOCALAPPDATA)\\Programs\\Kelmot\\uninstall.exe")" &
timeout 20 xdotool search --sync --onlyvisible --name '^Kelmot Uninstall' >/dev/null
sleep 1
xdotool key Return
SaveWindow "Kelmot Uninstall" windows-uninstaller
/usr/lib/wine/wineserver64 -k
Finish
