#!/usr/bin/env bash
# Full screen for real, on an X server whose screen can change size (1280x1024
# normally, also 1024x768, 800x600 and 640x480): the game changes the display
# mode, and every way out of full screen gives the desktop its mode back; its
# message boxes come up over the full-screen game and are answered with Return
# alone. Then with two monitors, the primary right of, left of or below the
# other: the game opens on the primary and changes only its mode, and every
# monitor gets its own mode back.
# Usage: display_mode_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

readonly desktopMode=1280x1024

[[ "$(CurrentMode)" == "$desktopMode" ]] || Fail "the server did not start at $desktopMode"

echo "- full screen at 800x600, then a close request"
NewGameFolder 2 1 1
StartGame
ExpectMode 800x600
RequestClose
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError

echo "- full screen at 640x480, then SIGTERM"
NewGameFolder 3 0 1
StartGame
ExpectMode 640x480
kill -TERM "$gamePid"
ExpectExit 0
ExpectMode $desktopMode

echo "- full screen at 1024x768 with a missing picture: a box of its own on top"
NewGameFolder 1 0 1
rm Data/blue.bmp
StartGame
ExpectMode 1024x768
AnswerErrorBoxAlone none
ExpectExit 0
ExpectMode $desktopMode
ExpectStandardError "Loading Textures Failed"

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

# Chooses "Exit", the sixth and last entry of the main menu. Down does not
# wrap, so a few more presses than needed leave it there even if a busy
# machine draws no frame while one of them is down.
ChooseExit() {
    local window key
    window=$(WaitForWindow Kelmot) || { Fail "no game window"; return 1; }
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    for key in Down Down Down Down Down Down Down Down Return; do
        xdotool keydown "$key"
        sleep 0.25
        xdotool keyup "$key"
        sleep 0.1
    done
}

# Waits up to 5 s for the game window to stand at $1 (WIDTHxHEIGHT+X+Y).
ExpectWindowAt() {
    local window
    window=$(WaitForWindow Kelmot) || { Fail "no game window"; return 1; }
    for _ in $(seq 50); do
        [[ "$(WindowPlace "$window")" == "$1" ]] && return 0
        sleep 0.1
    done
    Fail "the game window stands at $(WindowPlace "$window"), not at $1"
}

# Waits up to 5 s for the game window to be maximised on the monitor at $1
# (WIDTHxHEIGHT+X+Y): as wide as it, and inside it below the title bar.
ExpectWindowMaximisedOn() {
    local window place
    local -a monitor shown
    window=$(WaitForWindow Kelmot) || { Fail "no game window"; return 1; }
    ReadPlace "$1" monitor
    for _ in $(seq 50); do
        place=$(WindowPlace "$window")
        ReadPlace "$place" shown
        ((${#shown[@]} == 4 && shown[0] == monitor[0] && shown[2] == monitor[2] &&
            shown[3] >= monitor[3] && shown[3] + shown[1] <= monitor[3] + monitor[1])) && return 0
        sleep 0.1
    done
    Fail "the game window stands at $place, not maximised on the monitor at $1"
}

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

Finish
