#pragma once

#include <cstdint>

// Controllers on Linux, through SDL's game-controller API: every controller SDL
// has a mapping for, picked up when plugged in and let go when unplugged. SDL's
// controller subsystem starts at the first look.

// Besides the promise of platform/gamepad.h: the start-up dialog's look at
// the controllers, told whether the dialog is the active window; the dialog
// keys (shell/gamepad_keys.h) pressed since the last look.
uint32_t PollGamepadsForGtkDialog(int32_t dialogActive);

// Lets go of every controller and of SDL's controller subsystem.
void StopGamepads();
