#!/usr/bin/env bash
# Usage: scripts/soak.sh [GAME]
#
# Plays the real game (build-soak/run/kelmot unless GAME is given, best built
# with -DKELMOT_GL_CHECKS=ON, as make soak does) for SOAK_SECONDS (600) on an X
# display of its own: the menus and option screens, games against the computer
# with the arrows, two-player games with the arrows and the keypad, resets,
# minimising and restoring the window, and switches between full screen (at
# 1280x1024, the size of the display) and a window (in the first minute and at
# the end). Every SOAK_SAMPLE_SECONDS (5) it samples the game's resident memory
# (VmRSS).
#
# It fails when the game ends early or with an error, when anything appears on
# its standard error (an OpenGL error reported after a frame, for one), or when
# a sample after the first minute exceeds the largest sample of the first
# minute by more than SOAK_RSS_SLACK_KB (1024: the allocator and the driver
# settle by a few hundred kB over the first rounds). The samples are kept in
# SOAK_LOG (build-soak/soak-rss.txt), one "seconds kB" line each. With
# SOAK_SHOTS set to a folder, a screenshot of the display is saved there after
# each step of the first round, to see that the script plays as meant.
set -euo pipefail

scriptDir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sourceDir=$(dirname "$scriptDir")
game=$(realpath "${1:-$sourceDir/build-soak/run/kelmot}")
soakSeconds=${SOAK_SECONDS:-600}
sampleSeconds=${SOAK_SAMPLE_SECONDS:-5}
slackKb=${SOAK_RSS_SLACK_KB:-1024}
log=$(realpath -m "${SOAK_LOG:-$sourceDir/build-soak/soak-rss.txt}")
readonly settleSeconds=60

# Run again on a display of its own (Xvfb 1280x1024 with openbox), so that the
# keys typed here go to no other program.
if [[ -z "${KELMOT_SOAK_DISPLAY:-}" ]]; then
    [[ -x "$game" ]] || { echo "error: no game at $game; run make soak" >&2; exit 1; }
    exec env KELMOT_SOAK_DISPLAY=1 "$sourceDir/tests/display/with_xvfb.sh" "$0" "$game"
fi

# The end-to-end tests' helpers: a scratch folder with Data/ and prefs.txt, the
# game started in it, its window found and, at the end, the game ended.
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$sourceDir/tests/e2e/lib.sh"

samplerPid=
# shellcheck disable=SC2317 # run at exit
StopSampler() {
    [[ -z "$samplerPid" ]] || kill "$samplerPid" 2>/dev/null || true
    RemoveGameFolders
}
trap StopSampler EXIT

# Holds each key long enough for the game to draw a frame while it is down (a
# press and release handled before the same frame go unseen, and a debug build
# on a busy machine can take a while over a frame).
Press() {
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.2
        xdotool keyup "$key"
        sleep 0.1
    done
}

# The highlight back on the first row of whatever menu screen is shown.
ToTop() { Press Up Up Up Up Up; }

# Ends the soak when the game has gone, with how it ended and what it said.
Alive() {
    kill -0 "$gamePid" 2>/dev/null && return 0
    local status=0
    wait "$gamePid" || status=$?
    gamePid=
    Fail "the game ended during the soak, after $((SECONDS - soakStart)) s, with status $status" \
        "(above 128: killed by signal $((status - 128)); 0: a lost key press may have chosen Exit)"
    sed 's/^/  stderr: /' stderr.txt >&2
    exit 1
}

# Gives the game window the keyboard again (after a new window, a restore).
FocusGame() {
    local window
    window=$(WaitForWindow Kelmot) || { Alive; Fail "no game window"; exit 1; }
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
}

# From the main menu, row 0: a game against the computer with the arrow keys.
# Enter places marks around the board; R starts again; ESC goes back.
GameWithArrows() {
    Press Return
    Press Return Right Return Down Return Left Return Down Return Right Return Right Return
    Press Up Return Up Return
    sleep 0.5
    Press r
    Press Down Return Right Return Up Left Return
    sleep 0.5
    Press Escape
}

# From the main menu, row 0: a two-player game, player one on the arrow keys and
# player two on the keypad, that player one wins on the top row; R, a move
# each, and ESC.
TwoPlayerGame() {
    Press Down Return
    Press Return KP_1 Left Return KP_4 Right Right Return
    sleep 0.5
    [[ -z "${SOAK_SHOTS:-}" ]] || { mkdir -p "$SOAK_SHOTS" && import -window root "$SOAK_SHOTS/won-game.png"; }
    Press r Return KP_5
    Press Escape
    ToTop
}

