#!/usr/bin/env bash
# The Windows program played by ear under Wine: a stand-in SAPI voice
# (sapi_stand_in.cpp), registered in the test's prefix as the voice's COM
# server, records what the game asks it to say in the game's folder. With
# KELMOT_SPEECH=1 the play of tests/e2e/spoken_play.txt, each key held until the
# screen shows it, then its sentence waited for; the recording judged by
# tests/e2e/judge_speech.py. Without KELMOT_SPEECH (Wine runs no screen reader)
# the game makes no voice; with a voice that cannot be made it plays on, silent.
# Usage: speech_test.sh KELMOT_EXE POST_MESSAGE_EXE BOARD_READER WINE_PREFIXES SAPI_STAND_IN
exe=$(realpath "$1")
postMessage=$(realpath "$2")
reader=$(realpath "$3")
prefixes=$4
standIn=$(realpath "$5")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

readonly play=$sourceDir/tests/e2e/spoken_play.txt
# The voice's COM server, in place of Wine's own (whose voice says nothing). Wine's
# COM reads the machine's classes only: a server registered for the user alone
# (HKCU\Software\Classes) is not looked at.
readonly server='HKLM\Software\Classes\CLSID\{96749377-3391-11D2-9EE3-00C04F797396}\InprocServer32'
Serve() {
    if ! "$wine" reg add "$server" /ve /d "$1" /f >/dev/null 2>&1 ||
        ! "$wine" reg add "$server" /v ThreadingModel /d Both /f >/dev/null 2>&1; then
        Fail "the voice's server could not be registered"
    fi
}
Said() { if [[ -e speech.txt ]]; then wc -l <speech.txt; else echo 0; fi; }

# Starts the game in a new game folder with $@ (StartGame or StartGameTraced),
# plays Down on the menu and closes it: it ends with 0, having said nothing and
# shown no message box.
PlaySilent() {
    NewGameFolder 0 0 0
    "$@"
    FocusGame
    MenuSettled
    MenuPress Down
    [[ -z "$(WindowId Error)" ]] || Fail "a message box appeared"
    RequestClose
    ExpectExit 0
    [[ ! -e speech.txt ]] || Fail "the voice was asked to say: $(cat speech.txt)"
}

Serve "$("$wine" winepath -w "$standIn" | tr -d '\r')"

echo "- no screen reader, no KELMOT_SPEECH: no voice is made, the voice's library never loaded"
PlaySilent StartGameTraced loaddll
! grep -i 'Loaded L".*sapi' stderr.txt || Fail "the voice's library was loaded"

echo "- KELMOT_SPEECH=1: the menus and a two-player game, said as played"
export KELMOT_SPEECH=1
NewGameFolder 0 0 0
StartGame
FocusGame
MenuSettled
while IFS=$'\t' read -r -u 3 key _; do
    [[ -z "$key" || "$key" == \#* ]] && continue
    before=0
    if [[ "$key" != start ]]; then
        before=$(Said)
        HoldUntilChanged "$key" || break
    fi
    # A passing sentence after a result waits until the result has been said.
    for _ in $(seq 100); do
        (($(Said) > before)) && break
        sleep 0.1
    done
    (($(Said) > before)) || { Fail "nothing said after $key"; break; }
done 3<"$play"
RequestClose
ExpectExit 0
ExpectStandardError
python3 "$sourceDir/tests/e2e/judge_speech.py" "$play" speech.txt || Fail "recorded: $(cat speech.txt)"

echo "- KELMOT_SPEECH=1 with no voice to be had: the game plays on, silent"
Serve 'C:\windows\system32\no-such-voice.dll'
PlaySilent StartGame
ExpectStandardError

Finish
