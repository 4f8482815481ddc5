#!/usr/bin/env bash
# Full screen on a Wayland desktop through Xwayland, on one 1280x1024 monitor
# (see tests/display/with_wayland_desktop.sh). Xwayland only pretends to change
# the mode, for the game, and marks the game's window with the part of the
# monitor the mode shows; GNOME's compositor scales a window so marked to fill
# the monitor, KDE's leaves it at the monitor's size. So on GNOME every size
# is full screen, the window at the mode's size and marked; on KDE only the
# monitor's own size is, and every other size gets the message and a window,
# never a picture in a corner of a full-screen window.
# Usage: desktop_mode_test.sh GAME gnome|kde
game=$(realpath "$1")
desktop=$2
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

readonly wholeMonitor=1280x1024+0+0

# The compositor's mark on window $1 as WIDTHxHEIGHT+X+Y, or nothing.
Mark() {
    { xprop -id "$1" _XWAYLAND_RANDR_EMU_MONITOR_RECTS 2>/dev/null || true; } |
        awk -F ' = ' 'NF == 2 { split($2, r, ", "); printf "%dx%d+%d+%d", r[3], r[4], r[1], r[2] }'
}

# The share, in per cent, of window $1's pixels that are black: none of the
# menu's picture is, while a picture drawn in a corner leaves the rest so.
BlackShare() {
    import -window "$1" -depth 8 ppm:- 2>/dev/null |
        convert ppm:- -fill white +opaque black -fill black -opaque black -negate \
            -format '%[fx:int(100 * mean)]' info:
}

# Checks that the game is full screen at $1 (WIDTHxHEIGHT) over the monitor:
# its window at the monitor's corner in that size, marked for the compositor
# to scale it to the monitor unless it is the monitor's own size, and filled
# by its picture once it has drawn one.
ExpectFullScreen() {
    local window mark share wanted=$1+0+0
    [[ "$wanted" != "$wholeMonitor" ]] || wanted=
    ExpectWindowAt "$1+0+0"
    for _ in $(seq 10); do
        window=$(WindowId Kelmot)
        mark=$(Mark "$window")
        share=$(BlackShare "$window" || true)
        [[ "$mark" == "$wanted" ]] && ((${share:-100} == 0)) && return 0
        sleep 0.2
    done
    [[ "$mark" == "$wanted" ]] || Fail "the window is marked ${mark:-not at all}, not ${wanted:-at all}"
    ((${share:-100} == 0)) || Fail "${share:-all}% of the full-screen window is black"
}

# Waits up to 5 s for the game's window to be unmarked (the one closing after a
# toggle may still be found for a moment).
ExpectUnmarked() {
    local mark
    for _ in $(seq 50); do
        mark=$(Mark "$(WindowId Kelmot)")
        [[ -z "$mark" ]] && return 0
        sleep 0.1
    done
    Fail "the window is still marked $mark"
}

# Checks that the game plays in a window, maximised and unmarked.
ExpectWindowed() {
    ExpectWindowMaximisedOn "$wholeMonitor"
    ExpectUnmarked
}

# The full-screen sizes, by res; those that fill the monitor on this desktop;
# the res of the one the toggles are tried at.
sizes=(1280x1024 1024x768 800x600 640x480)
case $desktop in
gnome) fills=("${sizes[@]}") toggleRes=2 ;;
kde) fills=(1280x1024) toggleRes=0 ;;
esac

for res in 0 1 2 3; do
    size=${sizes[res]}
    NewGameFolder "$res" 0 1
    StartGame
    if [[ " ${fills[*]} " == *" $size "* ]]; then
        echo "- full screen at $size fills the monitor"
        ExpectFullScreen "$size"
        kill -TERM "$gamePid"
        ExpectExit 0
        ExpectStandardError
    else
        echo "- full screen at $size: the message, then a window"
        AnswerErrorBox
        ExpectWindowed
        kill -TERM "$gamePid"
        ExpectExit 0
        ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."
    fi
    ExpectMonitors "XWAYLAND0 $wholeMonitor"
done

size=${sizes[toggleRes]}
echo "- full screen at $size, minimised and back, SIGUSR1 to a window and back, then \"Exit\""
NewGameFolder "$toggleRes" 0 1
StartGame
ExpectFullScreen "$size"
xdotool windowminimize --sync "$(WaitForWindow Kelmot)" || Fail "the window was not minimised"
# Minimised, the game gives the mode back: Xwayland takes the mark away.
ExpectUnmarked
xdotool windowactivate --sync "$(WindowId Kelmot)" 2>/dev/null || true
ExpectFullScreen "$size"
kill -USR1 "$gamePid"
ExpectWindowed
kill -USR1 "$gamePid"
ExpectFullScreen "$size"
ChooseExit
ExpectExit 0
ExpectStandardError
ExpectMonitors "XWAYLAND0 $wholeMonitor"

Finish
