#!/usr/bin/env bash
# The Windows program under Wine played by pointing with the mouse alone,
# through xdotool, as the Linux game is (tests/e2e/pointer_play.sh).
# Usage: pointer_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES
exe=$(realpath "$1")
reader=$(realpath "$3")
prefixes=$4
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=../e2e/pointer_play.sh
source "$(dirname "$0")/../e2e/pointer_play.sh"

WindowedViewport
NewGameFolder 1 0 0
sed -i 's/^player1controls=1/player1controls=0/' prefs.txt
StartGame
FocusGame
PlayByPointing
ExpectStandardError

Finish
