#pragma once

#include <cstdint>

#include "shell/game_window.h"

// Cleared by RequestQuit and by a window that cannot be opened: the window loop
// ends after the current pass.
extern int32_t keepRunning;
// The display mode of the next window: 1 full screen, 0 windowed.
extern int32_t nextFullscreen;

// The whole program: start-up, one pass per window, shutdown. The exit code: 0,
// or -1 when the window class cannot be registered. instance is the program's
// own handle, where the system has one.
int32_t RunGame(InstanceHandle instance);

// One pass of the window loop: open, set up, events and frames until the pass
// ends, tear down, close. 0 when the window could not be opened.
int32_t RunPass(GameWindow* window, KeyTable* keys);

// Messages and frames until the end of the pass: one waiting message at a time,
// a frame whenever none waits while the window is shown, and a wait for the
// next message while it is minimised.
void RunInnerLoop(GameWindow* window);

// Everything that lives with the OpenGL context. 1 on success, 0 when the
// pictures could not be loaded.
int32_t SetUpContext(GameWindow* window, KeyTable* keys);
void TearDownContext();
