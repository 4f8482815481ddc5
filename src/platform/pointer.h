#pragma once

// The pointer (a mouse, a finger, a pen) over the game window. Each system's
// event handling calls RecordPointer for the game window's pointer, as it calls
// RecordKey for the keys; the shared code (shell/pointer.h) decides what the
// pointer means there.

#include <cstdint>

#include "shell/game_window.h"

enum class PointerAction : uint8_t {
    move,
    press,   // the main button, a finger or a pen went down
    release, // and came up
    cancel   // the system took the press away (a gesture, a lost capture):
             // it ends without acting
};

// The pointer moved, went down, came up or was cancelled at (x, y): in the
// pixels of the window's drawing surface (what the viewport counts, however the
// system scales the window), from its bottom left corner, the middle of a pixel
// at + 0.5. Called on the game's thread, from the window's event handling.
void RecordPointer(GameWindow* window, PointerAction action, float x, float y);
