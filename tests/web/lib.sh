# Shared by the web build's end-to-end tests: the Linux tests' helpers
# (tests/e2e/lib.sh and play_lib.sh), with the game's page opened in headless
# chromium (browser.py, a coprocess) instead of the program started on an X
# display. Source it with $page naming the built page's folder (the web build
# folder) and $reader the board reader; with $browserWindow set, the browser is
# a window on the X display instead of headless, and keys are typed with
# xdotool, as the keyboard's own.

webDir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../e2e/lib.sh
source "$webDir/../e2e/lib.sh"
# shellcheck source=../e2e/play_lib.sh
source "$webDir/../e2e/play_lib.sh"

# The browser, its page 1280 x 1024 pixels like the Linux tests' screens unless
# $browserScreen says otherwise (browser.py's arguments). It takes commands
# through one pipe and answers through another.
browserPipes=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-browser.XXXXXX")
mkfifo "$browserPipes/in" "$browserPipes/out"
# shellcheck disable=SC2086 # the arguments, split
/usr/bin/python3 "$webDir/browser.py" ${browserScreen:-1280 1024} ${browserWindow:+window} \
    <"$browserPipes/in" >"$browserPipes/out" 2>"$browserPipes/stderr.txt" &
browserPid=$!
exec {browserIn}>"$browserPipes/in" {browserOut}<"$browserPipes/out"
EndBrowser() {
    echo quit >&"$browserIn" 2>/dev/null || true
    wait "$browserPid" 2>/dev/null || true
    [[ ! -s "$browserPipes/stderr.txt" ]] || sed 's/^/browser: /' "$browserPipes/stderr.txt" >&2
    rm -rf "$browserPipes"
    RemoveGameFolders
}
trap EndBrowser EXIT

# Sends one command to the browser and prints its answer's value (JSON); fails
# when the browser answers with an error.
Browser() {
    local reply
    echo "$*" >&"$browserIn"
    read -r reply <&"$browserOut" || { echo "the browser has gone" >&2; return 1; }
    [[ "$reply" == ok\ * ]] || { echo "${reply#error }" >&2; return 1; }
    echo "${reply#ok }"
}

# The value of a JavaScript expression on the page, as JSON.
PageValue() { Browser js "$@"; }

# The page's files in a fresh folder, served from now on, and prefs.txt as the
# Linux tests write it, put in the browser's storage (NewGameFolder RES BPP
# FULLSCREEN). Leaves the shell in the folder, whose prefs.txt holds the
# stored text.
NewPageFolder() {
    NewGameFolder "$@"
    # Not the service worker, whose cache would serve the next folder's page
    # from this one's; Data/ as the tests spoil it, plain pictures only.
    cp -r "$page"/index.html "$page"/page.js "$page"/manifest.webmanifest \
        "$page"/icons "$page"/banner.png "$page"/kelmot.js* "$page"/kelmot.wasm* .
    Browser serve "$PWD" >/dev/null
    StorePrefs "$(cat prefs.txt)"
}

# Puts prefs.txt into the browser's storage, or takes it out for an empty $1.
StorePrefs() {
    Browser store "$(sed -z 's/\n/\\n/g' <<<"$1" | sed 's/\\n$//')" >/dev/null
}

# prefs.txt as the browser keeps it, or "null".
StoredPrefs() {
    Browser stored | /usr/bin/python3 -c 'import json, sys; v = json.load(sys.stdin); print("null" if v is None else v, end="")'
}

# Opens the page, which starts the game.
StartGame() {
    Browser open >/dev/null || Fail "the page does not open"
}

# The canvas is the game window; it has the keys whenever no box is up.
FocusGame() {
    window=kelmot-window
    for _ in $(seq 100); do
        [[ "$(PageValue "!!document.getElementById('kelmot-window')")" == true ]] && return 0
        sleep 0.1
    done
    Fail "no game window"
    return 1
}

# The game's drawing size: its canvas's.
WindowedViewport() {
    FocusGame || return 1
    viewWidth=$(PageValue "document.getElementById('kelmot-window').width")
    viewHeight=$(PageValue "document.getElementById('kelmot-window').height")
}

# Key down|up KEY: typed with xdotool in a browser window, else sent by the browser.
Key() {
    if [[ -n "${browserWindow:-}" ]]; then xdotool "key$1" "$2"; else Browser "$1" "$2" >/dev/null; fi
}

