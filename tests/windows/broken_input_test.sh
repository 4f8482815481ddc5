#!/usr/bin/env bash
# The Windows program given broken input, under Wine: a missing, an empty and a
# cut-short picture each give their message boxes, then "Loading Textures
# Failed", and the game ends with 0; a malformed prefs.txt is replaced by the
# default file, silently; on a machine without any font the player is told
# once, and the game goes on without text.
# Usage: broken_input_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES
exe=$(realpath "$1")
postMessage=$(realpath "$2")
reader=$(realpath "$3")
prefixes=$4
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

PlayWithBrokenPicture missing stars
PlayWithBrokenPicture empty screen
PlayWithBrokenPicture truncated pointer
PlayWithBrokenPicture unknown-header blue

echo "- a malformed prefs.txt: the default file, so the dialog; OK, and the game goes on"
NewGameFolder 1 0 0
printf 'gofirst=0\nxoro=oops\n' >prefs.txt
StartGame
WaitForDialog >/dev/null || Finish
ExpectWrittenPrefs gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=1 res=1 bpp=0 fullscreen=1
Press Return
# The default 1024x768 is not a mode of this screen.
AnswerErrorBox
FocusGame
RequestClose
ExpectExit 0
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

echo "- no font at all: told once, and the game goes on without text"
NewGameFolder 1 0 0
# A machine whose fontconfig knows no face, and a Wine prefix made anew on it
# (Wine keeps in its registry the faces it ever found), so that Wine has no
# face of its own to stand in either.
export WINEPREFIX=$WINEPREFIX-no-fonts KELMOT_WINE_TEMPLATE=
export FONTCONFIG_FILE=$WINEPREFIX.fonts.conf
/usr/lib/wine/wineserver64 -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' "$PWD" \
    >"$FONTCONFIG_FILE"
"$wine" cmd /c exit 0 >/dev/null 2>&1 || Fail "Wine does not start without fonts"
StartGame
AnswerErrorBox
FocusGame
WindowedViewport
MenuSettled
# The highlighted menu row is the only yellow there is.
yellow=$(convert menu.ppm -fuzz 10% -fill black +opaque yellow -format '%[fx:mean > 0]' info:)
[[ "$yellow" == 0 ]] || Fail "the menu shows text"
RequestClose
ExpectExit 0
ExpectStandardError 'Font "Times New Roman" bold could not be made; text will not be shown.'
/usr/lib/wine/wineserver64 -k 2>/dev/null || true
unset FONTCONFIG_FILE KELMOT_WINE_TEMPLATE
WINEPREFIX=${WINEPREFIX%-no-fonts}

Finish
