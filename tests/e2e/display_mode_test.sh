#!/usr/bin/env bash
# Full screen for real, on an X server whose screen can change size (1280x1024
# normally, also 1024x768, 800x600 and 640x480): the game changes the display
# mode, and every way out of full screen gives the desktop its mode back; its
# message boxes come up over the full-screen game and are answered with Return
# alone. Then with two monitors, the primary right of, left of or below the
# other: the game opens on the primary and changes only its mode, and every
# monitor gets its own mode back. Last, what the player changes while the game
# runs stays theirs: the game gives back only the mode it set, and only while
# the monitor still runs it, and finds the primary where it is at each switch;
# a monitor turned off is left off, and the game's own turned off ends its full
# screen with the message. And a window leaves a taskbar its rows.
# Usage: display_mode_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

readonly desktopMode=1280x1024

[[ "$(CurrentMode)" == "$desktopMode" ]] || Fail "the server did not start at $desktopMode"

# The mode guard the game started (its child of that name), or nothing.
ModeGuard() { pgrep -P "$gamePid" -f '^kelmot-mode-guard ' || true; }

# Waits up to 10 s for the process $1 to end.
ExpectEnded() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    Fail "process $1 ($2) still runs"
}

echo "- full screen at 800x600, then a close request: the mode guard ends with the game"
NewGameFolder 2 1 1
StartGame
ExpectMode 800x600
guard=$(ModeGuard)
[[ -n "$guard" ]] || Fail "no mode guard runs beside the full-screen game"
RequestClose
ExpectExit 0
[[ -z "$guard" ]] || ! kill -0 "$guard" 2>/dev/null || Fail "the mode guard outlived the game"
ExpectMode $desktopMode
ExpectStandardError

echo "- SIGKILL at each full-screen size: the mode guard gives the mode back"
for size in 1:1024x768 2:800x600 3:640x480; do
    NewGameFolder "${size%%:*}" 0 1
    StartGame
    ExpectMode "${size#*:}"
    guard=$(ModeGuard)
    kill -KILL "$gamePid"
    ExpectExit 137
    ExpectMode $desktopMode
    ExpectEnded "${guard:-0}" "the mode guard"
done

echo "- an interlaced 1024x768 at a higher field rate beside the progressive one: never chosen"
xrandr --newmode kelmot-interlaced 44.90 1024 1032 1208 1264 768 768 776 817 \
    +hsync +vsync interlace
xrandr --addmode DUMMY0 kelmot-interlaced
NewGameFolder 1 0 1
StartGame
ExpectMode 1024x768
kill -TERM "$gamePid"
ExpectExit 0
ExpectMode $desktopMode
xrandr --delmode DUMMY0 kelmot-interlaced
xrandr --rmmode kelmot-interlaced

echo "- windowed again, then SIGKILL: the mode the player set meanwhile stays"
NewGameFolder 2 0 1
StartGame
ExpectMode 800x600
guard=$(ModeGuard)
kill -USR1 "$gamePid"
ExpectMode $desktopMode
WaitForWindow Kelmot >/dev/null || Fail "no window after the toggle"
xrandr --output DUMMY0 --mode 1024x768
kill -KILL "$gamePid"
ExpectExit 137
ExpectEnded "${guard:-0}" "the mode guard"
[[ "$(CurrentMode)" == 1024x768 ]] || Fail "the player's 1024x768 became $(CurrentMode)"
xrandr --output DUMMY0 --mode $desktopMode

echo "- full screen at 640x480, then SIGTERM"
NewGameFolder 3 0 1
StartGame
ExpectMode 640x480
kill -TERM "$gamePid"
ExpectExit 0
ExpectMode $desktopMode

echo "- full screen at 640x480 with a missing picture: a box of its own on top, over the picture"
NewGameFolder 3 0 1
rm Data/blue.bmp
StartGame
ExpectMode 640x480
AnswerErrorBoxAlone none 640x480+0+0
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError "Loading Textures Failed"

# Starts the game as a terminal starts a command: in a process group of its
# own, which Ctrl+C signals whole, with SIGINT taken as it comes (this script
# runs in the background, so it and its children would ignore it).
StartGameAsJob() {
    set -m
    env --default-signal=INT "$game" 2>stderr.txt &
    gamePid=$!
    set +m
}

