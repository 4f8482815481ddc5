#pragma once

#include "shell/game_window.h"

// Controllers in the browser, through the Gamepad API: every controller the
// browser gives the standard layout, looked at once a frame, and fifty times a
// second by the page while its start-up dialog or a message box is up.

// Looks at the controllers once, and presses and releases the game's keys for
// what they did since the last look.
void PollGamepads(GameWindow* window);
