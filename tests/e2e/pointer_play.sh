# The game played by pointing alone, shared by each system's pointer test:
# source it after the system's lib.sh and play_lib.sh, whose PointAt and Tap it
# points with. PlayByPointing plays from the main menu of a game just started
# with NewGameFolder's options and Player1 on the keypad, to "Exit".

# prefs.txt as the game keeps it, with LF line ends; a system may say otherwise.
declare -F SavedPrefs >/dev/null || SavedPrefs() { tr -d '\r' <prefs.txt; }

# Waits for the menu screen to differ from menu.ppm, then to stand still (a
# tapped row's highlight walks there a row a frame); fails with $1 if it never
# differs.
MenuChanged() {
    for _ in $(seq 40); do
        sleep 0.1
        Shoot menu-now.ppm || break
        cmp -s menu.ppm menu-now.ppm || { MenuSettled; return; }
    done
    Fail "$1"
}

# Taps row $2 of menu screen $1: for taps that change the screen.
MenuTap() {
    TapRow "$1" "$2"
    MenuChanged "a tap on row $2 of the $1 screen changed nothing"
}

# PlayX plays its cells by clicking on them.
PlayCell() { TapCell "$1"; }

# Taps cell $1 and waits for the board to read $2.
TapForBoard() {
    TapCell "$1"
    WaitForBoard "$2"
}

# Waits a second and checks that the screen still shows the cursor on cell $1
# and the board $2: the pointer or a key that must do nothing.
ExpectCursorStays() {
    sleep 1
    ReadScreen || { Fail "the screen cannot be read: $readout"; return 1; }
    [[ "$cursor" == "$1" && "$board" == "$2" ]] ||
        Fail "the cursor is on $cursor and the board $board, not $1 and $2: $readout"
}

# Waits up to 8 s for the cursor to stand on cell $1.
WaitForCursor() {
    for _ in $(seq 20); do
        ReadScreen && [[ "$cursor" == "$1" ]] && return 0
        sleep 0.4
    done
    Fail "the cursor is on ${cursor:-nothing}, not on cell $1: ${readout:-}"
}

PlayByPointing() {
    local expected last
    expected=$(SavedPrefs | sed 's/^configpanel=0/configpanel=1/')
    MenuSettled
    # The pointer comes into the window where there is nothing to point at.
    PointAt 4 4

    echo "- menus: a row pointed at is highlighted, a tapped one chosen; \"Done\" saves"
    PointAtRow main 3
    MenuChanged "pointing at \"Global Options\" highlights nothing"
    MenuTap main 3   # "Global Options"
    MenuTap global 0 # "Show Configuration Panel At Start: FALSE" becomes TRUE
    MenuTap global 1 # "Done"
    for _ in $(seq 20); do
        [[ "$(SavedPrefs)" == "$expected" ]] && break
        sleep 0.1
    done
    [[ "$(SavedPrefs)" == "$expected" ]] || Fail "prefs.txt holds: $(SavedPrefs)"

    echo "- a pointer at rest leaves the keys alone"
    # Back on the main menu on "Global Options", the pointer resting where
    # "Done" was; Up moves the highlight, and it stays where Up put it.
    MenuPress Up
    MenuSettled keyed.ppm
    sleep 1
    MenuSettled
    cmp -s keyed.ppm menu.ppm || Fail "the highlight moved with no key and the pointer at rest"

    echo "- against the computer, by clicks: a move and the computer's answer"
    TapRow main 0 # "New Game VS. Computer"
    WaitForBoard "........."
    PlayX "........." 4

    echo "- the hint's halves: R starts again, ESC goes back to the menu"
    TapHint 0
    WaitForBoard "........."
    PointAtCell 8
    WaitForCursor 8
    Press Left
    ExpectCursorStays 7 "........."
    TapHint 1
    MenuSettled
    ReadScreen 2>/dev/null && Fail "the game screen still shows after ESC's half"

    echo "- two players by taps on every cell: Player1 on the keypad, Player2 on the arrow keys"
    TapRow main 1 # "New Two Player Game"
    WaitForBoard "........."
    # Player1's turn: no cursor shows, and pointing at a cell moves none.
    PointAtCell 8
    ExpectCursorStays -1 "........."
    TapForBoard 5 ".....X..."
    # Player2's cursor stands where the game put it, untouched.
    [[ "$cursor" == 1 ]] || Fail "Player2's cursor is on cell $cursor, not the top middle: $readout"
    PointAtCell 8
    WaitForCursor 8
    TapForBoard 3 "...O.X..."
    # A taken cell is refused and holds up no later tap.
    TapCell 3
    ExpectCursorStays -1 "...O.X..."
    TapForBoard 6 "...O.XX.."
    TapForBoard 4 "...OOXX.."
    TapForBoard 0 "X..OOXX.."
    TapForBoard 7 "X..OOXXO."
    TapForBoard 2 "X.XOOXXO."
    TapForBoard 8 "X.XOOXXOO"
    # The last cell completes Player1's top row.
    TapForBoard 1 "XXXOOXXOO"
    ExpectResult player
    [[ "$line" == 0 ]] || Fail "the top row is not drawn as the winning line: $readout"
    # The game is over: the pointer moves no cursor.
    last=$cursor
    PointAtCell $(((last + 4) % 9))
    ExpectCursorStays "$last" "$board"

    echo "- \"Exit\" ends the game with 0"
    TapHint 1
    MenuSettled
    TapRow main 5
    ExpectExit 0
}