# The scripted controllers of scripted_gamepads.js answer navigator.getGamepads
# on every page opened from now on. A key named padN:BUTTON is BUTTON of
# controller N (tests/e2e/lib.sh).
ScriptGamepads() { Browser prelude "$(tr '\n' ' ' <"$webDir/scripted_gamepads.js")" >/dev/null; }
Pads() { PageValue "kelmotTestPads.$1" >/dev/null; }
KeyDown() { if [[ "$1" == pad?:* ]]; then Pads "hold(${1:3:1}, '${1#*:}')"; else Key down "$1"; fi; }
KeyUp() { if [[ "$1" == pad?:* ]]; then Pads "hold(${1:3:1}, '')"; else Key up "$1"; fi; }
TapPad() { Pads "tap(${1:3:1}, '${1#*:}')"; }
Plug() { Pads "plug($1)"; }
Unplug() { Pads "unplug($1)"; }
# Another tab in front of the page, where controller button $1 is then held
# (play_lib.sh's for another program); the page in front again.
AwayHolding() {
    Pads "holdOnceHidden(${1:3:1}, '${1#*:}')"
    Browser away >/dev/null
    sleep 1
}
BackInFront() { Browser back >/dev/null; }

# The pointer moved to, or a tap at, the canvas's pixel ($1, $2). The canvas
# is the game's drawing, full screen too.
viewTop=0
PointAt() {
    Browser point "$1" "$2" >/dev/null
    sleep 0.1
}
Tap() { Browser tap "$1" "$2" >/dev/null; }

# The start-up dialog's focus and checked controls.
DialogLook() {
    PageValue "document.activeElement.id + [...document.querySelectorAll('#kelmot-dialog input')].map((c) => c.checked ? 1 : 0).join('') + document.getElementById('kelmot-dialog').open"
}

DialogShown() { [[ "$(PageValue "document.getElementById('kelmot-dialog').open")" == true ]]; }

WaitForPageDialog() {
    for _ in $(seq 100); do
        DialogShown && return 0
        sleep 0.1
    done
    Fail "no dialog appeared"
    return 1
}

# The full-screen state as the page shows it: the canvas's size when it is the
# browser's full-screen element, else "windowed".
FullscreenState() {
    PageValue "document.fullscreenElement ? document.fullscreenElement.width + 'x' + document.fullscreenElement.height : 'windowed'"
}

WaitForFullscreenState() {
    for _ in $(seq 100); do
        [[ "$(FullscreenState)" == "\"$1\"" ]] && return 0
        sleep 0.1
    done
    Fail "the game is $(FullscreenState), not $1"
    return 1
}

# Saves the game's picture as the PPM picture $1. A game that has ended where it
# should not ends the test at once.
Shoot() {
    if [[ "$(PageValue "!document.getElementById('kelmot-ended').hidden")" == true ]]; then
        Fail "the game has ended unexpectedly"
        Finish
    fi
    # The picture as shown, sampled back to the canvas's pixels (the page shows
    # them sharp when it scales them up).
    local size
    size=$(Browser shot "$PWD/$1.png") || return 1
    size=$(tr -d '[] ' <<<"$size")
    convert "$1.png" -sample "${size/,/x}!" -depth 8 "ppm:$1" && rm -f "$1.png"
}

# Whether the page shows its message box, and its text.
BoxShown() { [[ "$(PageValue "document.getElementById('kelmot-message').open")" == true ]]; }

# Presses Return (or key $1) in the game's "Error" box once it is there, and
# waits for it to go (the next box, if any, shows in the same place: the page
# counts them).
AnswerErrorBox() {
    local shown= count
    for _ in $(seq 100); do
        BoxShown && { shown=1; break; }
        sleep 0.1
    done
    [[ -n "$shown" ]] || { Fail "no message box appeared; the page's console: $(Browser console)"; return 1; }
    [[ "$(PageValue "document.getElementById('kelmot-message-caption').textContent")" == '"Error"' ]] ||
        Fail "the box is not captioned \"Error\""
    count=$(PageValue "document.getElementById('kelmot-message').dataset.shown")
    Press "${1:-Return}"
    for _ in $(seq 50); do
        BoxShown || return 0
        [[ "$(PageValue "document.getElementById('kelmot-message').dataset.shown")" == "$count" ]] ||
            return 0
        sleep 0.1
    done
    Fail "the box stays after ${1:-Return}"
}

# Waits up to 10 s for the game to end ("Exit", or a start that failed) and
# checks its exit code against $1, as the page tells it.
ExpectExit() {
    local code=
    for _ in $(seq 100); do
        [[ "$(PageValue "!document.getElementById('kelmot-ended').hidden")" == true ]] && {
            code=$(PageValue "document.getElementById('kelmot-ended-code').textContent")
            break
        }
        sleep 0.1
    done
    [[ -n "$code" ]] || { Fail "the game is still running; expected it to end with $1"; return 1; }
    local expected='""'
    [[ "$1" == 0 ]] || expected="\" (exit code $1)\""
    [[ "$code" == "$expected" ]] || Fail "the page says the game ended with $code, expected $1"
}

# Checks that the game's standard error is exactly the given lines.
ExpectStandardError() {
    local expected actual
    expected=$(printf '%s\n' "$@")
    actual=$(Browser errors | /usr/bin/python3 -c 'import json, sys; print("\n".join(l for l in json.load(sys.stdin) if l))')
    [[ "$actual" == "$(grep -v '^$' <<<"$expected")" ]] || Fail "standard error was: $actual"
}
