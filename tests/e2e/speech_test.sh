#!/usr/bin/env bash
# The game spoken: with KELMOT_SPEECH=1 it says the shared play's sentences to a
# stand-in speech-dispatcher (speech_server.py) as the play's keys are pressed,
# and plays on when that server goes away; it stays silent, with no message,
# when there is no server; and without KELMOT_SPEECH or a screen reader it
# loads no speech library at all.
# Usage: speech_test.sh GAME
game=$(realpath "$1")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=play_lib.sh
source "$(dirname "$0")/play_lib.sh"
here=$sourceDir/tests/e2e

serverPid=
# shellcheck disable=SC2317 # run at exit
StopServer() { [[ -z "$serverPid" ]] || kill "$serverPid" 2>/dev/null || true; }
trap 'StopServer; RemoveGameFolders' EXIT

# The number of sentences said so far.
Said() { grep -c . said.txt 2>/dev/null || true; }

# Waits up to 10 s for sentence $1 to have been said.
WaitForSentence() {
    for _ in $(seq 200); do
        (($(Said) >= $1)) && return 0
        sleep 0.05
    done
    Fail "sentence $1 was not said; the last of $(Said): $(tail -n 1 said.txt 2>/dev/null)"
    return 1
}

# Checks whether the running game has mapped libspeechd ($1 = yes or no),
# waiting up to 5 s for a yes.
ExpectSpeechLoaded() {
    local loaded=no
    for _ in $(seq 50); do
        grep -q 'libspeechd' "/proc/$gamePid/maps" 2>/dev/null && loaded=yes && break
        [[ "$1" == yes ]] || break
        sleep 0.1
    done
    [[ "$loaded" == "$1" ]] || Fail "libspeechd loaded: $loaded, expected $1"
}

echo "- KELMOT_SPEECH=1: the play's sentences, in order and of their kind"
NewGameFolder 0 0 0
: >said.txt
python3 "$here/speech_server.py" "$PWD/speechd.sock" said.txt 2>server.txt &
serverPid=$!
for _ in $(seq 50); do [[ -S speechd.sock ]] && break; sleep 0.1; done
KELMOT_SPEECH=1 SPEECHD_ADDRESS="unix_socket:$PWD/speechd.sock" StartGame
FocusGame
sentence=0
while IFS=$'\t' read -r key _; do
    sentence=$((sentence + 1))
    # Each key is held until its sentence is said: one pressed and released
    # between two frames would go unseen.
    [[ "$key" == start ]] || KeyDown "$key"
    heard=yes
    WaitForSentence "$sentence" || heard=no
    [[ "$key" == start ]] || KeyUp "$key"
    [[ "$heard" == yes ]] || break
    sleep 0.1
done < <(grep -v -e '^#' -e '^$' "$here/spoken_play.txt")
python3 "$here/judge_speech.py" "$here/spoken_play.txt" said.txt || Fail "the play was not said"
[[ ! -s server.txt ]] || Fail "the server was sent what it does not know: $(cat server.txt)"

echo "- the server gone, the game plays on and ends with 0"
StopServer
ChooseExit
ExpectExit 0
ExpectStandardError

echo "- KELMOT_SPEECH=1 and no server: silent, no message, ends with 0"
NewGameFolder 0 0 0
KELMOT_SPEECH=1 SPEECHD_ADDRESS="unix_socket:$PWD/none.sock" StartGame
WaitForWindow Kelmot >/dev/null || Fail "no game window"
ExpectSpeechLoaded yes
ChooseExit
ExpectExit 0
ExpectStandardError

echo "- no KELMOT_SPEECH and no accessibility bus: no speech library loaded"
NewGameFolder 0 0 0
env -u KELMOT_SPEECH -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR "$game" 2>stderr.txt &
gamePid=$!
WaitForWindow Kelmot >/dev/null || Fail "no game window"
sleep 1
ExpectSpeechLoaded no
ChooseExit
ExpectExit 0
ExpectStandardError

Finish
