#pragma once

// The window's messages and the frame clock, as each system provides them to the
// shared window loop.

#include <cstdint>

#include "shell/game_window.h"

enum class TakenMessage {
    none,      // nothing is waiting
    endOfPass, // the message that ends the current pass of the window loop
    handled,   // one message was taken and handed to the window's handler
};

// Takes one waiting message of the game window and hands it to the window's
// handler unless it ends the pass. With nothing waiting it returns at once,
// unless the window is shown and its next frame is not yet due (the swap did
// not wait for the display, see shell/frame_pace.h): then it waits for a
// message until the frame is due, never longer.
TakenMessage TakeWindowMessage(GameWindow* window);

// Blocks until a message arrives.
void WaitForMessage();

// Queues the end of the current pass for the game window.
void PostEndOfPass(GameWindow* window);

// Shows the frame just drawn.
void SwapGameBuffers(GameWindow* window);

// The millisecond clock: 32 bits, wrapping.
uint32_t MillisecondClock();
