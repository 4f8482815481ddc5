#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

#include "shell/game_window.h"

// The game's own event types, registered by RegisterGameClass: the end of the
// current pass of the window loop, and the switch between full screen and window.
extern uint32_t endOfPassEvent;
extern uint32_t modeToggleEvent;

// Handles one event of the game window: keys into the key table, minimise and
// restore, resizes, close requests, focus (the screen saver is held off while
// the game has it) and the mode toggle.
void HandleWindowMessage(GameWindow* window, const SDL_Event& event);

// The full-screen switch failed: the message, and the window runs windowed.
void ModeSwitchFailed(GameWindow* window);

// Whether SDL's video runs on a display someone sees (game_window.cpp, which
// starts it).
bool HasDisplay();
