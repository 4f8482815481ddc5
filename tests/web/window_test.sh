#!/usr/bin/env bash
# The game window's life in the page, in headless chromium: the one WebGL
# context a window asks for; a context the browser loses (WEBGL_lose_context)
# and gives back, after which the pictures and fonts are made again and the
# game goes on where it was; and fifty mode toggles, after which the page holds
# no more listeners and GL objects than after the first two, with no warning
# from the browser about the contexts it keeps.
# Usage: window_test.sh PAGE_FOLDER BOARD_READER
page=$(realpath "$1")
reader=$(realpath "$2")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

NewPageFolder 1 0 0
# The player moves first with X's on the keypad.
StorePrefs "$(sed -e 's/^controls=1/controls=0/' prefs.txt)"
# The canvases the page asks for a WebGL context, counted.
Browser prelude "window.webglCanvases = new Set(); const getContext = HTMLCanvasElement.prototype.getContext; HTMLCanvasElement.prototype.getContext = function (type) { const context = getContext.apply(this, arguments); if (context && /webgl/.test(type)) webglCanvases.add(this); return context; };" >/dev/null
StartGame
WindowedViewport
MenuSettled first-menu.ppm
contexts=$(PageValue webglCanvases.size)
((contexts == 1)) || Fail "the page made $contexts WebGL contexts for one window"

echo "- the context lost and given back: drawn again, the game kept"
EnterGame
WaitForBoard "........."
PlayX "........." 4
position=$board
PageValue "(window.loss = document.getElementById('kelmot-window').getContext('webgl').getExtension('WEBGL_lose_context')).loseContext()" >/dev/null
sleep 1
PageValue "loss.restoreContext()" >/dev/null
WaitForBoard "$position"
BackToMenu
cmp -s menu.ppm first-menu.ppm || Fail "the menu is drawn otherwise since the context came back"

echo "- fifty mode toggles leave no more behind than two"
# Emscripten's page listeners and the live objects of its GL tables.
Counts() {
    PageValue "[JSEvents.eventHandlers.length].concat([GL.textures, GL.buffers, GL.programs, GL.shaders, GL.framebuffers, GL.renderbuffers].map((table) => table.filter(Boolean).length)).join(' ')"
}
ToggleTwice() {
    Browser click kelmot-toggle >/dev/null
    WaitForFullscreenState "${viewWidth}x$viewHeight" || return 1
    # As the browser's leaving of full screen does.
    PageValue "document.exitFullscreen() && 0" >/dev/null
    WaitForFullscreenState windowed
}
ToggleTwice
afterTwo=$(Counts)
for _ in $(seq 24); do ToggleTwice || break; done
[[ "$(Counts)" == "$afterTwo" ]] || Fail "listeners and GL objects: $afterTwo after two toggles, $(Counts) after fifty"
[[ "$(Browser console)" != *"Too many active WebGL contexts"* ]] ||
    Fail "the browser warned of too many active WebGL contexts"
FocusGame
MenuSettled
cmp -s menu.ppm first-menu.ppm || Fail "the menu is drawn otherwise after fifty toggles"

Finish
