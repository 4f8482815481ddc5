#pragma once

#include <cstdint>

#include "shell/game_window.h"

// The game window's messages in the browser: the page's events, taken by
// html5.h callbacks (and the page's own button) and queued for the shared
// window loop, which takes them one at a time.

// Starts listening to the page for a window just opened, and stops when it
// closes: keys, the focus leaving the game, the page hidden or shown, full
// screen left through the browser, and the window's WebGL context lost and
// restored.
void ListenToPage(GameWindow* window);
void StopListeningToPage();

// The window's full-screen state as the browser has it, so that the browser
// leaving full screen can be told from the game leaving it.
void SetFullscreenShown(bool shown);

// The window's WebGL context is back after the browser lost it, and empty: what
// lives with it is made again (game_window.cpp).
void RenewLostContext(GameWindow* window);
