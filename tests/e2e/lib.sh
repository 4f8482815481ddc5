# Shared by the end-to-end tests, which start the real game in a folder of its
# own on the current X display and judge it by its windows, its standard error,
# the display mode and its exit code. Source it; $game must name the program.

set -euo pipefail

sourceDir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
failures=0
gamePid=
gameFolders=()
# shellcheck disable=SC2317 # run at exit
RemoveGameFolders() {
    [[ -z "$gamePid" ]] || kill -KILL "$gamePid" 2>/dev/null || true
    rm -rf "${gameFolders[@]}"
}
trap RemoveGameFolders EXIT

Fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Ends the script: 0 when every check held.
Finish() {
    if ((failures > 0)); then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks held"
}

# A fresh folder with the game's pictures and a prefs.txt that skips the start-up
# dialog: NewGameFolder RES BPP FULLSCREEN. Leaves the shell in it.
NewGameFolder() {
    local folder
    folder=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-e2e.XXXXXX")
    gameFolders+=("$folder")
    cp -r "$sourceDir/Data" "$folder/Data"
    printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1 \
        player2controls=1 configpanel=0 "res=$1" "bpp=$2" "fullscreen=$3" >"$folder/prefs.txt"
    cd "$folder"
}

# Spoils Data/$2.bmp the way $1 says.
BreakPicture() {
    local file="Data/$2.bmp"
    case "$1" in
    missing) rm "$file" ;;
    empty) : >"$file" ;;
    # Half the file: the headers are whole, the pixel rows are not.
    truncated) head -c $(($(stat -c %s "$sourceDir/$file") / 2)) "$sourceDir/$file" >"$file" ;;
    # An information header of 108 bytes, which the reader does not take.
    unknown-header) printf '\x6c\x00\x00\x00' | dd of="$file" bs=1 seek=14 conv=notrunc status=none ;;
    esac
}

# What the game reports for a picture spoilt as $1, one line per message box.
PictureMessages() {
    case "$1" in
    missing) ;;
    empty) echo "Failed to open DIB file Data/$2.bmp." ;;
    truncated) echo "Image file conversion error." ;;
    unknown-header) echo "Unknown DIB file format." ;;
    esac
    echo "Loading Textures Failed"
}