echo "- Ctrl+C with a message box up: the box and the game end, the mode is back"
NewGameFolder 1 0 1
BreakPicture unknown-header pointer
prefs=$(cat prefs.txt)
StartGameAsJob
WaitForWindow Error >/dev/null || Fail "no message box appeared"
ExpectMode 1024x768
kill -INT -- "-$gamePid"
ExpectExit 0
ExpectGone "a message box" WindowId Error
ExpectMode $desktopMode
[[ "$(cat prefs.txt)" == "$prefs" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"
ExpectStandardError "Unknown DIB file format." "Loading Textures Failed"

echo "- SIGHUP with the unowned box up: the box and the game end, the mode is back"
NewGameFolder 2 0 1
rm Data/blue.bmp
StartGame
WaitForWindow Error >/dev/null || Fail "no message box appeared"
kill -HUP "$gamePid"
ExpectExit 0
ExpectGone "a message box" WindowId Error
ExpectMode $desktopMode

echo "- Ctrl+C with the start-up dialog up: the game ends, its options as they were"
NewGameFolder 2 0 1
sed -i 's/^configpanel=0$/configpanel=1/' prefs.txt
prefs=$(cat prefs.txt)
StartGameAsJob
WaitForDialog >/dev/null
kill -INT -- "-$gamePid"
ExpectExit 0
[[ "$(cat prefs.txt)" == "$prefs" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"
[[ "$(CurrentMode)" == "$desktopMode" ]] || Fail "the mode changed to $(CurrentMode)"

echo "- SIGUSR1 toggles between full screen and a window, and back"
NewGameFolder 2 0 1
StartGame
ExpectMode 800x600
kill -USR1 "$gamePid"
ExpectMode $desktopMode
WaitForWindow Kelmot >/dev/null || Fail "no window after the toggle"
kill -USR1 "$gamePid"
ExpectMode 800x600
kill -TERM "$gamePid"
ExpectExit 0
ExpectMode $desktopMode

echo "- a size the screen does not offer: the message, then a window"
NewGameFolder 9 0 1
StartGame
AnswerErrorBox
WaitForWindow Kelmot >/dev/null || Fail "no game window after the fallback"
[[ "$(CurrentMode)" == "$desktopMode" ]] || Fail "the mode changed to $(CurrentMode)"
RequestClose
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

# Two monitors: the second output, 1024x768, at $1 and the primary, 1280x1024,
# at $2 (each as XxY). Sets $primary and $desktop for the checks.
TwoMonitors() {
    xrandr --output DUMMY1 --mode 1024x768 --pos "$1" \
        --output DUMMY0 --primary --mode 1280x1024 --pos "$2"
    primary=1280x1024+${2/x/+}
    desktop=("DUMMY0 $primary" "DUMMY1 1024x768+${1/x/+}")
    ExpectMonitors "${desktop[@]}"
}

# The primary monitor's place with the mode $1 instead of its own.
InMode() { echo "$1+${primary#*+}"; }

# The dummy driver's second output has no mode until it is given one.
xrandr --addmode DUMMY1 1024x768

echo "- two monitors, the primary right of the other"
TwoMonitors 0x0 1024x0
echo "  - windowed: maximised on the primary; a close request ends it"
NewGameFolder 1 0 0
StartGame
ExpectWindowMaximisedOn "$primary"
RequestClose
ExpectExit 0
ExpectMonitors "${desktop[@]}"
echo "  - full screen at 800x600 on the primary only, then \"Exit\""
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
ExpectWindowAt "$(InMode 800x600)"
ChooseExit
ExpectExit 0
ExpectMonitors "${desktop[@]}"
ExpectStandardError
echo "  - minimised in full screen: every monitor in its own mode until restored"
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
xdotool windowminimize "$(WaitForWindow Kelmot)"
ExpectMonitors "${desktop[@]}"
xdotool windowactivate "$(WindowId Kelmot)"
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
ExpectWindowAt "$(InMode 800x600)"
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "${desktop[@]}"
echo "  - full screen at 1024x768 with a broken picture: each box on top, owned as its report says"
NewGameFolder 1 0 1
BreakPicture unknown-header pointer
StartGame
ExpectMonitors "DUMMY0 $(InMode 1024x768)" "${desktop[1]}"
AnswerErrorBoxAlone game
AnswerErrorBoxAlone none
ExpectExit 0
ExpectMonitors "${desktop[@]}"
ExpectStandardError "Unknown DIB file format." "Loading Textures Failed"

echo "- two monitors, the primary left of the other"
TwoMonitors 1280x0 0x0
echo "  - full screen at 1024x768, SIGUSR1 to a window on the primary, then a close request"
NewGameFolder 1 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 1024x768)" "${desktop[1]}"
ExpectWindowAt "$(InMode 1024x768)"
kill -USR1 "$gamePid"
ExpectMonitors "${desktop[@]}"
ExpectWindowMaximisedOn "$primary"
RequestClose
ExpectExit 0
ExpectMonitors "${desktop[@]}"

echo "- two monitors, the primary below the other"
TwoMonitors 0x0 0x768
echo "  - windowed: maximised on the primary; SIGTERM ends it"
NewGameFolder 1 0 0
StartGame
ExpectWindowMaximisedOn "$primary"
kill -TERM "$gamePid"
ExpectExit 0
echo "  - full screen at 1024x768, the other monitor's size, then SIGTERM"
NewGameFolder 1 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 1024x768)" "${desktop[1]}"
ExpectWindowAt "$(InMode 1024x768)"
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "${desktop[@]}"
ExpectStandardError

# The X screen's size, as WIDTHxHEIGHT.
ScreenSize() {
    xrandr | awk '/^Screen 0:/ { sub(",", "", $10); print $8 "x" $10; exit }'
}

echo "- a monitor switched on during a full-screen game keeps its mode at exit"
xrandr --output DUMMY1 --off --output DUMMY0 --primary --mode 1024x768 --pos 0x0
ExpectMonitors "DUMMY0 1024x768+0+0" "DUMMY1 none"
echo "  - full screen at 1280x1024: the screen grows by what the primary needs"
NewGameFolder 0 0 1
StartGame
ExpectMonitors "DUMMY0 1280x1024+0+0" "DUMMY1 none"
ExpectWindowAt 1280x1024+0+0
xrandr --output DUMMY1 --mode 1024x768 --pos 1280x0
ExpectMonitors "DUMMY0 1280x1024+0+0" "DUMMY1 1024x768+1280+0"
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "DUMMY0 1024x768+0+0" "DUMMY1 1024x768+1280+0"
[[ "$(ScreenSize)" == 2304x768 ]] || Fail "the screen is $(ScreenSize), not 2304x768"

echo "  - full screen at 1280x1024, then SIGKILL: the guard shrinks the screen again too"
xrandr --output DUMMY1 --off
ExpectMonitors "DUMMY0 1024x768+0+0" "DUMMY1 none"
NewGameFolder 0 0 1
StartGame
ExpectMonitors "DUMMY0 1280x1024+0+0" "DUMMY1 none"
kill -KILL "$gamePid"
ExpectExit 137
ExpectMonitors "DUMMY0 1024x768+0+0" "DUMMY1 none"
[[ "$(ScreenSize)" == 1024x768 ]] || Fail "the screen is $(ScreenSize), not 1024x768"

echo "- a mode the player sets while the game is minimised is theirs at exit"
xrandr --output DUMMY1 --off --output DUMMY0 --mode 1280x1024
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 800x600+0+0" "DUMMY1 none"
xdotool windowminimize "$(WaitForWindow Kelmot)"
ExpectMonitors "DUMMY0 1280x1024+0+0" "DUMMY1 none"
xrandr --output DUMMY0 --mode 1024x768
xdotool windowactivate "$(WindowId Kelmot)"
ExpectMonitors "DUMMY0 800x600+0+0" "DUMMY1 none"
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "DUMMY0 1024x768+0+0" "DUMMY1 none"
xrandr --output DUMMY0 --mode 1280x1024

echo "- the monitor given its own mode back under the full-screen game: the message, then a window"
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 800x600+0+0" "DUMMY1 none"
xrandr --output DUMMY0 --mode 1280x1024
AnswerErrorBox
ExpectWindowMaximisedOn 1280x1024+0+0
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "DUMMY0 1280x1024+0+0" "DUMMY1 none"
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

echo "- SIGTERM while the desktop keeps the full-screen window at another size: ends at once"
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 800x600+0+0" "DUMMY1 none"
ExpectWindowAt 800x600+0+0
xrandr --output DUMMY0 --mode 1280x1024
ExpectWindowAt 1280x1024+0+0
kill -TERM "$gamePid"
ExpectExit 0
# A loop that stood waiting for the window to be placed would take the signal
# only after finding the switch refused, and say so.
ExpectStandardError

echo "- monitors swapped while the game runs windowed: full screen on the primary where it is now"
TwoMonitors 0x0 1024x0
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
kill -USR1 "$gamePid"
ExpectMonitors "${desktop[@]}"
WaitForWindow Kelmot >/dev/null || Fail "no window after the toggle"
TwoMonitors 1280x0 0x0
kill -USR1 "$gamePid"
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
ExpectWindowAt "$(InMode 800x600)"
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "${desktop[@]}"
ExpectStandardError

echo "- a monitor switched on beside the full-screen game, then \"Exit\": the primary's mode is back"
xrandr --output DUMMY1 --off --output DUMMY0 --primary --mode 1280x1024 --pos 0x0
ExpectMonitors "DUMMY0 1280x1024+0+0" "DUMMY1 none"
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 800x600+0+0" "DUMMY1 none"
xrandr --output DUMMY1 --mode 1024x768 --right-of DUMMY0
ExpectMonitors "DUMMY0 800x600+0+0" "DUMMY1 1024x768+800+0"
ChooseExit
ExpectExit 0
ExpectMonitors "DUMMY0 1280x1024+0+0" "DUMMY1 1024x768+800+0"

echo "- the primary moved during the full-screen game: its mode is back where the player put it"
TwoMonitors 0x0 1024x0
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
xrandr --output DUMMY0 --pos 0x768
ExpectMonitors "DUMMY0 800x600+0+768" "${desktop[1]}"
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "DUMMY0 1280x1024+0+768" "${desktop[1]}"


echo "- the other monitor turned off during the full-screen game, then \"Exit\""
TwoMonitors 1280x0 0x0
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
xrandr --output DUMMY1 --off
ChooseExit
ExpectExit 0
ExpectMonitors "${desktop[0]}" "DUMMY1 none"

echo "- the primary turned off during the full-screen game: the message, a window, the monitors left so"
TwoMonitors 0x0 1024x0
NewGameFolder 2 0 1
StartGame
ExpectMonitors "DUMMY0 $(InMode 800x600)" "${desktop[1]}"
xrandr --output DUMMY0 --off
AnswerErrorBox
kill -TERM "$gamePid"
ExpectExit 0
ExpectMonitors "DUMMY0 none" "${desktop[1]}"
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."


# Runs the command given with an 80-row taskbar along the bottom of a
# 1280x1024 screen: any window that reserves those rows stands for one.
WithTaskbar() {
    xlogo -geometry 1280x80+0+944 2>/dev/null &
    taskbarPid=$!
    taskbar=$(WaitForWindow xlogo) || Fail "no taskbar window"
    xprop -id "$taskbar" -f _NET_WM_STRUT 32c -set _NET_WM_STRUT "0, 0, 0, 80"
    "$@"
}

# Checks that the game window, maximised above the taskbar of WithTaskbar, keeps
# its lowest row above it once restored by a double click on its title bar, and
# ends the taskbar.
ExpectRestoredAboveTaskbar() {
    local maximised restored
    local -a shown
    ExpectWindowMaximisedOn 1280x944+0+0
    maximised=$(WindowPlace "$(WindowId Kelmot)")
    ReadPlace "$maximised" shown
    xdotool mousemove $((shown[2] + shown[0] / 2)) $((shown[3] - 8)) click --repeat 2 --delay 80 1
    for _ in $(seq 50); do
        restored=$(WindowPlace "$(WindowId Kelmot)")
        [[ "$restored" != "$maximised" ]] && break
        sleep 0.1
    done
    ReadPlace "$restored" shown
    [[ "$restored" != "$maximised" ]] && ((shown[3] + shown[1] <= 944)) ||
        Fail "the restored window stands at $restored, reaching into the taskbar's rows"
    kill "$taskbarPid"
}

echo "- windowed beside an 80-row taskbar: restored, the window keeps its lowest row above it"
xrandr --output DUMMY1 --off --output DUMMY0 --primary --mode 1280x1024 --pos 0x0
NewGameFolder 1 0 0
WithTaskbar StartGame
ExpectRestoredAboveTaskbar
RequestClose
ExpectExit 0

Finish
