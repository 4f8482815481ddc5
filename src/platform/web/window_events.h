#pragma once

#include <cstdint>

#include "shell/game_window.h"

// The game window's messages in the browser: the page's events, taken by
// html5.h callbacks (and the page's own button) and queued for the shared
// window loop, which takes them one at a time.

// Starts and ends listening to the page: keys, the page being hidden or shown,
// full screen left through the browser.
void ListenToPage(GameWindow* window);
void StopListeningToPage();

// The window's full-screen state as the browser has it, so that the browser
// leaving full screen can be told from the game leaving it.
void SetFullscreenShown(bool shown);

// Drops the ends of pass still queued: a pass can be ended more than once over
// (a close request and a toggle), and what is left belongs to the window just
// closed.
void ForgetEndsOfPass();
