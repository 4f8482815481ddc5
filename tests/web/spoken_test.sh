#!/usr/bin/env bash
# The game for a player with a screen reader, in headless chromium, judged by
# what the browser gives screen readers: the start-up dialog and the game's
# message box named, described and holding the focus, and the game's end told
# by the focused button; the canvas an application named with the game's keys,
# with the focus; and the play by ear of tests/e2e/spoken_play.txt, each key
# held until a sentence comes to one of the page's live regions (the polite
# one "passing", the assertive one "result"), judged by judge_speech.py.
# Usage: spoken_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# Each text the page puts in a live region, in order, as "KIND<TAB>SENTENCE".
Browser prelude "window.kelmotSaid = []; new MutationObserver((changes) => { for (const change of changes) { const kind = {'kelmot-speech-passing': 'passing', 'kelmot-speech-result': 'result'}[change.target.id]; for (const node of change.addedNodes) if (kind) kelmotSaid.push(kind + '\t' + node.textContent); } }).observe(document, {childList: true, subtree: true});" >/dev/null
SaidCount() { PageValue "window.kelmotSaid ? kelmotSaid.length : 0"; }

# The accessibility tree, one node a line: ROLE|NAME|DESCRIPTION|FOCUSED.
AxNodes() {
    Browser ax | /usr/bin/python3 -c 'import json, sys; [print("|".join(map(str, n))) for n in json.load(sys.stdin)]'
}
ExpectNode() {
    AxNodes >ax.txt
    grep -Eqx "$1" ax.txt || Fail "no node $1 for screen readers; they have: $(grep -v '^generic||' ax.txt | tr '\n' ' ')"
}

echo "- the start-up dialog, the game's box and its end: named, described, with the focus"
NewPageFolder 0 0 0
prefs=$(cat prefs.txt)
StorePrefs "$(sed 's/^configpanel=0/configpanel=1/' prefs.txt)"
BreakPicture missing stars
StartGame
WaitForPageDialog
ExpectNode 'dialog\|Kelmot\|\|False'
ExpectNode 'radio\|1280x1024\|\|True'
Press Return
for _ in $(seq 100); do BoxShown && break; sleep 0.1; done
ExpectNode 'alertdialog\|Error\|Loading Textures Failed\|False'
ExpectNode 'button\|OK\|\|True'
AnswerErrorBox
ExpectExit 0
ExpectNode 'button\|Play again\|Kelmot has ended\.\|True'

echo "- the canvas: an application named with the keys, with the focus"
cp "$sourceDir/Data/stars.bmp" Data/
StorePrefs "$prefs"
StartGame
FocusGame
ExpectNode 'application\|[^|]*Arrow keys[^|]*Enter[^|]*1 to 9[^|]*R:[^|]*Escape[^|]*\|\|True'

echo "- the play by ear, each key held until the page says something"
while IFS=$'\t' read -r key _; do
    [[ -z "$key" || "$key" == \#* ]] && continue
    count=0
    if [[ "$key" != start ]]; then
        count=$(SaidCount)
        KeyDown "$key"
    fi
    for _ in $(seq 100); do
        (($(SaidCount) > count)) && break
        sleep 0.1
    done
    [[ "$key" == start ]] || KeyUp "$key"
    (($(SaidCount) > count)) || { Fail "nothing said after $key"; break; }
done <"$sourceDir/tests/e2e/spoken_play.txt"
PageValue "kelmotSaid.join('\n')" | /usr/bin/python3 -c 'import json, sys; print(json.load(sys.stdin))' >said.txt
/usr/bin/python3 "$sourceDir/tests/e2e/judge_speech.py" "$sourceDir/tests/e2e/spoken_play.txt" said.txt ||
    Fail "the page said: $(cat said.txt)"

Finish
