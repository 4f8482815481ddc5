#pragma once

#include <SDL2/SDL.h>

#include "shell/game_window.h"

// The game window's mouse events, to the shared pointer handling: moves, and
// the left button going down and up. SDL gives touches as mouse events too.
void HandlePointerEvent(GameWindow* window, const SDL_Event& event);
