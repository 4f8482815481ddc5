#pragma once

#include <cstdint>

#include "shell/game_window.h"

// Controllers on Linux, through SDL's game-controller API: every controller SDL
// has a mapping for, picked up when plugged in and let go when unplugged. SDL's
// controller subsystem starts at the first look.

// Looks at the controllers once, and presses and releases the game's keys for
// what they did since the last look.
void PollGamepads(GameWindow* window);

// Looks at the controllers once for the start-up dialog: the dialog keys
// (shell/gamepad_keys.h) they pressed since the last look.
uint32_t PollGamepadsForDialog();

// Lets go of every controller and of SDL's controller subsystem.
void StopGamepads();
