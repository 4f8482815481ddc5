#!/usr/bin/env bash
# The game's page in headless chromium on a computer's screen of $3 device
# pixels to a CSS pixel (1.25, 1.5: many Windows laptops), the browser's own
# ratio: the game's window covers exactly the device pixels the browser lays
# its place out on, from a device pixel on, so that no pixel of it is scaled;
# and plays.
# Usage: ratio_test.sh PAGE_FOLDER BOARD_READER RATIO
page=$(realpath "$1")
reader=$(realpath "$2")
# A window whose page is a fraction of a CSS pixel wide and high, as it often
# is at such ratios.
browserScreen="1067 801 x$3"
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

echo "- at $3 device pixels to a CSS pixel: the window on its place's device pixels, one to one"
NewPageFolder 1 0 0
StartGame
FocusGame
look="new Promise((done) => new ResizeObserver(([seen], observer) => {
    observer.disconnect();
    const canvas = seen.target, size = seen.devicePixelContentBoxSize[0], box = canvas.getBoundingClientRect();
    const onPixel = [box.left, box.top].every((v) => Math.abs(v * devicePixelRatio - Math.round(v * devicePixelRatio)) < 0.01);
    done(devicePixelRatio + ': ' + canvas.width + 'x' + canvas.height + ' on ' + size.inlineSize + 'x' +
         size.blockSize + (onPixel ? '' : ' off the pixels'));
  }).observe(document.getElementById('kelmot-window'), {box: 'device-pixel-content-box'}))"
look=$(PageValue "${look//$'\n'/ }")
look=${look//\"/}
[[ "$look" =~ ^$3:\ ([0-9]+x[0-9]+)\ on\ ([0-9]+x[0-9]+)$ && "${BASH_REMATCH[1]}" == "${BASH_REMATCH[2]}" ]] ||
    Fail "the canvas is $look"
WindowedViewport
MenuSettled
EnterGame
WaitForBoard "........."

Finish
