#pragma once

#include <windows.h>

#include "shell/game_window.h"

// The game window's mouse messages (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
// WM_CAPTURECHANGED) to the shared pointer handling. Windows gives touch and
// pen as mouse messages too.
void HandlePointerMessage(GameWindow* game, HWND window, UINT message, LPARAM lParam);
