#pragma once

#include <cstdint>

#include "shell/game_window.h"

// What the game window's handler does with its messages, the same on every
// system; each system's handler calls these.

// Who pressed a key. Every input reaches the key table through RecordKey, and
// each holds its own presses: a key goes up in the table only once no input
// holds it, so that one input letting go never undoes another's press.
enum class KeySource : uint8_t { keyboard = 1, controller = 2, pointer = 4 };

// A key went down (down = 1, also for each auto-repeat) or up (down = 0) on an
// input. Codes are Windows virtual-key codes, 0 to 255; others are ignored.
void RecordKey(GameWindow* window, KeySource source, uint32_t code, int32_t down);

// Every key is let go, whoever held it (the window has lost the keyboard, or is
// new); what the controllers hold now presses nothing until let go.
void ReleaseAllKeys(GameWindow* window);

// The window was restored, maximised or resized to a client area of width x
// height: frames are produced again, for now at that size.
void WindowShown(GameWindow* window, int32_t width, int32_t height);

// The window has just opened, shown: frames are produced, at the requested size
// whatever size the window was given; no key is down; the frame clock restarts.
void WindowOpened(GameWindow* window);

// The window was minimised: no frames until it comes back.
void WindowMinimised(GameWindow* window);

// The mode-toggle message: the next pass opens the window in the other mode.
void ToggleDisplayMode(GameWindow* window);

// The one way to end the program: ends the current pass and clears keepRunning.
void RequestQuit(GameWindow* window);
