#pragma once

#include <cstdint>

#include "shell/game_window.h"

// Cleared by RequestQuit and by a window that cannot be opened: the window loop
// ends after the current pass.
extern int32_t keepRunning;
// The display mode of the next window: 1 full screen, 0 windowed.
extern int32_t nextFullscreen;

// The whole program: start-up, one pass per window, shutdown. The exit code.
int32_t RunGame();

// One pass of the window loop: open, set up, events and frames until the pass
// ends, tear down, close. 0 when the window could not be opened.
int32_t RunPass(GameWindow* window, KeyTable* keys);

// Events and frames until the end-of-pass event.
void RunInnerLoop(GameWindow* window);

// Everything that lives with the OpenGL context. 1 on success, 0 when the
// pictures could not be loaded.
int32_t SetUpContext(GameWindow* window, KeyTable* keys);
void TearDownContext();
