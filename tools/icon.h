#pragma once

#include <cstdint>

#include "png_file.h"

// The sizes the game's desktop icon is drawn at, each a square of that many
// pixels; the tool writes resources/icons/SIZExSIZE/apps/kelmot.png for each.
constexpr int32_t iconSizes[] = {48, 64, 128, 256};

// The desktop icon, size x size pixels, drawn afresh at that size: a rounded
// night-blue tile with a red board and a few marks, clear outside the tile.
RgbaPicture DrawIcon(int32_t size);
