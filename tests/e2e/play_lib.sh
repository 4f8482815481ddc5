# Shared by the end-to-end tests that play the real game: keys typed as a
# player types them, and the board read back from screenshots of the window.
# Source it after lib.sh; $reader must name the board reader (board_reader.cpp)
# and $window the game window once it is found.

# Replaces lib.sh's Press with a longer hold: each key stays down long enough for
# the game to draw a frame meanwhile (a key pressed and released between two
# frames would go unseen), one after the other. Frames are slow under a software renderer on a busy machine, and the
# first frame of a new sight slower still, so where a press must not be lost
# the helpers below hold the key until its effect shows, or press again where
# that is safe.
Press() {
    local key
    for key in "$@"; do
        PressKey "$key" 0.25
        sleep 0.1
    done
}

# The keypad keys of the cells 0-8, by their keys without Num Lock; with Num Lock
# on they type the digits 7 8 9 / 4 5 6 / 1 2 3, as the board is laid out.
keypad=(KP_Home KP_Up KP_Prior KP_Left KP_Begin KP_Right KP_End KP_Down KP_Next)

# Sets up the display's keyboard before the game starts. The keypad types digits
# only while Num Lock is on; the game reads the lock when its window gets the
# focus. (The test displays have auto-repeat off.)
PrepareKeyboard() {
    [[ "$(xset q)" =~ Num\ Lock:\ *on ]] || xdotool key Num_Lock
    [[ "$(xset q)" =~ Num\ Lock:\ *on ]] || Fail "Num Lock does not go on"
}

# Saves the game window as the PPM picture $1. A game that has ended where it
# should not ends the test at once. (Without a window to save, import would wait
# for a click; the time limit ends that.)
Shoot() {
    if ! kill -0 "$gamePid" 2>/dev/null; then
        Fail "the game has ended unexpectedly"
        Finish
    fi
    timeout 20 import -window "$window" -depth 8 "ppm:$1" 2>/dev/null
}

