#pragma once

#include <cstdint>

// Controllers, as each system reads them. The system only reads: what the
// buttons mean, how a held direction repeats, and which presses count (only
// those made while the game is in front) are decided by the shared code
// (shell/gamepad_keys.h).
//
// Both are asked on the game's own thread at each look at the controllers:
// once per pass of the window loop, and fifty times a second while the
// start-up dialog or a message box is up. Neither blocks.

// The buttons held now, on every controller together, as GamepadButton bits
// (shell/gamepad_keys.h): a stick counts as the D-pad past half its travel
// (StickDirections). 0 when there are no controllers. A controller plugged in
// since the last look is included, one unplugged is not.
uint32_t HeldGamepadButtons();

// Whether the game is in front: its window, its start-up dialog or one of its
// message boxes is the foreground window, the one the keyboard types into.
bool GameInFront();
