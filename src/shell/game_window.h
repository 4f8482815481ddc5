#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

#include "game/key_table.h"

// The game window and what the system lends it. A handle is null whenever it is
// not held, and is released only when set.
struct GameWindow {
    KeyTable* keyTable = nullptr; // cleared by every successful OpenGameWindow
    SDL_Window* window = nullptr;
    SDL_GLContext glContext = nullptr;
    const char* windowTitle = nullptr;
    // The requested client size, which in full screen is the display mode's size.
    // Set at start-up only; a mode toggle keeps it.
    int32_t width = 0;
    int32_t height = 0;
    int32_t colourBits = 0;     // 16 or 32, for the drawing surface and the display mode
    int32_t fullscreenMode = 0; // 1 while the window runs in a changed display mode
    int32_t visible = 0;        // 1 while frames are to be produced
    uint32_t lastFrameTime = 0; // SDL_GetTicks() at the previous frame
};

// The window of the current pass; set by SetUpContext.
extern GameWindow* gameWindow;

// Starts the video subsystem and registers the game's own event types.
// 1 on success; 0 (after reporting it) when there is no usable display.
int32_t RegisterGameClass();

// Ends everything RegisterGameClass started; any changed display mode is undone.
void UnregisterGameClass();

// Opens the window, full screen in a display mode of exactly width x height when
// fullscreenMode is 1 (falling back to a window, with a message, when the display
// has no such mode), and makes its OpenGL context current. 1 on success, else 0
// with nothing held.
int32_t OpenGameWindow(GameWindow* window);

// Releases the context and the window, and in full screen gives the display its
// desktop mode and the pointer back. Always 1.
int32_t CloseGameWindow(GameWindow* window);