# The size the game draws at in a window: the screen less the rows of the
# desktop's panels, 56 at 96 dots per inch and in proportion at the screen's
# DPI $1 (96 when not given).
WindowedViewport() {
    local size dpi=${1:-96}
    size=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
    viewWidth=${size%x*}
    viewHeight=$((${size#*x} - (56 * dpi + 48) / 96))
}

# Finds the game window, gives it the focus and sets $window.
FocusGame() {
    window=$(WaitForWindow Kelmot) || { Fail "no game window"; return 1; }
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
}

# Holds key $1 for most of a second: for a key that must do nothing, so that
# frames surely see it doing nothing.
PressLong() {
    KeyDown "$1"
    sleep 0.8
    KeyUp "$1"
    sleep 0.1
}

# Waits for a menu screen to stand still (two shots alike in a row) and keeps
# it as menu.ppm, or as $1 when given.
MenuSettled() {
    local keep=${1:-menu.ppm}
    Shoot "$keep" || { Fail "no menu to shoot"; return 1; }
    for _ in $(seq 20); do
        sleep 0.3
        Shoot menu-again.ppm || { Fail "no menu to shoot"; return 1; }
        cmp -s "$keep" menu-again.ppm && { [[ "$keep" == menu.ppm ]] || cp "$keep" menu.ppm; return 0; }
        mv menu-again.ppm "$keep"
    done
    Fail "the menu does not stand still"
    return 1
}

# Holds key $1 down until the screen differs from menu.ppm; 1 if it never does.
HoldUntilChanged() {
    local changed=
    KeyDown "$1"
    for _ in $(seq 40); do
        sleep 0.1
        Shoot menu-now.ppm || break
        cmp -s menu.ppm menu-now.ppm || { changed=1; break; }
    done
    KeyUp "$1"
    # Every shot is one whole frame, and the menu frame after a key shows all
    # that the key did.
    mv -f menu-now.ppm menu.ppm 2>/dev/null || true
    [[ -n "$changed" ]] || { Fail "$1 changed nothing on the menu screen"; return 1; }
}

# Presses each key on a menu screen, holding it down until the screen changes
# (every key pressed here moves the highlight, toggles a value or opens another
# screen). Starts from menu.ppm as MenuSettled or the last press left it, and
# leaves the new screen there.
MenuPress() {
    local key
    for key in "$@"; do HoldUntilChanged "$key" || return 1; done
}

# Starts the game of the highlighted main-menu row with Enter.
EnterGame() {
    HoldUntilChanged Return
}

# ESC (or key $1) from a game, pressed again until the main menu stands still
# (ESC does nothing there).
BackToMenu() {
    # A look that found no menu yet is no failure when a later one does.
    local failed=$failures
    for _ in 1 2 3; do
        Press "${1:-Escape}"
        MenuSettled 2>/dev/null && { failures=$failed; return 0; }
    done
    failures=$failed
    Fail "ESC did not lead back to the menu"
    return 1
}

# Reads the game screen from $1 shots (default 1) of the window, 0.6 s apart,
# into $board, $line, $cursor and $result (see board_reader.cpp); $readout keeps all of
# it for messages. 1 when the screen cannot be read.
ReadScreen() {
    local count=${1:-1} shots=() i
    for ((i = 1; i <= count; i++)); do
        ((i == 1)) || sleep 0.6
        Shoot "shot$i.ppm" || return 1
        shots+=("shot$i.ppm")
    done
    readout=$("$reader" "$viewWidth" "$viewHeight" "${shots[@]}" 2>&1) || return 1
    board=$(awk '$1 == "board" { print $2 }' <<<"$readout")
    line=$(awk '$1 == "line" { print $2 }' <<<"$readout")
    cursor=$(awk '$1 == "cursor" { print $2 }' <<<"$readout")
    result=$(awk '$1 == "result" { print $2 }' <<<"$readout")
    cells=$(awk '$1 == "cells" { $1 = ""; print }' <<<"$readout")
    hint=$(awk '$1 == "hint" { $1 = ""; print }' <<<"$readout")
    readout=$(tr '\n' ' ' <<<"$readout")
}

# The point of the window the last ReadScreen found cell $1 at, as "X Y".
CellPlace() {
    local places
    read -r -a places <<<"$cells"
    tr , ' ' <<<"${places[$1]}"
}

# The pointer over cell $1, or a click on it.
PointAtCell() { PointAt $(CellPlace "$1"); }
TapCell() { Tap $(CellPlace "$1"); }

# A click on the first ($1 = 0, "1) Press 'R' to Reset") or second half (1,
# "2) Press ESC to Exit to Menu") of the game's key hint, where the last
# ReadScreen found it.
TapHint() {
    local places
    read -r -a places <<<"$hint"
    Tap $(tr , ' ' <<<"${places[$1]}")
}

# A point on the first letters of row $2 of the menu screen $1 (main, ai,
# multiplayer or global), in the window of menu.ppm, as "X Y". A screen's rows
# start at x = W / d, their baselines at y = H / base + k H / 10 from the top of
# the game's drawing, which stands at the window's bottom ($viewTop rows from
# its top, where a system says so).
RowPlace() {
    local layout top=${viewTop:-}
    case "$1" in
    main) layout="4.5 3.3:-0.5 3:1 2.9:2.5 2.6:4 2.35:5.5 2.1:7" ;;
    ai) layout="4 3.7:0 2.8:1.5 3.7:3 2.05:4.5" ;;
    multiplayer) layout="4 4.1:0 2.8:1.5 4.2:3 5:4.5 2.05:6" ;;
    global) layout="4 5.5:1.5 2.05:3" ;;
    esac
    [[ -n "$top" ]] || top=$(($(identify -format %h menu.ppm) - viewHeight))
    awk -v layout="$layout" -v row="$2" -v w="$viewWidth" -v h="$viewHeight" -v top="$top" 'BEGIN {
        split(layout, f, " "); split(f[row + 2], d, ":")
        printf "%d %d", w / d[1] + 15, top + h / f[1] + d[2] * h / 10 - 10 }'
}

PointAtRow() { PointAt $(RowPlace "$1" "$2"); }
TapRow() { Tap $(RowPlace "$1" "$2"); }

# Waits up to 15 s for the board to read as $1.
WaitForBoard() {
    for _ in $(seq 30); do
        ReadScreen && [[ "$board" == "$1" ]] && return 0
        sleep 0.5
    done
    Fail "the board never read $1; last seen: ${readout:-nothing}"
    return 1
}

# Presses key $1 until ReadScreen's variable $2 holds $3: again when a press went
# unseen. $4 says what the variable is, for the failure message. Only for keys
# that do nothing once their effect is there.
PressUntil() {
    for _ in 1 2 3; do
        Press "$1"
        for _ in $(seq 8); do
            ReadScreen && [[ "${!2}" == "$3" ]] && return 0
            sleep 0.2
        done
    done
    Fail "after $1 $4 ${!2:-nothing}, not $3: ${readout:-}"
    return 1
}

# Presses key $1 until the board reads $2.
PressForBoard() { PressUntil "$1" board "$2" "the board reads"; }

# Presses arrow key $1 until the cursor stands on cell $2.
PressForCursor() { PressUntil "$1" cursor "$2" "the cursor is on cell"; }

