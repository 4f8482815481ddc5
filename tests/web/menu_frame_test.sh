#!/usr/bin/env bash
# The main menu drawn in the browser beside the same frame drawn by the Linux
# build, pixel by pixel: both on a 1280 x 1024 screen, windowed (1280 x 968),
# the Linux game on this X display, the page in headless chromium. The fonts
# come from different rasterisers (FreeType's hinted monochrome glyphs, the
# browser's smoothed ones cut at half coverage) and the renderers differ
# (Mesa's llvmpipe, SwiftShader), so a pixel counts as different only beyond a
# colour distance of $fuzz, and at most $allowed of the pixels may differ.
# Usage: menu_frame_test.sh LINUX_GAME PAGE_FOLDER BOARD_READER (on an X display)
linuxGame=$(realpath "$1")
page=$(realpath "$2")
reader=$(realpath "$3")
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
readonly fuzz=20% allowed=1.0

echo "- the Linux build's main menu"
NewGameFolder 1 0 0
"$linuxGame" 2>stderr.txt &
gamePid=$!
linuxWindow=$(WaitForWindow Kelmot) || Fail "no Linux game window"
# The frame stands still once two shots in a row are alike.
import -window "$linuxWindow" -depth 8 ppm:linux.ppm
for _ in $(seq 20); do
    sleep 0.3
    import -window "$linuxWindow" -depth 8 ppm:linux-again.ppm
    cmp -s linux.ppm linux-again.ppm && break
    mv linux-again.ppm linux.ppm
done
kill -TERM "$gamePid"
wait "$gamePid" || true
gamePid=
# The game draws at the lower left of its window.
convert linux.ppm -gravity SouthWest -crop 1280x968+0+0 +repage ppm:linux-menu.ppm

echo "- the browser's main menu"
NewPageFolder 1 0 0
StartGame
WindowedViewport
[[ "${viewWidth}x$viewHeight" == 1280x968 ]] || Fail "the page's game is ${viewWidth}x$viewHeight"
MenuSettled

echo "- the two, pixel by pixel"
differing=$(compare -metric AE -fuzz "$fuzz" menu.ppm "${gameFolders[0]}/linux-menu.ppm" \
    menu-difference.png 2>&1 >/dev/null) || true
share=$(awk -v n="$differing" 'BEGIN { printf "%.3f", 100 * n / (1280 * 968) }')
echo "  $differing pixels ($share%) differ beyond a distance of $fuzz"
awk -v s="$share" -v a="$allowed" 'BEGIN { exit !(s <= a) }' ||
    Fail "$share% of the pixels differ, more than $allowed%"
# KELMOT_KEEP names a folder to keep the three pictures in, for a look.
[[ -z "${KELMOT_KEEP:-}" ]] || cp menu.ppm "${gameFolders[0]}/linux-menu.ppm" menu-difference.png "$KELMOT_KEEP"

Finish
