#pragma once

#include <cstdint>

#include "png_file.h"

// The sizes the game's desktop icon is drawn at, each a square of that many
// pixels; the tool writes resources/icons/SIZExSIZE/apps/kelmot.png for each.
constexpr int32_t iconSizes[] = {48, 64, 128, 256};

// The sizes in the Windows icon file, resources/kelmot.ico, smallest first.
constexpr int32_t windowsIconSizes[] = {16, 24, 32, 48, 64, 256};

// The desktop icon, size x size pixels, drawn afresh at that size: a rounded
// night-blue tile with a red board and a few marks, clear outside the tile.
// Below 32 pixels it is laid out on whole pixels, without the stars and glows,
// so that the board and marks stay sharp.
RgbaPicture DrawIcon(int32_t size);
