#!/usr/bin/env bash
# The Windows program's first run, under Wine: without prefs.txt the default
# file is written and the start-up dialog comes up; Escape leaves it there; the
# choices made on it with the keyboard and OK are saved and used; "Exit" on the
# main menu ends the game with 0, and the next start shows the dialog again; on
# a screen at 150 % the game asks Windows for the screen's real pixels, the
# dialog keeps its proportions, its banner grown with it, and the window leaves
# the desktop's panels rows grown with the scale too.
# Usage: first_run_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES
exe=$(realpath "$1")
postMessage=$(realpath "$2")
reader=$(realpath "$3")
prefixes=$4
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

defaults=(gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1
    player2controls=1 configpanel=1 res=1 bpp=0 fullscreen=1)

echo "- no prefs.txt: the default file, then the dialog"
# At 100 %, whatever an earlier run left in the prefix.
SetScreenDpi 96
NewGameFolder 1 0 0
rm prefs.txt
StartGame
dialog=$(WaitForDialog) || Finish
ExpectWrittenPrefs "${defaults[@]}"
dialogWidth=$(xdotool getwindowgeometry "$dialog" | awk '/Geometry:/ { sub(/x.*/, "", $2); print $2 }')
bannerShare=$(BannerShare "$dialog")

echo "- Escape leaves the dialog up"
Press Escape
sleep 1
[[ "$(DialogId)" == "$dialog" ]] || Fail "the dialog went away on Escape"

echo "- the keyboard's choices: 800x600, 32 bit, no full screen; OK saves them"
# The keys start on the checked size; an arrow moves within a group and checks
# the button it reaches, Tab goes on to the next group and to the check box.
Press Right Tab Right Tab Tab space Return
FocusGame
# Windowed, res keeps its value whatever size is checked.
ExpectWrittenPrefs gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=1 res=1 bpp=1 fullscreen=0
[[ -z "$(DialogId)" ]] || Fail "the dialog is still up"
[[ "$(xprop -id "$window" _NET_WM_STATE)" != *FULLSCREEN* ]] || Fail "the game is full screen"
[[ "$(xprop -id "$window" _NET_WM_STATE)" == *MAXIMIZED* ]] || Fail "the window is not maximised"
WindowedViewport
MenuSettled

echo "- \"Exit\" on the main menu ends the game with 0"
MenuPress Down Down Down Down Down
Press Return
ExpectExit 0
ExpectStandardError

echo "- the next start shows the dialog again; OK keeps the file"
saved=$(cat prefs.txt)
StartGame
WaitForDialog >/dev/null || Finish
Press Return
FocusGame
[[ "$(cat prefs.txt)" == "$saved" ]] || Fail "prefs.txt changed: $(WrittenPrefs)"
RequestClose
ExpectExit 0
ExpectStandardError

echo "- at 150 %: real pixels asked for, the banner grown with the dialog, more rows for the panels"
SetScreenDpi 144
StartGameTraced trace+graphics,+loaddll
dialog=$(WaitForDialog) || Finish
# Wine does not scale a program that does not ask for real pixels, so what can
# be seen here is that the program file asks for them when Windows loads it.
awareness=$(DeclaredDpiAwareness)
[[ "$awareness" == "PerMonitorV2, PerMonitor" ]] ||
    Fail "the program asks for DPI awareness \"$awareness\", expected \"PerMonitorV2, PerMonitor\""
# Wine lays the dialog out at the larger font; its banner must fill its place
# as at 100 %.
scaledWidth=$(xdotool getwindowgeometry "$dialog" | awk '/Geometry:/ { sub(/x.*/, "", $2); print $2 }')
((scaledWidth * 10 >= dialogWidth * 14)) ||
    Fail "the dialog did not grow at 150 %: $dialogWidth, then $scaledWidth pixels wide"
scaledShare=$(BannerShare "$dialog")
echo "  the banner takes $bannerShare/1000 of the dialog's width at 100 %, $scaledShare/1000 at 150 %"
((scaledShare >= bannerShare - 20 && scaledShare <= bannerShare + 20)) ||
    Fail "the banner takes $scaledShare/1000 of the dialog's width at 150 %, $bannerShare/1000 at 100 %"
Press Return
FocusGame
# Windowed, as chosen before: the game draws in the screen less 84 rows, the 56
# of 100 % at 150 %, anchored at the bottom of the window.
WindowedViewport 144
MenuSettled
EnterGame
WaitForBoard "........."
RequestClose
ExpectExit 0
SetScreenDpi 96

Finish
