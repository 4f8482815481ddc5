#!/usr/bin/env bash
# The real game's options and display modes as a player meets them: every
# option toggled on the option screens is kept in prefs.txt, shown again and in
# force after a restart; SIGUSR1 in the middle of a game reopens the window in
# the other mode with the game as it was.
# Usage: play_options_test.sh GAME BOARD_READER
game=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=play_lib.sh
source "$(dirname "$0")/play_lib.sh"

# The pixels that differ between the menu shots $1 and $2 in the text row
# $3 tenths of the height below the first row of an option screen (at a quarter
# of the height), that is from above its capitals to below its descenders.
RowDifference() {
    local shotHeight baseline top
    shotHeight=$(identify -format %h "$1")
    baseline=$(awk -v h="$viewHeight" -v k="$3" 'BEGIN { printf "%d", h / 4 + k * h / 10 }')
    top=$((shotHeight - viewHeight + baseline - 40))
    compare -metric AE "$1[${viewWidth}x52+0+$top]" "$2[${viewWidth}x52+0+$top]" null: 2>&1 ||
        true
}

# The screens' value rows, by where they stand: name:screen:row.
readonly valueRows=(whofirst:multiplayer:0 player1xoro:multiplayer:1.5
    player1controls:multiplayer:3 player2controls:multiplayer:4.5 configpanel:global:1.5
    gofirst:ai:0 xoro:ai:1.5 controls:ai:3)

# Goes through the three option screens from the main menu's first row and
# keeps each with "Done" highlighted, as $1-SCREEN.ppm; with $2 = toggle it then
# toggles every value and keeps the screen again, as toggled-SCREEN.ppm. "Done"
# saves each screen; the main menu is left on its "AI Options" row.
VisitOptionScreens() {
    MenuPress Down Down Return # "Multiplayer Options"
    MenuPress Down Down Down Down
    cp menu.ppm "$1-multiplayer.ppm"
    if [[ "${2:-}" == toggle ]]; then
        MenuPress Up Up Up Up Return Down Return Down Return Down Return Down
        cp menu.ppm toggled-multiplayer.ppm
    fi
    MenuPress Return Down Return # "Done", then "Global Options"
    MenuPress Down
    cp menu.ppm "$1-global.ppm"
    if [[ "${2:-}" == toggle ]]; then
        MenuPress Up Return Down
        cp menu.ppm toggled-global.ppm
    fi
    MenuPress Return Down Return # "Done", then "AI Options"
    MenuPress Down Down Down
    cp menu.ppm "$1-ai.ppm"
    if [[ "${2:-}" == toggle ]]; then
        MenuPress Up Up Up Return Down Return Down Return Down
        cp menu.ppm toggled-ai.ppm
    fi
    MenuPress Return
}

WindowedViewport
PrepareKeyboard

echo "- every option toggled, \"Done\": prefs.txt holds them"
NewGameFolder 1 0 0
StartGame
FocusGame
MenuSettled
VisitOptionScreens default toggle
expected=$(printf '%s\n' gofirst=0 xoro=0 controls=0 whofirst=1 player1xoro=0 player1controls=0 \
    player2controls=0 configpanel=1 res=1 bpp=0 fullscreen=0)
for _ in $(seq 20); do
    [[ "$(cat prefs.txt)" == "$expected" ]] && break
    sleep 0.1
done
[[ "$(cat prefs.txt)" == "$expected" ]] || Fail "prefs.txt holds: $(cat prefs.txt)"
RequestClose
ExpectExit 0
ExpectStandardError