# Starts the game with Data/$2.bmp spoilt as $1 and checks that it shows that
# picture's message boxes, then ends with 0, its options untouched.
PlayWithBrokenPicture() {
    local prefs messages
    echo "- $2.bmp $1: its message box(es), then 0"
    NewGameFolder 1 0 0
    prefs=$(cat prefs.txt)
    BreakPicture "$1" "$2"
    mapfile -t messages < <(PictureMessages "$1" "$2")
    StartGame
    # A box that does not come is a failure already; the exit code tells more.
    for _ in "${messages[@]}"; do AnswerErrorBox || break; done
    ExpectExit 0
    ExpectStandardError "${messages[@]}"
    [[ "$(cat prefs.txt)" == "$prefs" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"
}

# Runs the game in the current folder with no display at all, and checks that it
# ends with -1 (255) after the registration messages, and that nothing but the
# game wrote to its standard error (no program it would show a box with);
# standard error is left in stderr.txt for further checks.
RunWithoutDisplay() {
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY "$game" 2>stderr.txt || status=$?
    [[ $status == 255 ]] || Fail "exit code $status without a display, expected 255"
    [[ "$(grep -v -e '^kelmot: ' -e '^error: XDG_RUNTIME_DIR' stderr.txt)" == \
        $'RegisterClassEx Failed!\nError Registering Window Class!' ]] ||
        Fail "standard error holds more than the registration messages: $(cat stderr.txt)"
}

# Checks whether the running game has loaded GTK ($1 = yes or no), and with it
# the start-up dialog's module.
ExpectGtkLoaded() {
    local maps loaded=no
    maps=$(cat "/proc/$gamePid/maps" 2>/dev/null) || { Fail "the game is not running"; return 1; }
    grep -q 'libgtk-3' <<<"$maps" && grep -q 'kelmot-dialog\.so' <<<"$maps" && loaded=yes
    [[ "$loaded" == "$1" ]] || Fail "GTK and the dialog's module loaded: $loaded, expected $1"
}

# Starts the game in the current folder; its standard error goes to stderr.txt.
StartGame() {
    "$game" 2>stderr.txt &
    gamePid=$!
}

# Permission bits do not bind root, so a read-only folder or an unreadable file
# means nothing to a game run as root. As root this starts the game as the user
# nobody instead (from a copy of its own, with a home folder of its own and leave
# to use the display), after handing it the current folder; otherwise it is
# StartGame.
StartGameUnprivileged() {
    if ((EUID != 0)); then
        StartGame
        return
    fi
    if [[ -z "${unprivilegedHome:-}" ]]; then
        unprivilegedHome=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-nobody.XXXXXX")
        gameFolders+=("$unprivilegedHome")
        cp "$game" "$(dirname "$game")"/{kelmot-dialog.so,kelmot-mode-guard} "$unprivilegedHome"
        chown -R nobody:nogroup "$unprivilegedHome"
        xhost +si:localuser:nobody >/dev/null
    fi
    echo "  [ as nobody ] the game runs as user nobody (uid $(id -u nobody)), not as root"
    chown -R nobody:nogroup .
    # The sanitizer runs' preloaded helper lies in the build folder, which need
    # not be open to that user; it only matters to leak checks, which these
    # runs of the game leave out.
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -u LD_PRELOAD HOME="$unprivilegedHome" "$unprivilegedHome/kelmot" 2>stderr.txt &
    gamePid=$!
}

# The id of the top-level window titled $1, or nothing. (xdotool's name search
# misses SDL's message boxes, so the window tree is read instead.)
WindowId() {
    # A window that goes while the tree is walked makes xwininfo fail; what it
    # listed until then still counts.
    { xwininfo -root -tree 2>/dev/null || true; } |
        awk -v name="\"$1\":" '$2 == name { print $1; exit }'
}

# Waits up to 30 s for a window titled $1 to be on screen and prints its id. A
# loaded machine running Wine has taken more than 10 s to show a message box.
WaitForWindow() {
    local id
    for _ in $(seq 300); do
        id=$(WindowId "$1")
        if [[ -n "$id" ]] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s for the game window to be one other than $1 (after the game
# reopened it) and gives it the focus; sets $window.
WaitForNewWindow() {
    local id
    for _ in $(seq 100); do
        id=$(WindowId Kelmot)
        if [[ -n "$id" && "$id" != "$1" ]] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable
        then
            window=$id
            xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
            return 0
        fi
        sleep 0.1
    done
    Fail "no new game window"
    return 1
}

# The shown top-level window titled Kelmot that is a dialog, or nothing.
DialogId() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Kelmot$' 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG &&
            echo "$id" && return 0
    done
    return 0
}

# Waits up to 30 s for the dialog, gives it the focus and prints its id.
WaitForDialog() {
    local id
    for _ in $(seq 300); do
        id=$(DialogId)
        if [[ -n "$id" ]]; then
            xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    Fail "no dialog appeared"
    return 1
}

# The window that holds window $1 (the window manager's frame), or nothing.
ParentId() {
    { xwininfo -children -id "$1" 2>/dev/null || true; } | awk '/Parent window id:/ { print $4 }'
}

# Waits up to 5 s for the command $2... (a window lookup such as DialogId, or
# WindowId Error) to find nothing; fails, naming $1, if it still finds it.
ExpectGone() {
    local what=$1
    shift
    for _ in $(seq 50); do
        [[ -z "$("$@")" ]] && return 0
        sleep 0.1
    done
    Fail "$what is still there"
}

# Waits up to 5 s for the message box $1 to go, so that the next one is not
# mistaken for it. The next box may be given the same id; the window manager
# frames it anew.
WaitForBoxToGo() {
    local frame
    frame=$(ParentId "$1")
    for _ in $(seq 50); do
        xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
        [[ "$(ParentId "$1")" == "$frame" ]] || return 0
        sleep 0.1
    done
}

# Presses Return in the game's "Error" message box, once it is there, or the
# controller's button $1. The key is typed into the focused box rather than
# sent to it: a sent key's release can reach a box that is already gone.
AnswerErrorBox() {
    local box
    if ! box=$(WaitForWindow Error); then
        Fail "no message box appeared"
        return 1
    fi
    if [[ -n "${1:-}" ]]; then
        Press "$1"
    else
        xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
        xdotool key Return
    fi
    WaitForBoxToGo "$box"
}

# The colour of the text in the game's message boxes (SDL's own boxes).
boxTextColour='#D1CFCD'

# Checks that the message box $1 is on top: a screenshot of the whole screen
# shows, in the upper half of the box where its message stands, the boxes' text
# colour. (A box hidden behind the game shows none of it.) Waits up to 5 s for
# the box to draw itself.
ExpectBoxOnTop() {
    local place textPixels=0
    local -a box
    for _ in $(seq 25); do
        ReadPlace "$(WindowPlace "$1")" box
        ((${#box[@]} == 4)) || break
        place=${box[0]}x$((box[1] / 2))+${box[2]}+${box[3]}
        textPixels=$(import -window root -crop "$place" -depth 8 ppm:- 2>/dev/null |
            convert ppm:- -format %c histogram:info:- | awk -v colour="$boxTextColour" '
                index($0, colour) { print $1 + 0 }')
        ((${textPixels:-0} > 50)) && return 0
        sleep 0.2
    done
    Fail "the message box is not on top: ${textPixels:-0} pixels of its text at ${place:-?}"
}

# Answers the game's "Error" message box as a player does, with Return alone:
# nothing gives the box the focus but the window manager. Before that, checks
# that the box is on top and that its owner (WM_TRANSIENT_FOR) is the game
# window when $1 is "game", or that it has none when $1 is "none"; and, given a
# place $2 (WIDTHxHEIGHT+X+Y), that the box lies inside it, centred across it
# (a window manager may only pull a box on to the monitor, at its edge).
AnswerErrorBoxAlone() {
    local box game owner
    local -a inside shown
    if ! box=$(WaitForWindow Error); then
        Fail "no message box appeared"
        return 1
    fi
    game=$(WindowId Kelmot)
    owner=$(xprop -id "$box" WM_TRANSIENT_FOR 2>/dev/null | awk '/window id/ { print $NF }')
    if [[ "$1" == game ]]; then
        if [[ -z "$owner" || -z "$game" ]] || ((owner != game)); then
            Fail "the box's owner is ${owner:-none}, not the game window ${game:-(none found)}"
        fi
    else
        [[ -z "$owner" ]] || Fail "the box's owner is $owner; it should have none"
    fi
    ExpectBoxOnTop "$box"
    if [[ -n "${2:-}" ]]; then
        ReadPlace "$2" inside
        ReadPlace "$(WindowPlace "$box")" shown
        ((shown[2] >= inside[2] && shown[3] >= inside[3] &&
            shown[2] + shown[0] <= inside[2] + inside[0] &&
            shown[3] + shown[1] <= inside[3] + inside[1] &&
            (2 * shown[2] + shown[0] - 2 * inside[2] - inside[0]) ** 2 <= 20 ** 2)) ||
            Fail "the box stands at $(WindowPlace "$box"), not centred inside $2"
    fi
    xdotool key Return
    WaitForBoxToGo "$box"
}

# The display mode the screen runs in, as WIDTHxHEIGHT.
CurrentMode() {
    xrandr | awk '/\*/ { print $1; exit }'
}

# Each monitor (connected output) with its mode and place, one a line as
# "NAME WIDTHxHEIGHT+X+Y", or "NAME none" for one left without a mode.
Monitors() {
    xrandr | awk '$2 == "connected" {
        place = "none"
        for (i = 3; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+[0-9]+\+[0-9]+$/) { place = $i; break }
        print $1, place }'
}

# Waits up to 10 s for the monitors to run as the arguments say, one
# "NAME WIDTHxHEIGHT+X+Y" each (see Monitors).
ExpectMonitors() {
    local expected
    expected=$(printf '%s\n' "$@")
    for _ in $(seq 100); do
        [[ "$(Monitors)" == "$expected" ]] && return 0
        sleep 0.1
    done
    Fail "the monitors run as $(Monitors | paste -sd ,), expected $(paste -sd , <<<"$expected")"
}

# Reads a place WIDTHxHEIGHT+X+Y ($1) into the array named $2: width, height, x, y.
ReadPlace() {
    local -n numbers=$2
    IFS='x+' read -r -a numbers <<<"$1"
}

# The place and size of window $1 on the screen, as WIDTHxHEIGHT+X+Y; nothing
# when there is no such window (any more).
WindowPlace() {
    [[ -n "$1" ]] || return 0
    { xwininfo -id "$1" 2>/dev/null || true; } | awk '
        /Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 }
        END { if (w) printf "%dx%d+%d+%d", w, h, x, y }'
}

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

# Waits up to 5 s for the game window to stand at $1 (WIDTHxHEIGHT+X+Y). The
# window is looked for anew each time: after a toggle the one that closes can
# still be found for a moment.
ExpectWindowAt() {
    local place
    for _ in $(seq 50); do
        place=$(WindowPlace "$(WindowId Kelmot)")
        [[ "$place" == "$1" ]] && return 0
        sleep 0.1
    done
    Fail "the game window stands at ${place:-nowhere}, not at $1"
}

# Waits up to 5 s for the game window to be maximised on the monitor at $1
# (WIDTHxHEIGHT+X+Y): as wide as it, and inside it below the title bar. The
# window is looked for anew each time, as above.
ExpectWindowMaximisedOn() {
    local place
    local -a monitor shown
    ReadPlace "$1" monitor
    for _ in $(seq 50); do
        place=$(WindowPlace "$(WindowId Kelmot)")
        ReadPlace "$place" shown
        ((${#shown[@]} == 4 && shown[0] == monitor[0] && shown[2] == monitor[2] &&
            shown[3] >= monitor[3] && shown[3] + shown[1] <= monitor[3] + monitor[1])) && return 0
        sleep 0.1
    done
    Fail "the game window stands at ${place:-nowhere}, not maximised on the monitor at $1"
}

# Waits up to 10 s for the screen to run in mode $1.
ExpectMode() {
    for _ in $(seq 100); do
        [[ "$(CurrentMode)" == "$1" ]] && return 0
        sleep 0.1
    done
    Fail "the screen runs at $(CurrentMode), expected $1"
}

# Asks the game's window to close the way the desktop does (openbox's Alt+F4),
# again each second until the game has gone: a window that has only just
# appeared may not have the focus yet.
RequestClose() {
    local window
    window=$(WaitForWindow Kelmot) || { Fail "no game window to close"; return 1; }
    for _ in $(seq 10); do
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        xdotool key alt+F4
        for _ in $(seq 10); do
            kill -0 "$gamePid" 2>/dev/null || return 0
            sleep 0.1
        done
    done
}

# A key goes down and comes up. A key named padN:BUTTON is BUTTON of the
# scripted controller N (support/scripted_gamepad.h): up down left right a b y
# start back, or the left stick held at stick=X,Y; while it is down the
# controller holds that alone.
KeyDown() {
    case $1 in
    pad?:*) HoldOnPad "${1%%:*}" "${1#*:}" ;;
    *) xdotool keydown "$1" ;;
    esac
}
KeyUp() {
    case $1 in
    pad?:*) [[ ! -e "${1%%:*}" ]] || HoldOnPad "${1%%:*}" "" ;;
    *) xdotool keyup "$1" ;;
    esac
}

# The scripted controller file $1 in the game's folder, holding $2, replaced
# whole so that it is never read half written.
HoldOnPad() { echo "$2" >"$1.new" && mv "$1.new" "$1"; }
# Presses padN:BUTTON for one look of the game.
taps=0
TapPad() {
    taps=$((taps + 1))
    HoldOnPad "${1%%:*}" "tap=$taps ${1#*:}"
}

# Presses key $1 once, holding it $2 seconds; a controller's button is pressed
# for one look of the game instead, so that a busy machine can neither miss the
# press nor make it repeat.
PressKey() {
    case $1 in
    pad?:*)
        TapPad "$1"
        sleep "$2"
        ;;
    *)
        KeyDown "$1"
        sleep "$2"
        KeyUp "$1"
        ;;
    esac
}
Plug() { HoldOnPad "pad$1" ""; }
Unplug() { rm -f "pad$1"; }

