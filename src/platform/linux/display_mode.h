#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

// The display the game measures, opens its window on and switches to full
// screen: SDL's first, the primary monitor where there are several.
constexpr int gameDisplay = 0;

// Puts the (hidden) window full screen on the game's display, in its mode of
// exactly width x height with the colour depth nearest to bits, and shows it. 1
// when the display now runs in that mode; 0 when it lists no such mode or refused
// it, in which case the window is left windowed and hidden and every monitor has
// its own mode.
int32_t SwitchDisplayMode(SDL_Window* window, int32_t width, int32_t height, int32_t bits);

// While the full-screen window is minimised every monitor shows its desktop
// mode; restored, the game's display runs width x height again. (SDL does this
// by itself only where it sets the mode itself.)
void FullScreenMinimised();
void FullScreenRestored(int32_t width, int32_t height, int32_t bits);
