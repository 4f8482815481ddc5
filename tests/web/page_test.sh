#!/usr/bin/env bash
# The game's page in headless chromium, as a player meets it: the first visit
# with the start-up dialog typed into, kept in the browser's storage; full
# screen refused when no player asked for it; a browser without full screen,
# where the game plays in the page without a word; options changed, the page
# reloaded and the options kept; a save the storage aborts and a storage that
# does not answer, neither of which stops the game or loses the kept options; a
# storage connection the browser closes mid-visit, opened again for the next
# save, after which the browser is asked once to keep the storage; a
# missing and a broken picture with their boxes, then "Loading Textures Failed";
# and "Exit".
# Usage: page_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

defaultPrefs=$(printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 \
    player1controls=1 player2controls=1 configpanel=1 res=1 bpp=0 fullscreen=1)

echo "- first visit: windowed, 800x600 and 32 bit typed into the dialog, kept in the storage"
NewPageFolder 1 0 1
StorePrefs ""
StartGame
WaitForPageDialog
# The keys the Linux test types: the focus starts on "1024x768", Right picks
# "800x600", Tab goes to the depths, Right picks "32 bit", Tab goes to
# "Fullscreen?", Space clears it, and Return presses OK (windowed, so res stays
# as it was). Escape first does
# nothing.
Press Escape
DialogShown || Fail "Escape closed the dialog"
# No caption bar: the banner stands 7 dialog units (14 pixels) below the frame.
top=$(PageValue "(() => { const d = document.getElementById('kelmot-dialog'); return d.querySelector('.banner').getBoundingClientRect().top - d.getBoundingClientRect().top - d.clientTop; })()")
[[ "$top" == 14 ]] || Fail "the banner stands $top pixels below the dialog's frame"
[[ "$(PageValue "document.querySelectorAll('#kelmot-dialog .note')[1].innerText.includes('menu.  If')")" == true ]] ||
    Fail "the second note does not show two blanks after \"menu.\""
Press Right Tab Right Tab space Return
FocusGame
expected=$(printf '%s\n' gofirst=1 xoro=1 controls=1 whofirst=0 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=1 res=1 bpp=1 fullscreen=0)
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"
[[ "$(PageValue "document.fullscreenElement === null")" == true ]] || Fail "the game is full screen"
WindowedViewport
screen=$(PageValue "[Math.round(innerWidth * devicePixelRatio), Math.round(innerHeight * devicePixelRatio)].join('x')")
[[ "\"${viewWidth}x$((viewHeight + 56))\"" == "$screen" ]] ||
    Fail "the window is ${viewWidth}x$viewHeight on a page of $screen"
MenuSettled
ExpectStandardError

echo "- full screen from the prefs, with no player's action: refused, said, and windowed"
NewPageFolder 1 0 1
StartGame
AnswerErrorBox
FocusGame
ExpectStandardError "Mode Switch Failed." "Running In Windowed Mode."
[[ "$(PageValue "document.fullscreenElement === null")" == true ]] || Fail "the game is full screen"
MenuSettled

echo "- a browser without element full screen (an iPhone's): windowed, said nowhere, no full-screen button"
Browser prelude "Object.defineProperty(Document.prototype, 'fullscreenEnabled', {get: () => false});" >/dev/null
StartGame
FocusGame
MenuSettled
BoxShown && Fail "a box shows"
ExpectStandardError
[[ "$(PageValue "document.getElementById('kelmot-toggle').offsetWidth")" == 0 ]] || Fail "the bar shows the full-screen button"
Browser prelude "" >/dev/null

echo "- options changed in the menus are kept over a reload"
# AI Options: "Player Has The" to O's, the controls to the keypad, down to
# Done, which keeps them; Multiplayer Options: Player2 first, Done.
MenuPress Down Down Down Down Return Down Return Down Return Down
MenuSettled ai-options.ppm
MenuPress Return
MenuPress Up Up Return Return Down Down Down Down Return
expected=$(printf '%s\n' gofirst=1 xoro=0 controls=0 whofirst=1 player1xoro=1 player1controls=1 \
    player2controls=1 configpanel=0 res=1 bpp=0 fullscreen=1)
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "the stored prefs.txt holds: $(StoredPrefs)"
StartGame
AnswerErrorBox # full screen still refused without a player's action
FocusGame
MenuSettled
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "after the reload prefs.txt holds: $(StoredPrefs)"
# The AI Options screen shows what it showed before the reload.
MenuPress Down Down Down Down Return Down Down Down
cmp -s menu.ppm ai-options.ppm || Fail "the AI Options show other values after the reload"

