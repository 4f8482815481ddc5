#pragma once

// What each system provides for the game window; the shared start-up and window
// loop (src/shell) call these, and a folder per system keeps the promise.

#include <cstdint>

#include "shell/game_window.h"

// The size of the desktop, in pixels, before the game changes any display mode;
// 0 x 0 when there is no display.
void ScreenSize(int32_t* width, int32_t* height);

// The dots per inch the desktop draws its panels and window captions at, in the
// pixels ScreenSize counts: 96 where they are drawn unscaled, more where the
// game counts the real pixels of a scaled display (144 at 150 %).
int32_t ScreenDpi();

// The room the desktop leaves a window before the game changes any display
// mode, in the pixels ScreenSize counts: the work area (the screen less the
// desktop's panels), its rows less the window's caption and frame; 0 x 0 where
// the desktop does not tell.
void WindowRoom(int32_t* width, int32_t* height);

// Registers the window class "OpenGL" (the system starts what the window needs).
// 1 on success; 0 after reporting "RegisterClassEx Failed!".
int32_t RegisterGameClass(WindowClassInfo* classInfo);

// Ends what RegisterGameClass started; any changed display mode is undone.
void UnregisterGameClass(WindowClassInfo* classInfo);

// Opens the window, full screen in a display mode of exactly width x height when
// fullscreenMode is 1 (falling back to a window, with a message, when the display
// refuses that mode), and makes its OpenGL context current. 1 on success, else 0
// with nothing held.
int32_t OpenGameWindow(GameWindow* window);

// Releases the context and the window, and in full screen gives the display its
// desktop mode and the pointer back. Always 1.
int32_t CloseGameWindow(GameWindow* window);

// True while an OpenGL context is current on this thread.
bool GlContextIsCurrent();
