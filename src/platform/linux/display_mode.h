#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

// The display the game measures, opens its window on and switches to full
// screen: SDL's first, the primary monitor where there are several.
constexpr int gameDisplay = 0;

// Puts the (hidden) window full screen on the game's display, in its mode of
// exactly width x height with the colour depth nearest to bits, and shows it. 1
// when the window now covers the display in that mode; 0 when the display lists
// no such mode or refused it, or the desktop shows the window at another size
// (a compositor that does not scale the modes Xwayland pretends to set), in
// which case the window is left windowed and hidden and every monitor has its
// own mode.
int32_t SwitchDisplayMode(SDL_Window* window, int32_t width, int32_t height, int32_t bits);

// The full-screen window's size changed: from now on FullScreenPlaceRefused
// watches that it comes to cover the game's display in the mode the switch set.
void WatchFullScreenPlace();

// Asked once in each pass of the window loop, without waiting: true once the
// desktop has kept the full-screen window, unless minimised, at another size
// than its mode for a moment since WatchFullScreenPlace; the switch did not
// hold, the window is left windowed and the monitor has its own mode back.
bool FullScreenPlaceRefused(SDL_Window* window);

// While the full-screen window is minimised every monitor shows its desktop
// mode; restored from minimised, the game's display runs width x height again.
// Any other restore changes nothing. (SDL does this by itself only where it
// sets the mode itself.)
void FullScreenMinimised();
void FullScreenRestored(SDL_Window* window, int32_t width, int32_t height);
