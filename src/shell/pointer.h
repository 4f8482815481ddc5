#pragma once

#include <cstdint>

#include "shell/game_window.h"

// The pointer (a mouse, a finger, a pen) over the game window, the same on
// every system: each system's event handling calls RecordPointer, as it calls
// RecordKey for the keys. The pointer stands for keys: what it points at, as
// the last frame drew it, becomes presses and releases of the keys that do the
// same there, so the game, the menus and the computer see only keys.
//
// Moving over a menu row highlights it, as Up and Down would; over a cell, for
// a person to move with the arrow keys, it moves the cursor there. A press and
// a release on the same row choose it as Enter does; on a cell they place the
// mark there (the cursor first brought there, or that cell's keypad key); on
// the key hint's halves they are R and ESC. A pointer that neither moves nor
// presses does nothing.

enum class PointerAction : uint8_t {
    move,
    press,  // the main button, a finger or a pen went down
    release // and came up
};

// The pointer moved, went down or came up at (x, y), in the window's pixels
// from the top left of its client area.
void RecordPointer(GameWindow* window, PointerAction action, int32_t x, int32_t y);

// Before each frame's update: lets go of the keys the pointer pressed for the
// frame before, and presses the ones the next step of its latest action needs.
// Each step is one frame, so that each press acts once.
void StepPointer();

// A window is opening: where the pointer rests is not known yet, and nothing
// it asked for is left to do.
void ForgetPointer();
