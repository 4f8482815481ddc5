#pragma once

#include <cstdint>

#include "game/key_table.h"
#include "shell/frame_pace.h"
// The handle types of the system the game is built for, from its platform folder.
#include "system_handles.h"

// The window class: its name and the program instance it belongs to.
struct WindowClassInfo {
    InstanceHandle instance = nullptr;
    const char* name = nullptr;
};

// The game window and what the system lends it. A handle is null whenever it is
// not held, and is released only when set.
struct GameWindow {
    KeyTable* keyTable = nullptr; // cleared by every successful OpenGameWindow
    WindowHandle window = nullptr;
    DeviceContextHandle deviceContext = nullptr; // on systems that draw through one
    GlContextHandle glContext = nullptr;
    WindowClassInfo* classInfo = nullptr;
    const char* windowTitle = nullptr;
    // The requested client size, which in full screen is the display mode's size.
    // Set at start-up only; a mode toggle keeps it.
    int32_t width = 0;
    int32_t height = 0;
    int32_t colourBits = 0;     // 16 or 32, for the drawing surface and the display mode
    int32_t fullscreenMode = 0; // 1 while the window runs in a changed display mode
    int32_t visible = 0;        // 1 while frames are to be produced
    uint32_t lastFrameTime = 0; // the millisecond clock at the previous frame
    FramePace pace;             // when the next frame is due, on systems that pace them
};

// The window of the current pass; set by SetUpContext.
extern GameWindow* gameWindow;
