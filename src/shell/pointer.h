#pragma once

#include "shell/game_window.h"

// The pointer stands for keys: what it points at, as the last frame drew it,
// becomes presses and releases of the keys that do the same there, so the
// game, the menus and the computer see only keys. Each system reports the
// pointer through RecordPointer (platform/pointer.h).
//
// Moving over a menu row highlights it, as Up and Down would; over a cell, for
// a person to move with the arrow keys, it moves the cursor there. A press and
// a release on the same row of the same screen choose it as Enter does; on a
// cell they place the mark there (the cursor first brought there, or that
// cell's keypad key); on the key hint's halves they are R and ESC. A pointer
// that neither moves nor presses does nothing.

// Before each frame's update: lets go of the keys the pointer pressed for the
// frame before, and presses the ones the next step of its latest action needs.
// Each step is one frame, so that each press acts once.
void StepPointer(GameWindow* window);

// A window is opening: where the pointer rests is not known yet, nothing it
// asked for is left to do, and what the old window showed is gone.
void ForgetPointer();
