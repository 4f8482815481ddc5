#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

// Puts the (hidden) window full screen in the display's mode of exactly width x
// height, with the colour depth nearest to bits, and shows it. 1 when the display
// now runs in that mode; 0 when it lists no such mode or refused it, in which case
// the window is left windowed and hidden.
int32_t SwitchDisplayMode(SDL_Window* window, int32_t width, int32_t height, int32_t bits);
