#!/usr/bin/env bash
# The page on the hosts that really serve it, in headless chromium, browser.py
# serving it as those hosts do. What fails to load is said in the page, in an
# alert naming the file with "Try again": a game code that does not parse or
# is missing, a damaged gzipped copy (the plain file fetched once instead) whose
# plain file is broken off, a picture that stalls. Then, with the service
# worker, on a host with clean addresses (the page redirected to its folder),
# Last-Modified without Cache-Control and a strict Content-Security-Policy:
# the first visit plays; the second plays from the kept files, and with the
# network cut off; another app at the site's root is left to the host; a
# rebuild reaches the next visit past the browser's cache, says so, and shows
# after a reload.
# Usage: host_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# Waits for the page's alert and checks that it names $1 and says $2.
ExpectFailure() {
    local said
    for _ in $(seq 150); do
        said=$(PageValue "(a => a.hidden ? '' : a.getAttribute('role') + ': ' + a.innerText)(document.getElementById('kelmot-failure'))")
        [[ "$said" != '""' ]] && break
        sleep 0.1
    done
    [[ "$said" == *"alert: Kelmot could not load $1: $2"*"Try again"* ]] || Fail "the page says: $said"
}

# The page's files kept by its worker: waits until the one cache is the
# build's (sw.js in the folder), and prints a kept file's text ($1).
WaitForCache() {
    local name
    name=$(node -p "require('$PWD/sw.js').cacheName")
    for _ in $(seq 150); do
        [[ "$(PageValue "caches.keys()")" == "[\"$name\"]" ]] && break
        sleep 0.1
    done
    [[ "$(PageValue "caches.keys()")" == "[\"$name\"]" ]] ||
        Fail "the caches are $(PageValue "caches.keys()"), not [\"$name\"]"
    [[ -z "${1:-}" ]] || PageValue "caches.open('$name').then((c) => c.match('$1')).then((r) => r.text())"
}

echo "- kelmot.js damaged, then missing: said; once it is back, \"Try again\" starts the game"
NewPageFolder 1 0 0
head -c 50000 "$page/kelmot.js" >kelmot.js
StartGame
ExpectFailure kelmot.js "it is damaged"
rm kelmot.js
StartGame
ExpectFailure kelmot.js "the host has no such file"
cp "$page/kelmot.js" .
Browser click kelmot-retry >/dev/null
FocusGame

echo "- kelmot.wasm.gz damaged and kelmot.wasm broken off: said; whole, the plain file plays"
echo "  (and a picture's damaged gzipped copy, expanded off the page's thread, gives way to its plain file)"
head -c 20000 "$page/kelmot.wasm.gz" >kelmot.wasm.gz
head -c 9000 "$page/Data/stars.bmp.gz" >Data/stars.bmp.gz
Browser host cut=/kelmot.wasm >/dev/null
StartGame
ExpectFailure kelmot.wasm "the connection failed"
Browser host >/dev/null
Browser click kelmot-retry >/dev/null
FocusGame
WindowedViewport
MenuSettled
EnterGame
WaitForBoard "........."

echo "- a picture that stalls: said after ten seconds"
Browser host stall=/Data/stars.bmp.gz >/dev/null
StartGame
ExpectFailure Data/stars.bmp "nothing came for 10 seconds"

echo "- a first visit on a host with clean addresses, Last-Modified and no Cache-Control, and a strict policy"
NewPageFolder 1 0 0
StorePrefs "$(sed -e 's/^controls=1/controls=0/' prefs.txt)" # the keypad
cp -r "$page"/sw.js "$page"/Data .
mkdir other && echo '<!DOCTYPE html><title>other</title>' >other/index.html
touch -d '1 day ago' -- * */*
Browser host redirect cached csp >/dev/null
Browser prelude "window.violations = []; document.addEventListener('securitypolicyviolation', (e) => violations.push(e.violatedDirective));" >/dev/null
StartGame
[[ "$(PageValue "location.pathname")" == '"/"' ]] || Fail "the host did not redirect the page to its folder"
WindowedViewport
MenuSettled
EnterGame
WaitForBoard "........."
PlayX "........." 4
WaitForCache >/dev/null
[[ "$(PageValue "violations.join(' ')")" == '""' ]] || Fail "the policy refused: $(PageValue "violations.join(' ')")"

echo "- the second visit, from the kept files; the network cut off: the page and its folder"
StartGame
FocusGame
MenuSettled
[[ "$(PageValue "!!navigator.serviceWorker.controller")" == true ]] || Fail "the worker does not serve the page"
Browser offline on >/dev/null
for address in /index.html /; do
    Browser open "$address" >/dev/null
    FocusGame
    MenuSettled
done
Browser offline off >/dev/null

echo "- another app at the site's root: the host's"
Browser open /other/ >/dev/null
[[ "$(PageValue "document.title")" == '"other"' ]] || Fail "/other/ shows $(PageValue "document.title")"

echo "- a rebuild: the next visit keeps it past the browser's cache and says so; a reload shows it"
echo "window.kelmotBuild = 'second';" >>page.js
echo "// the second build" >>kelmot.js
# shellcheck disable=SC2046 # the kept files, one word each
"$sourceDir/src/platform/web/stamp_worker.py" "$sourceDir/src/platform/web/page/sw.js" sw.js . \
    $(node -p "require('$page/sw.js').files.join(' ')")
StartGame
FocusGame
[[ "$(WaitForCache page.js)" == *kelmotBuild* ]] || Fail "the new cache holds the last build's page.js"
[[ "$(WaitForCache kelmot.js)" == *"the second build"* ]] || Fail "the new cache holds the last build's kelmot.js"
[[ "$(PageValue "document.getElementById('kelmot-update').hidden")" == false ]] ||
    Fail "the page does not say that a new version is ready"
Browser click kelmot-reload >/dev/null
FocusGame
[[ "$(PageValue "window.kelmotBuild || null")" == '"second"' ]] || Fail "the reload shows the last build"
MenuSettled
[[ "$(PageValue "violations.join(' ')")" == '""' ]] || Fail "the policy refused: $(PageValue "violations.join(' ')")"
ExpectStandardError

Finish