# A checksum of how the start-up dialog, window $dialog, looks now, or "gone".
# A shot can fail on a busy display: it is taken again.
DialogLook() {
    local look
    xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable || { echo gone; return; }
    for _ in 1 2 3; do
        look=$(timeout 10 import -window "$dialog" -depth 8 ppm:- 2>/dev/null | md5sum)
        [[ "$look" == d41d8cd98f00b204e9800998ecf8427e* ]] || { echo "$look"; return; }
        sleep 0.2
    done
    echo gone
}

# Presses each of a controller's buttons once the start-up dialog has stood
# still (the toolkit fades its focus ring in and out), and waits for the dialog
# to look different: every button given moves the focus or changes a choice.
DialogPress() {
    local key before now changed
    for key in "$@"; do
        before=$(DialogLook)
        for _ in $(seq 30); do
            sleep 0.1
            now=$(DialogLook)
            [[ "$now" == "$before" ]] && break
            before=$now
        done
        changed=
        TapPad "$key"
        for _ in $(seq 100); do
            sleep 0.05
            [[ "$(DialogLook)" != "$before" ]] && changed=1 && break
        done
        [[ -n "$changed" ]] || { Fail "$key changed nothing in the dialog"; return 1; }
    done
}

# Presses keys one at a time, each held long enough for a busy display to see it.
Press() {
    local key
    for key in "$@"; do
        PressKey "$key" 0.1
        sleep 0.15
    done
}

# Moves the pointer to ($1, $2) in the game window's pixels, from its top left.
PointAt() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.1
}

# The pointer's button pressed and let go at ($1, $2), as a click does.
Tap() {
    PointAt "$1" "$2"
    xdotool click 1
}

# Waits up to 10 s for the game to end and checks its exit code against $1.
ExpectExit() {
    local status=0
    for _ in $(seq 100); do
        kill -0 "$gamePid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$gamePid" 2>/dev/null; then
        Fail "the game is still running; expected it to exit with $1"
        kill -KILL "$gamePid"
    fi
    wait "$gamePid" || status=$?
    [[ "$status" == "$1" ]] || Fail "exit code $status, expected $1"
}

# Checks that the game's standard error is exactly the given lines.
ExpectStandardError() {
    local expected
    expected=$(printf '%s\n' "$@")
    [[ "$(grep -v '^error: XDG_RUNTIME_DIR' stderr.txt)" == "$expected" ]] ||
        Fail "standard error was: $(cat stderr.txt)"
}