echo "- a save the storage aborts, as a full quota does: tried once more, prefs.txt kept as it was, the game goes on"
# Counts the storage's write transactions, and aborts each while abortWrites
# is set; counts the page's requests to keep the storage.
PageValue "(() => { window.persistAsked = 0; const persist = StorageManager.prototype.persist; StorageManager.prototype.persist = function () { ++persistAsked; return persist.apply(this, arguments); }; })()" >/dev/null
PageValue "(() => { const transaction = IDBDatabase.prototype.transaction; window.writes = 0; window.abortWrites = true; IDBDatabase.prototype.transaction = function (stores, mode) { const started = transaction.apply(this, arguments); if (mode == 'readwrite' && ++writes && abortWrites) queueMicrotask(() => started.abort()); return started; }; })()" >/dev/null
MenuPress Up Return Down Return # the controls back to the arrows; Done
BoxShown && Fail "the aborted save shows a box"
MenuPress Down Up # a game still waiting for the save changes nothing
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "after the aborted save prefs.txt holds: $(StoredPrefs)"

[[ "$(PageValue persistAsked)" == 0 ]] || Fail "the storage was asked to persist with nothing saved"

echo "- the next save: kept, in one write transaction; the storage asked to persist"
PageValue "abortWrites = false" >/dev/null
MenuPress Return Down Down Down Return # AI Options; Done
expected=$(sed 's/^controls=0/controls=1/' <<<"$expected")
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "after the second save prefs.txt holds: $(StoredPrefs)"
[[ "$(PageValue writes)" == 3 ]] || Fail "two saves, the first tried twice, took $(PageValue writes) write transactions"
[[ "$(PageValue persistAsked)" == 1 ]] || Fail "the storage was asked to persist $(PageValue persistAsked) times"

echo "- the storage's connection closed mid-visit, as Safari does: the next save opens it again"
PageValue "IDBFS.dbs['/kelmot'].close()" >/dev/null
MenuPress Return Down Down Return Down Return # AI Options: the controls to the keypad; Done
expected=$(sed 's/^controls=1/controls=0/' <<<"$expected")
[[ "$(StoredPrefs)" == "$expected" ]] || Fail "after the connection closed prefs.txt holds: $(StoredPrefs)"
[[ "$(PageValue persistAsked)" == 1 ]] || Fail "the storage was asked to persist $(PageValue persistAsked) times"

echo "- \"Exit\" ends the game; the page says so"
MenuPress Down
# Held until the page says so: on a busy machine a short press can fall between
# two frames.
Browser down Return >/dev/null
for _ in $(seq 30); do
    [[ "$(PageValue "!document.getElementById('kelmot-ended').hidden")" == true ]] && break
    sleep 0.1
done
Browser up Return >/dev/null
ExpectExit 0

echo "- a storage that does not answer: the game starts on its defaults, the kept options stay"
NewPageFolder 1 0 0
before=$(StoredPrefs)
Browser prelude "if (location.pathname == '/index.html') IDBFactory.prototype.open = () => ({});" >/dev/null
StartGame
WaitForPageDialog
Press Tab Tab space Return # windowed
FocusGame
MenuSettled
# Not stored: the default file at start-up, the dialog's choice, and the default
# file again when the window is set up.
unsaved="Kelmot: could not save prefs.txt: I/O error"
ExpectStandardError "$unsaved" "$unsaved" "$unsaved"
Browser prelude "" >/dev/null
StartGame
FocusGame
[[ "$(StoredPrefs)" == "$before" ]] || Fail "the kept prefs.txt now holds: $(StoredPrefs)"

for picture in stars screen; do
    for kind in missing truncated; do
        echo "- $picture.bmp $kind: its box(es), then \"Loading Textures Failed\", options kept"
        NewPageFolder 1 0 0
        BreakPicture "$kind" "$picture"
        before=$(StoredPrefs)
        mapfile -t messages < <(PictureMessages "$kind" "$picture")
        StartGame
        for _ in "${messages[@]}"; do AnswerErrorBox || break; done
        ExpectExit 0
        ExpectStandardError "${messages[@]}"
        [[ "$(StoredPrefs)" == "$before" ]] || Fail "prefs.txt changed: $(StoredPrefs)"
    done
done

Finish