echo "- restarted: the start-up dialog is back, the screens show the toggled values"
StartGame
WaitForDialog >/dev/null
Press Return
FocusGame
MenuSettled
[[ "$(cat prefs.txt)" == "$expected" ]] || Fail "prefs.txt after the dialog holds: $(cat prefs.txt)"
VisitOptionScreens restarted
for row in "${valueRows[@]}"; do
    IFS=: read -r name screen k <<<"$row"
    kept=$(RowDifference "toggled-$screen.ppm" "restarted-$screen.ppm" "$k")
    changed=$(RowDifference "default-$screen.ppm" "toggled-$screen.ppm" "$k")
    [[ "$kept" == 0 ]] || Fail "$name's row differs after the restart: $kept"
    [[ "$changed" =~ ^[0-9]+$ ]] && ((changed > 100)) ||
        Fail "$name's row shows no toggle: $changed pixels changed"
done

echo "- and in force: the computer opens with X's, the player plays O's on the keypad"
MenuPress Up Up Up Up
EnterGame # "New Game VS. Computer"
opened=
for _ in $(seq 30); do
    ReadScreen && [[ "$board" =~ ^\.*X\.*$ ]] && opened=$board && break
    sleep 0.5
done
if [[ -z "$opened" ]]; then
    Fail "the computer did not open the game with an X: ${readout:-nothing}"
else
    cell=$(TieMove "$(tr XO OX <<<"$opened")")
    Press "${keypad[cell]}"
    # The computer answers with its second X. A press that no frame saw is
    # pressed again.
    for attempt in $(seq 30); do
        ((attempt % 10 == 0)) && [[ "$board" == "$opened" ]] && Press "${keypad[cell]}"
        ReadScreen && [[ "${board:cell:1}" == O && "$board" =~ ^[^X]*X[^X]*X[^X]*$ ]] && break
        sleep 0.25
    done
    [[ "${board:cell:1}" == O && "$board" =~ ^[^X]*X[^X]*X[^X]*$ ]] ||
        Fail "no O in cell $cell and answer after $opened: $readout"
fi

echo "- two players: Player2 opens with X's on the keypad, Player1 answers with O's on it"
BackToMenu
MenuPress Down
EnterGame # "New Two Player Game"
WaitForBoard "........."
PressForBoard "${keypad[6]}" "......X.."
PressForBoard "${keypad[2]}" "..O...X.."
RequestClose
ExpectExit 0
ExpectStandardError

echo "- SIGUSR1 in a full-screen game: a window with the game as it was, and back"
NewGameFolder 0 1 1
sed -i 's/^controls=1/controls=0/' prefs.txt
viewWidth=1280
viewHeight=1024
StartGame
FocusGame
[[ "$(xprop -id "$window" _NET_WM_STATE)" == *FULLSCREEN* ]] || Fail "the game is not full screen"
MenuSettled
EnterGame
WaitForBoard "........."
PlayX "$board" "$(TieMove "$board")"
PlayX "$board" "$(TieMove "$board")"
position=$board

kill -USR1 "$gamePid"
WaitForNewWindow "$window"
[[ "$(xprop -id "$window" _NET_WM_STATE)" != *FULLSCREEN* ]] || Fail "the window is still full screen"
WaitForBoard "$position"
# The game goes on.
PlayX "$position" "$(TieMove "$position")"
position=$board
kill -USR1 "$gamePid"
WaitForNewWindow "$window"
[[ "$(xprop -id "$window" _NET_WM_STATE)" == *FULLSCREEN* ]] || Fail "the game is not full screen again"
WaitForBoard "$position"
RequestClose
ExpectExit 0
ExpectStandardError

echo "- SIGUSR1 in a windowed game where the screen has no such mode: the message, the game kept"
NewGameFolder 1 0 0
sed -i 's/^controls=1/controls=0/' prefs.txt
WindowedViewport
StartGame
FocusGame
MenuSettled
EnterGame
WaitForBoard "........."
PlayX "........." 4
position=$board
kill -USR1 "$gamePid"
AnswerErrorBox
WaitForNewWindow "$window"
[[ "$(xprop -id "$window" _NET_WM_STATE)" != *FULLSCREEN* ]] || Fail "the window is full screen"
WaitForBoard "$position"
PlayX "$position" "$(TieMove "$position")"
RequestClose
ExpectExit 0
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."

Finish
