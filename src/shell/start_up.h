#pragma once

#include "settings/settings.h"
#include "shell/game_window.h"

// Fills the window record as start-up first does: the screen's width, its height
// less the rows of the desktop's panels (56 at 96 dots per inch, as many more in
// proportion at a higher screenDpi), 16-bit colour, full screen, the title
// "Kelmot"; and clears the key table.
void PrepareGameWindow(GameWindow* window, KeyTable* keys, WindowClassInfo* classInfo,
                       int32_t screenWidth, int32_t screenHeight, int32_t screenDpi);

// Shrinks the start-up size to the room the desktop leaves a window (its work
// area, the rows less the window's caption and frame), where that is smaller,
// so that the window the player restores keeps its lowest line clear of the
// taskbar.
// A room of 0 x 0 (the desktop does not tell) leaves the size as it is.
void FitWindowInRoom(GameWindow* window, int32_t roomWidth, int32_t roomHeight);

// The display mode the options ask for, when the start-up dialog is not used:
// full screen at the size of res (or the start-up size for an unknown res), or
// windowed at the start-up size; 32-bit colour when bpp is set.
void ChooseDisplayMode(GameWindow* window, const Settings& options);

// Shows the start-up dialog, which writes its choices into the options and the
// window record. 1 after OK; 0 when it could not be shown, with nothing changed;
// -1 when the program was told to end while it was up.
int32_t AskForDisplayMode(GameWindow* window, Settings* options);
