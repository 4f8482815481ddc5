#pragma once

#include <windows.h>

#include "shell/game_window.h"

// The window procedure of the game window's class "OpenGL": keys into the key
// table, minimise and restore, resizes, the switch to and from another program,
// the close request, the screen saver and monitor power-down held off, and the
// mode-toggle message (WM_USER + 1) that another program may post.
LRESULT CALLBACK HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The mode-toggle message.
constexpr UINT modeToggleMessage = WM_USER + 1;

// The game's program became the active one (active) or another program did,
// for the game window shown: the keys are let go when it goes; in full screen
// the window is minimised and the desktop gets its display mode back until the
// player returns, when the game's mode comes back with the window.
void FollowActivation(GameWindow* window, HWND shown, bool active);

// The display now runs at width x height: a full-screen game whose mode another
// program (or a monitor's change) took away goes on in a window, with a message.
void FollowDisplayChange(GameWindow* window, int32_t width, int32_t height);
