#pragma once

// What each system provides for the pointer beside delivering its events (see
// shell/pointer.h).

#include <cstdint>

#include "shell/game_window.h"

// The height of the game window's client area now, in the pixels the pointer's
// positions are given in. The drawing starts at the area's lower left corner.
int32_t ClientHeight(GameWindow* window);