# From the main menu, row 0: every option screen, each option toggled twice
# (so prefs.txt ends as it began), and Done.
OptionScreens() {
    Press Down Down Return # Multiplayer Options
    Press Return Return Down Return Return Down Return Return Down Return Return Down Return
    ToTop
    Press Down Down Down Return # Global Options
    Press Return Return Down Return
    ToTop
    Press Down Down Down Down Return # AI Options
    Press Return Return Down Return Return Down Down Return
    ToTop
}

MinimiseAndRestore() {
    local window
    window=$(WaitForWindow Kelmot) || { Alive; Fail "no game window"; exit 1; }
    xdotool windowminimize --sync "$window"
    sleep 2
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowmap --sync "$window"
    FocusGame
}

# Between full screen and a window: each switch closes the window and opens a
# new one, with new textures and fonts. One switch a round, so the rounds take
# turns at full screen and in a window.
ToggleFullscreen() {
    Alive
    kill -USR1 "$gamePid"
    sleep 2
    FocusGame
}

# Full screen at the screen's own size (the one mode Xvfb has), 32-bit colour.
NewGameFolder 0 1 1
sed -i 's/^player2controls=1$/player2controls=0/' prefs.txt # player two on the keypad
soakStart=$SECONDS
StartGame
FocusGame
# The keypad's digits need Num Lock (auto-repeat is off on the test display).
xset q | grep -q 'Num Lock: *on' || xdotool key Num_Lock

# The sampler: one line per sample, until the game has gone.
: >"$log"
(
    start=$SECONDS
    while rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$gamePid/status" 2>/dev/null) &&
        [[ -n "$rss" ]]; do
        echo "$((SECONDS - start)) $rss" >>"$log"
        sleep "$sampleSeconds"
    done
) &
samplerPid=$!

# The first minute: a game in a window, at full screen, and then every step in
# a window, where the rest of the soak plays. Each new window's context takes
# more memory the first times it draws (the driver builds its drawing code and
# buffers per context), so switching modes all through the soak would keep
# raising the memory for a couple of minutes; the switches are made here and
# again at the end.
ToggleFullscreen
GameWithArrows
ToggleFullscreen
GameWithArrows
ToggleFullscreen
TwoPlayerGame
OptionScreens

echo "soak: playing for $soakSeconds s; resident memory every $sampleSeconds s in $log"
deadline=$((SECONDS + soakSeconds))
round=0
while ((SECONDS < deadline)); do
    round=$((round + 1))
    for step in GameWithArrows TwoPlayerGame OptionScreens MinimiseAndRestore; do
        ((SECONDS < deadline)) || break
        Alive
        "$step"
        if [[ -n "${SOAK_SHOTS:-}" ]] && ((round == 1)); then
            mkdir -p "$SOAK_SHOTS"
            import -window root "$SOAK_SHOTS/$step.png"
        fi
    done
done
Alive
echo "soak: $round rounds played"

kill "$samplerPid" 2>/dev/null || true
wait "$samplerPid" 2>/dev/null || true
samplerPid=
# The switches once more, after the memory samples: both modes still draw
# without an OpenGL error after ten minutes.
ToggleFullscreen
GameWithArrows
ToggleFullscreen
GameWithArrows
Alive
RequestClose
ExpectExit 0

# Anything on standard error is a finding: the OpenGL checks' lines, messages.
errors=$(grep -v '^error: XDG_RUNTIME_DIR' stderr.txt || true)
if [[ -n "$errors" ]]; then
    Fail "the game wrote to standard error ($(wc -l <<<"$errors") lines), first lines:"
    head -n 5 <<<"$errors" >&2
fi

# Resident memory: the first minute may grow (caches, the driver's first
# frames); after it, no sample may exceed the first minute's largest.
awk -v settle="$settleSeconds" -v slack="$slackKb" '
    $1 <= settle { if ($2 > firstMax) firstMax = $2; atSettle = $2 }
    $1 > settle { if ($2 > laterMax) laterMax = $2; if (!laterMin || $2 < laterMin) laterMin = $2 }
    { last = $2; count++ }
    END {
        printf "soak: %d samples; first minute: max %d kB, at %d s %d kB; after it: min %d kB, max %d kB; last %d kB\n",
            count, firstMax, settle, atSettle, laterMin, laterMax, last
        printf "soak: growth after the first minute: %+d kB (largest later sample against the first minute'"'"'s largest)\n",
            laterMax - firstMax
        if (!laterMax) print "soak: no sample after the first minute; too short to judge"
        exit (!laterMax || laterMax > firstMax + slack) ? 1 : 0
    }' "$log" || Fail "resident memory grew after the first minute by more than $slackKb kB"

Finish
