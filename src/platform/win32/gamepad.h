#pragma once

#include <windows.h>

#include "shell/game_window.h"

// Controllers on Windows, through XInput, loaded at the first look from
// xinput1_4.dll, else xinput9_1_0.dll; without either there are none, and the
// game goes on with its keys.

// Looks at the controllers once, and presses and releases the game's keys for
// what they did since the last look; while the game window is not in front
// nothing is held, as no key reaches it then.
void PollGamepads(GameWindow* window);

// From Start to Stop, while the start-up dialog or a message box runs its own
// message loop: the controllers are looked at fifty times a second and move
// through the dialog or box that is up as the keys they stand for
// (shell/gamepad_keys.h) do there.
UINT_PTR StartDialogGamepads();
void StopDialogGamepads(UINT_PTR timer);
