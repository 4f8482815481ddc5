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

# Posts message $1 to the game window (class "OpenGL", title "Kelmot") from a
# program of its own in the same prefix.
PostToGame() {
    "$wine" "$postMessage" OpenGL Kelmot "$1"
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
