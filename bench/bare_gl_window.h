#pragma once

#include <SDL2/SDL.h>

// What the least OpenGL program with SDL does: start video, open a window of the
// game's start-up size with the game's drawing surface at its default 16-bit
// depth, and make a context. Null, with the reason on standard error, when any of
// it fails.
SDL_Window* OpenBareWindow(const char* name);

// Presents frames drawn by drawFrame until the window is asked to close; then
// closes everything OpenBareWindow opened. 0. Like the game, the frames are drawn
// at the size asked for, whatever size the window manager gave the window.
int PresentUntilQuit(SDL_Window* window, void (*drawFrame)(float width, float height));
