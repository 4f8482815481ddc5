#!/usr/bin/env bash
# The Windows program given broken input, under Wine: a missing, an empty and a
# cut-short picture each give their message boxes, then "Loading Textures
# Failed", and the game ends with 0; a malformed prefs.txt is replaced by the
# default file, silently.
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

Finish
