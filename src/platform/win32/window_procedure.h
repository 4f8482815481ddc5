#pragma once

#include <windows.h>

// The window procedure of the game window's class "OpenGL": keys into the key
// table, minimise and restore, resizes, the close request, the screen saver and
// monitor power-down held off, and the mode-toggle message (WM_USER + 1) that
// another program may post.
LRESULT CALLBACK HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The mode-toggle message.
constexpr UINT modeToggleMessage = WM_USER + 1;
