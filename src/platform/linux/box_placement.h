#pragma once

#include <cstdint>

// SDL centres a message box that has no owner on the first monitor as SDL last
// measured it: the desktop's mode, when the game set its mode itself. A box of
// 300 pixels over a 640x480 game on a 1280x1024 desktop then stands half off
// the picture, or wholly off it on a larger monitor, and the game looks frozen.
// While such a box is up, a thread on its own X connection waits for it to be
// shown and moves it where SDL places an owned box: centred across the game
// window, a third of the way down.

// Starts watching for a new top-level window titled "Error" on the display
// named displayName, to be placed over the X window gameWindow, which the game
// has shown (the window manager may not have mapped it yet).
void StartBoxPlacement(const char* displayName, uint32_t gameWindow);

// Stops watching (the box is answered), and waits for the thread.
void EndBoxPlacement();
