#pragma once

#include "canvas.h"

// The pictures the game ships, drawn the same way on every run.

// Data/stars.bmp, 512 x 512: the night sky behind the board. Tiles seamlessly.
Canvas DrawStars();
// Data/screen.bmp, 512 x 512: behind the menus.
Canvas DrawMenuBackground();
// Data/blue.bmp, 512 x 32: the scrolling name banner. Its ends join up.
Canvas DrawNameStrip();
// Data/pointer.bmp, 64 x 64: a down arrow, tip at the bottom centre, on black.
Canvas DrawPointer();
// Data/pointermask.bmp: black wherever the pointer is not black, white elsewhere.
Canvas DrawPointerMask(const Canvas& pointer);
// resources/banner.bmp, 360 x 139: the start-up dialog's banner.
Canvas DrawDialogBanner();
