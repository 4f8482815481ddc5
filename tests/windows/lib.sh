# Shared by the Windows program's end-to-end tests: the Linux tests' helpers
# (tests/e2e/lib.sh and play_lib.sh), with the game started under Wine in a Wine
# prefix of the script's own. Source it with $exe naming kelmot.exe and
# $prefixes the build's folder of Wine prefixes.

windowsDir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../e2e/lib.sh
source "$windowsDir/../e2e/lib.sh"
# shellcheck source=../e2e/play_lib.sh
source "$windowsDir/../e2e/play_lib.sh"

readonly wine=$windowsDir/wine.sh
export WINEPREFIX=$prefixes/$(basename "$0" .sh)

# Stops whatever still runs in the script's prefix, then removes the game's
# folders.
EndWine() {
    /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    RemoveGameFolders
}
trap EndWine EXIT

# Makes the prefix now, so that the first start of the game is not slowed by it.
"$wine" cmd /c exit 0 >/dev/null 2>&1 || { echo "error: Wine does not start" >&2; exit 1; }

StartGame() {
    "$wine" "$exe" 2>stderr.txt &
    gamePid=$!
}

# The start-up dialog: a window of the game with no title (it has no caption).
DialogId() {
    local id
    for id in $(xdotool search --onlyvisible --class '^kelmot\.exe$' 2>/dev/null); do
        [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "" ]] && echo "$id" && return 0
    done
    return 0
}

# The value of the Windows environment variable $1, and the Windows path $1 as a
# path of this machine.
WindowsVariable() { "$wine" cmd /c echo "%$1%" | tr -d '\r'; }
HostPath() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

# Posts message $1 (with WPARAM $2 and LPARAM $3, where given) to the game
# window (class "OpenGL", title "Kelmot") from a
# program of its own in the same prefix.
PostToGame() {
    "$wine" "$postMessage" OpenGL Kelmot "$@"
}

# Windows' keyboard is read through Wine from the X server's: Num Lock on, as
# the keypad play needs.
PrepareKeyboard

# prefs.txt as the game wrote it: in text mode, so on Windows every line ends in
# CR LF. Prints it with LF line ends; fails the check when a line does not end
# in CR LF.
WrittenPrefs() {
    local text
    text=$(cat prefs.txt 2>&1)
    if [[ -n "$text" ]] && grep -qv $'\r$' <<<"$text"; then
        Fail "prefs.txt has lines without CR LF: $(od -c prefs.txt | head -n 3)"
    fi
    tr -d '\r' <<<"$text"
}

# Waits up to 5 s for prefs.txt, as the game wrote it, to hold the lines given.
ExpectWrittenPrefs() {
    local expected
    expected=$(printf '%s\n' "$@")
    for _ in $(seq 50); do
        [[ "$(tr -d '\r' <prefs.txt 2>/dev/null)" == "$expected" ]] && break
        sleep 0.1
    done
    [[ "$(WrittenPrefs)" == "$expected" ]] || Fail "prefs.txt holds: $(WrittenPrefs)"
}

# The game's standard error, exactly the lines given. A Windows program writes
# its line breaks as CR LF.
ExpectStandardError() {
    local expected
    expected=$(printf '%s\n' "$@")
    [[ "$(tr -d '\r' <stderr.txt)" == "$expected" ]] || Fail "standard error was: $(cat stderr.txt)"
}

# The dots per inch Windows reports for the screen (its scale: 96 is 100 %, 144
# is 150 %), as Wine takes it from the prefix's registry when a program starts.
SetScreenDpi() {
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1 || Fail "the screen's DPI could not be set to $1"
}

# Starts the game as StartGame does, with Wine's own trace of the channels $1
# in stderr.txt beside the game's lines.
StartGameTraced() {
    WINEDEBUG=$1 /usr/lib/wine/wine64 "$exe" 2>stderr.txt &
    gamePid=$!
}

# The DPI awareness that Wine's loader took from kelmot.exe's manifest as the
# game started, from a trace of the channels loaddll and graphics: what it says
# for the thread that loaded the program. Nothing when the program declares none.
DeclaredDpiAwareness() {
    local thread
    thread=$(awk -F: '/:trace:loaddll:.* Loaded L".*\\kelmot\.exe"/ { print $1; exit }' stderr.txt)
    [[ -n "$thread" ]] || return 0
    sed -n "s/^$thread:trace:graphics:dpiaware_init got dpiAwareness=L\"\(.*\)\"\r*$/\1/p" stderr.txt
}

# How much of the start-up dialog's width (window $1) its banner's blue takes,
# in thousandths.
BannerShare() {
    import -window "$1" dialog.png 2>/dev/null || { Fail "the dialog could not be shot"; return 1; }
    convert dialog.png -fx '(b - r > 0.3) ? 1 : 0' -trim -format '%[fx:round(1000 * w / page.width)]' \
        info: 2>/dev/null
}

# Whether the screen shows the text of the window $1 where that window is: a
# light face with some dark writing on it, as a message box has, rather than
# whatever would be above it.
ShowsText() {
    local geometry dark
    geometry=$(xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { printf "%dx%d+%d+%d", w, h, x, y }')
    import -window root screen.png 2>/dev/null || return 1
    # The share of dark pixels there, in thousandths.
    dark=$(convert screen.png -crop "$geometry" +repage -colorspace Gray -threshold 40% \
        -format '%[fx:round(1000 * (1 - mean))]' info: 2>/dev/null) || return 1
    ((dark >= 5 && dark <= 300))
}

# Whether window $1 is kept above every other program's windows (Wine marks a
# topmost window so for the window manager).
KeptAbove() { [[ "$(xprop -id "$1" _NET_WM_STATE 2>/dev/null)" == *_NET_WM_STATE_ABOVE* ]]; }

# Answers the game's "Error" box with Return alone, as a player does, no window
# being given the focus first, once it has checked that the box is above
# everything else, its text on the screen, and that it belongs to the window $1
# (its owner on the X server: WM_TRANSIENT_FOR), or to none when $1 is "none".
AnswerBoxOnTop() {
    local box owner
    box=$(WaitForWindow Error) || { Fail "no message box appeared"; return 1; }
    owner=$(xprop -id "$box" WM_TRANSIENT_FOR | awk '/window id/ { print $NF }')
    [[ "${owner:-none}" == "$1" ]] || Fail "the box's owner is ${owner:-none}, expected $1"
    for _ in $(seq 20); do
        ShowsText "$box" && break
        sleep 0.25
    done
    ShowsText "$box" || Fail "the box is not on top: its text does not show on the screen"
    xdotool key Return
    for _ in $(seq 50); do
        xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || return 0
        sleep 0.1
    done
    Fail "Return alone did not answer the box"
}