# Checks that the board still reads $1 a second later: a key that must do nothing.
ExpectBoardStays() {
    sleep 1
    ReadScreen || { Fail "the screen cannot be read: $readout"; return 1; }
    [[ "$board" == "$1" ]] || Fail "the board changed from $1 to $board"
}

# The board $1 with mark $3 in cell $2.
Put() {
    echo "${1:0:$2}$3${1:$2+1}"
}

readonly lines=("0 1 2" "3 4 5" "6 7 8" "0 3 6" "1 4 7" "2 5 8" "0 4 8" "2 4 6")

# The lowest-numbered line of board $1 that holds three $2 marks, or -1.
FullLine() {
    local index a b c
    for index in "${!lines[@]}"; do
        read -r a b c <<<"${lines[index]}"
        [[ "${1:a:1}${1:b:1}${1:c:1}" == "$2$2$2" ]] && echo "$index" && return 0
    done
    echo -1
}

# For each line of board $1 with two $2 marks and an empty cell, that cell, in
# the order of the lines (a cell may come more than once).
Completing() {
    local a b c cells
    for cells in "${lines[@]}"; do
        read -r a b c <<<"$cells"
        case "${1:a:1}${1:b:1}${1:c:1}" in
        "$2$2.") echo "$c" ;;
        "$2.$2") echo "$b" ;;
        ".$2$2") echo "$a" ;;
        esac
    done
}

# What the game announces for board $1, by the reader's names: win (a line of
# X's, the player's), loss (a line of O's), tie (full), or none.
Outcome() {
    if [[ "$(FullLine "$1" X)" != -1 ]]; then
        echo win
    elif [[ "$(FullLine "$1" O)" != -1 ]]; then
        echo loss
    elif [[ "$1" != *.* ]]; then
        echo tie
    else
        echo none
    fi
}

# The line the game draws for board $1: the winner's lowest-numbered, or -1.
ExpectedLine() {
    local own
    own=$(FullLine "$1" X)
    [[ "$own" != -1 ]] && echo "$own" || FullLine "$1" O
}

# Checks the finished game on screen: the outcome text $1, read from three
# shots, and the line drawn through the board as it reads.
ExpectResult() {
    ReadScreen 3 || { Fail "the screen cannot be read: $readout"; return 1; }
    [[ "$result" == "$1" ]] || Fail "the game shows the outcome \"$result\", expected $1: $readout"
    [[ "$line" == "$(ExpectedLine "$board")" ]] ||
        Fail "the line drawn is $line, expected $(ExpectedLine "$board"): $readout"
}

# Careful play for X against the computer's O's that never wins: block the
# computer's lines, never complete a line of our own, prefer the centre, then
# the corners, then the edges.
TieMove() {
    local blocks own cell
    blocks=$(Completing "$1" O)
    [[ -n "$blocks" ]] && { head -n 1 <<<"$blocks"; return; }
    own=$(Completing "$1" X)
    for cell in 4 0 2 6 8 1 3 5 7; do
        [[ "${1:cell:1}" == . ]] && ! grep -qx "$cell" <<<"$own" && { echo "$cell"; return; }
    done
    for cell in 4 0 2 6 8 1 3 5 7; do [[ "${1:cell:1}" == . ]] && { echo "$cell"; return; }; done
}

# How PlayX plays a cell: its keypad key, unless a test plays otherwise.
PlayCell() { Press "${keypad[$1]}"; }

# Plays our X in cell $2 of board $1 with PlayCell and waits for the screen to
# show it and the computer's answer (one more O), or just it when it ended the
# game. Sets $board.
PlayX() {
    local before=$1 mine expected cell attempt
    mine=$(Put "$1" "$2" X)
    PlayCell "$2"
    for attempt in $(seq 40); do
        # A press that no frame saw is pressed again; a seen one would have
        # shown by now.
        ((attempt % 10 == 0)) && [[ "$board" == "$before" ]] && PlayCell "$2"
        if ReadScreen && [[ "$board" != *\?* && "$board" != "$before" ]]; then
            if [[ "$board" == "$mine" ]]; then
                [[ "$(Outcome "$mine")" != none ]] && return 0
            else
                for cell in 0 1 2 3 4 5 6 7 8; do
                    expected=$(Put "$mine" "$cell" O)
                    [[ "${mine:cell:1}" == . && "$board" == "$expected" ]] && return 0
                done
                Fail "after X in cell $2 of $before the board reads $board"
                return 1
            fi
        fi
        sleep 0.25
    done
    Fail "no answer to X in cell $2 of $before; last seen: ${readout:-nothing}"
    return 1
}

