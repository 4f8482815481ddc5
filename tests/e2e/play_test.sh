#!/usr/bin/env bash
# The real game played as a player plays it, in a window, with typed keys, and
# judged by what it shows: games against the computer to a tie, a loss and a
# win, a minimised game that draws nothing and goes on when restored, a
# two-player game with the keypad against the arrow keys, and "Exit".
# Usage: play_test.sh GAME BOARD_READER
game=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=play_lib.sh
source "$(dirname "$0")/play_lib.sh"

# Three ways to play X against the computer, each a move for board $1:
# TieMove (play_lib.sh), LossMove and WinMove. The computer answers the first
# move at random and every later one by its fixed rules; these were chosen so
# that, whatever the random answer, the first always ends in a tie, the second
# always in a loss, and the third wins unless the computer happens to answer in
# the centre.

# Play to lose: the centre first, then the lowest free cell that neither blocks
# the computer nor completes a line of our own.
LossMove() {
    local taboo cell
    [[ "$1" == "........." ]] && { echo 4; return; }
    taboo=$( (Completing "$1" X; Completing "$1" O) | sort -u)
    for cell in 0 1 2 3 4 5 6 7 8; do
        [[ "${1:cell:1}" == . ]] && ! grep -qx "$cell" <<<"$taboo" && { echo "$cell"; return; }
    done
    for cell in 0 1 2 3 4 5 6 7 8; do [[ "${1:cell:1}" == . ]] && { echo "$cell"; return; }; done
}

readonly winOrder=(0 2 6 8 4 1 3 5 7)

# The free cells of board $1 where an X makes two lines of two X's at once.
Forks() {
    local cell
    for cell in "${winOrder[@]}"; do
        [[ "${1:cell:1}" == . ]] || continue
        (($(Completing "$(Put "$1" "$cell" X)" X | wc -l) >= 2)) && echo "$cell"
    done
    return 0
}

# Play to win: a corner first; then win, block, fork, or make a line of two
# whose forced block leaves us a fork; else make a line of two; else the first
# free cell, corners first.
WinMove() {
    local wins blocks forks cell next threats
    [[ "$1" == "........." ]] && { echo 0; return; }
    wins=$(Completing "$1" X)
    [[ -n "$wins" ]] && { head -n 1 <<<"$wins"; return; }
    blocks=$(Completing "$1" O)
    [[ -n "$blocks" ]] && { head -n 1 <<<"$blocks"; return; }
    forks=$(Forks "$1")
    [[ -n "$forks" ]] && { head -n 1 <<<"$forks"; return; }
    for cell in "${winOrder[@]}"; do
        [[ "${1:cell:1}" == . ]] || continue
        next=$(Put "$1" "$cell" X)
        threats=$(Completing "$next" X)
        [[ -n "$threats" && $(wc -l <<<"$threats") == 1 ]] || continue
        next=$(Put "$next" "$threats" O)
        [[ -z "$(Completing "$next" O)" && -n "$(Forks "$next")" ]] && { echo "$cell"; return; }
    done
    for cell in "${winOrder[@]}"; do
        [[ "${1:cell:1}" == . && -n "$(Completing "$(Put "$1" "$cell" X)" X)" ]] &&
            { echo "$cell"; return; }
    done
    for cell in "${winOrder[@]}"; do [[ "${1:cell:1}" == . ]] && { echo "$cell"; return; }; done
}

PrepareKeyboard
WindowedViewport
NewGameFolder 1 0 0
# The player moves first with X's on the keypad; in two-player games Player1
# has the X's on the keypad and Player2 the arrow keys.
sed -i -e 's/^controls=1/controls=0/' -e 's/^player1controls=1/player1controls=0/' prefs.txt
prefsBefore=$(cat prefs.txt)
StartGame
FocusGame
MenuSettled

echo "- against the computer: careful play ends in a tie"
EnterGame # "New Game VS. Computer"
WaitForBoard "........." && ExpectResult none
PlayComputerGame TieMove
[[ "$outcome" == tie ]] || Fail "careful play ended in a $outcome"

echo "- R starts again; leaving the computer a line loses"
PressForBoard r "........."
PlayComputerGame LossMove
[[ "$outcome" == loss ]] || Fail "play to lose ended in a $outcome"

echo "- playing to win wins within six games"
won=0
for attempt in 1 2 3 4 5 6; do
    PressForBoard r "........." || break
    PlayComputerGame WinMove || break
    [[ "$outcome" == win ]] && won=$attempt && break
done
((won > 0)) || Fail "no win in six games"

echo "- minimised, the game draws nothing; restored, it goes on"
PressForBoard r "........."
PlayX "........." 4
position=$board
clockTicks=$(getconf CLK_TCK)
start=$(ProcessorTicks "$gamePid")
sleep 2
shown=$(($(ProcessorTicks "$gamePid") - start))
xdotool windowminimize "$window"
for _ in $(seq 50); do
    [[ "$(xprop -id "$window" WM_STATE 2>/dev/null)" == *Iconic* ]] && break
    sleep 0.1
done
[[ "$(xprop -id "$window" WM_STATE)" == *Iconic* ]] || Fail "the window did not minimise"
sleep 0.5
start=$(ProcessorTicks "$gamePid")
sleep 2
hidden=$(($(ProcessorTicks "$gamePid") - start))
echo "  processor time over 2 s: $shown ticks shown, $hidden minimised ($clockTicks a second)"
# A tenth of the time is far more than waiting for events takes, and far less
# than drawing frames does.
((hidden * 10 <= clockTicks * 2)) || Fail "minimised, the game used $hidden ticks in 2 s"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowmap --sync "$window"
WaitForBoard "$position"
PlayX "$position" "$(TieMove "$position")"

echo "- two players: the keypad against the arrow keys"
BackToMenu
MenuPress Down
EnterGame # "New Two Player Game"
WaitForBoard "........."
# Player1 (X's, keypad) to move: the arrow keys do nothing, and neither does
# keypad 8 with Shift, which is Up even with Num Lock on; keypad 7 takes the top
# left cell.
PressLong Left
PressLong shift+KP_Up
ExpectBoardStays "........."
PressForBoard "${keypad[0]}" "X........"
# Player2 (O's, arrow keys): the cursor shows where the game put it, on the top
# middle cell, untouched by Player1's Left; the keypad does nothing.
[[ "$cursor" == 1 ]] || Fail "Player2's cursor is on cell $cursor, not the top middle: $readout"
PressLong "${keypad[5]}"
ExpectBoardStays "X........"
PressForCursor Down 4
PressForBoard Return "X...O...."
PressForBoard "${keypad[8]}" "X...O...X"
PressForCursor Up 1
PressForBoard Return "XO..O...X"
# A taken cell is refused, and Player1 is still to move.
PressLong "${keypad[1]}"
ExpectBoardStays "XO..O...X"
PressForBoard "${keypad[5]}" "XO..OX..X"
# Player2 completes the middle column.
PressForCursor Down 4
PressForCursor Down 7
PressForBoard Return "XO..OX.OX"
ExpectResult player
[[ "$line" == 4 ]] || Fail "the middle column is not drawn as the winning line: $readout"
# The game is over: no more marks.
PressLong "${keypad[2]}"
ExpectBoardStays "XO..OX.OX"

echo "- \"Exit\" on the main menu ends the game with 0"
BackToMenu
# The menu opens on the row that started the game, "New Two Player Game".
MenuPress Down Down Down Down
Press Return
ExpectExit 0
ExpectStandardError
[[ "$(cat prefs.txt)" == "$prefsBefore" ]] || Fail "prefs.txt changed: $(cat prefs.txt)"

Finish