# The process's processor time so far, in clock ticks.
ProcessorTicks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# Plays one game against the computer from an empty board with the moves of
# policy $1, then checks what the screen announces. Sets $outcome.
PlayComputerGame() {
    outcome=
    while [[ "$(Outcome "$board")" == none ]]; do
        PlayX "$board" "$("$1" "$board")" || return 1
    done
    outcome=$(Outcome "$board")
    ExpectResult "$outcome"
    echo "  $1: $outcome, board $board"
}

# Puts our mark in cell $1 with controller 1: its D-pad takes the cursor there
# a cell at a time, and A places the mark.
PadPlayCell() {
    ReadScreen || return 1
    for _ in 1 2 3 4 5; do
        if ((cursor / 3 > $1 / 3)); then
            PressForCursor pad1:up $((cursor - 3))
        elif ((cursor / 3 < $1 / 3)); then
            PressForCursor pad1:down $((cursor + 3))
        elif ((cursor > $1)); then
            PressForCursor pad1:left $((cursor - 1))
        elif ((cursor < $1)); then
            PressForCursor pad1:right $((cursor + 1))
        else
            Press pad1:a
            return 0
        fi || return 1
    done
}

# Puts another program's window (xlogo) in front of the game, then holds the
# controller's button $1; BackInFront gives the game the focus again and closes
# the other program. The browser's tests put another tab in front instead.
AwayHolding() {
    local other
    xlogo 2>/dev/null &
    otherPid=$!
    other=$(WaitForWindow xlogo) || { Fail "the other program's window did not appear"; return 1; }
    xdotool windowactivate --sync "$other"
    sleep 0.5
    KeyDown "$1"
    sleep 0.5
}
BackInFront() {
    FocusGame
    kill "$otherPid"
    wait "$otherPid" 2>/dev/null || true
}

# From the main menu as the game opens, with controller 1 plugged in: B held in
# another program's window is no press as the game comes back in front (the
# game against the computer stays); let go and pressed again, it leaves the game.
PadHeldFromBehind() {
    echo "- B held while another program is in front is no press as the game comes back"
    MenuSettled
    HoldUntilChanged pad1:a
    WaitForBoard "........." || return 1
    AwayHolding pad1:b || return 1
    BackInFront
    ExpectBoardStays "........."
    # Let go long enough for the game to see it, then pressed again.
    KeyUp pad1:b
    sleep 0.5
    BackToMenu pad1:b
}

# The game played with nothing but controllers, from the main menu as the game
# opens, with controller 1 plugged in and the arrow keys' scheme in force.
PlayWithGamepads() {
    local shown=
    echo "- A starts a game against the computer; the D-pad and A play two moves"
    PlayCell() { PadPlayCell "$1"; }
    MenuSettled
    HoldUntilChanged pad1:a
    WaitForBoard "........." && ExpectResult none
    # The centre, down from the top middle; then careful play's next move,
    # wherever the computer's answer leaves it.
    PlayX "$board" 4
    PlayX "$board" "$(TieMove "$board")"

    echo "- Y starts again; the left stick moves the cursor only past half its travel"
    PressForBoard pad1:y "........."
    [[ "$cursor" == 1 ]] || Fail "the cursor starts on cell $cursor, not the top middle: $readout"
    PressLong pad1:stick=0,40
    ReadScreen && [[ "$cursor" == 1 ]] || Fail "the stick at 40 % moved the cursor: $readout"
    PressForCursor pad1:stick=0,100 4

    echo "- a controller unplugged while it holds Down leaves no key down"
    KeyDown pad1:down
    for _ in $(seq 40); do
        ReadScreen && [[ "$cursor" == 7 ]] && shown=1 && break
        sleep 0.1
    done
    [[ -n "$shown" ]] || Fail "Down held did not take the cursor to the bottom: $readout"
    Unplug 1
    # Up takes the cursor up; a Down still down would take it back at once.
    PressForCursor Up 4
    sleep 1
    ReadScreen && [[ "$cursor" == 4 ]] || Fail "the cursor went back down: $readout"

    echo "- controllers plugged in while the game runs act at once, beside each other"
    Plug 2
    PlayCell() { Press pad2:a; }
    PlayX "........." 4
    Plug 1
    PressForBoard pad1:y "........."

    echo "- B goes back to the menu; the stick held down and right runs down it to \"Exit\"; A ends the game with 0"
    BackToMenu pad1:b
    # Five rows down: held well past the half second and four repeats, as the
    # highlight stops at "Exit" however long the stick is held.
    KeyDown pad1:stick=100,100
    sleep 4
    KeyUp pad1:stick=100,100
    MenuSettled
    Press pad1:a
    ExpectExit 0
}
