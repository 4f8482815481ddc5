// The game window on SDL: the video subsystem stands in for the window class.

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/linux/display_mode.h"
#include "platform/linux/gamepad.h"
#include "platform/linux/mode_guard.h"
#include "platform/linux/monitor_modes.h"
#include "platform/linux/signal_watcher.h"
#include "platform/linux/window_events.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "render/error_report.h"
#include "shell/window_messages.h"

namespace {

// Starts SDL's video subsystem, or counts one more use of it.
int InitVideo() {
    // SDL would otherwise stop each pass of its event queue at a marker of its
    // own, so that an end of pass pushed while a message is handled could sit
    // behind the marker and one more frame be drawn first. The queue is empty
    // only when it really is.
    SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
    // A full-screen game that loses the focus is minimised, and the desktop has
    // its modes back until it is restored; SDL minimises by itself only the
    // full-screen windows whose mode it sets itself.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    return SDL_InitSubSystem(SDL_INIT_VIDEO);
}

// Starts SDL's video subsystem. 0, with the reason on standard error, when there
// is no display to show the game on.
int32_t StartVideo() {
    if (InitVideo() != 0) {
        std::fprintf(stderr, "kelmot: no display: %s\n", SDL_GetError());
        return 0;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "kelmot: no display (only SDL's %s video driver started)\n",
                     SDL_GetCurrentVideoDriver());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return 0;
    }
    return 1;
}

} // namespace

bool HasDisplay() {
    // Without a display SDL may still start a driver that draws into memory
    // only; nobody would see the game there.
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

void ScreenSize(int32_t* width, int32_t* height) {
    *width = 0;
    *height = 0;
    // Video stays started; registering the window class checks it is usable.
    SDL_DisplayMode desktop;
    if (InitVideo() == 0 && SDL_GetDesktopDisplayMode(gameDisplay, &desktop) == 0) {
        *width = desktop.w;
        *height = desktop.h;
    }
}

// SDL 2 counts the X server's pixels and reports no desktop scale; the game
// draws and measures unscaled.
int32_t ScreenDpi() { return 96; }

int32_t RegisterGameClass(WindowClassInfo*) {
    if (StartVideo() == 0) {
        ReportError("RegisterClassEx Failed!", ReportOwner::none);
        return 0;
    }
    const uint32_t firstEvent = SDL_RegisterEvents(2);
    if (firstEvent == static_cast<uint32_t>(-1)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ReportError("RegisterClassEx Failed!", ReportOwner::none);
        return 0;
    }
    endOfPassEvent = firstEvent;
    modeToggleEvent = firstEvent + 1;
    // SDL keeps the screen saver off for as long as video runs; the game keeps it
    // off only while its window has the focus.
    SDL_EnableScreenSaver();
    // Keys are read as key presses only; no text input is wanted.
    SDL_StopTextInput();
    return 1;
}

void UnregisterGameClass(WindowClassInfo*) {
    // No toggle may be pushed while SDL takes its event queue down.
    SetModeToggleTarget(0);
    RestoreMonitorMode();
    StopModeGuard();
    StopGamepads();
    SDL_Quit();
}

namespace {

// The drawing surface: RGB at the window's colour depth, a 16-bit depth buffer,
// double buffered, with the fixed-function pipeline available.
void RequestDrawingSurface(int32_t colourBits) {
    const bool trueColour = colourBits == 32;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, trueColour ? 8 : 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, trueColour ? 8 : 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, trueColour ? 8 : 5);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// The window is gone: toggles no longer reach it, and those still queued for
// it are dropped, as messages to a window that no longer exists are. Every
// monitor has its own mode back.
void ForgetWindow() {
    SetModeToggleTarget(0);
    SDL_FlushEvent(modeToggleEvent);
    RestoreMonitorMode();
}

// Undoes a failed opening.
int32_t AbandonWindow(GameWindow* window) {
    if (window->glContext) SDL_GL_DeleteContext(window->glContext);
    window->glContext = nullptr;
    ForgetWindow();
    SDL_DestroyWindow(window->window);
    window->window = nullptr;
    if (window->fullscreenMode == 1) SDL_ShowCursor(SDL_ENABLE);
    return 0;
}

} // namespace

int32_t OpenGameWindow(GameWindow* window) {
    RequestDrawingSurface(window->colourBits);
    // At the top left corner of the display whose size start-up measured (not
    // of the whole desktop, which may begin on another monitor). Created hidden:
    // a full-screen window changes the display mode when shown.
    SDL_Rect display{0, 0, 0, 0};
    SDL_GetDisplayBounds(gameDisplay, &display);
    window->window =
        SDL_CreateWindow(window->windowTitle, display.x, display.y, window->width, window->height,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!window->window) {
        std::fprintf(stderr, "kelmot: %s\n", SDL_GetError());
        return 0;
    }
    SetModeToggleTarget(modeToggleEvent);

    if (window->fullscreenMode == 1) {
        if (SwitchDisplayMode(window->window, window->width, window->height, window->colourBits) ==
            1) {
            SDL_ShowCursor(SDL_DISABLE);
        } else {
            ModeSwitchFailed(window);
        }
    }

    window->glContext = SDL_GL_CreateContext(window->window);
    if (!window->glContext) {
        std::fprintf(stderr, "kelmot: %s\n", SDL_GetError());
        return AbandonWindow(window);
    }
    if (SDL_GL_MakeCurrent(window->window, window->glContext) != 0) {
        std::fprintf(stderr, "kelmot: %s\n", SDL_GetError());
        return AbandonWindow(window);
    }
    // Frames at the display's pace: the swap waits for it, adaptively (a late
    // frame is shown at once) where the driver offers that. Where the swap
    // cannot wait, the window loop paces the frames itself.
    if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
    SDL_DisplayMode mode{};
    const int displayIndex = SDL_GetWindowDisplayIndex(window->window);
    SetRefreshRate(&window->pace,
                   displayIndex >= 0 && SDL_GetCurrentDisplayMode(displayIndex, &mode) == 0
                       ? mode.refresh_rate
                       : 0);

    if (window->fullscreenMode != 1) {
        SDL_ShowWindow(window->window);
        SDL_MaximizeWindow(window->window);
    }
    WindowOpened(window);
    return 1;
}

int32_t CloseGameWindow(GameWindow* window) {
    if (window->window) {
        if (window->glContext) {
            SDL_GL_MakeCurrent(window->window, nullptr);
            SDL_GL_DeleteContext(window->glContext);
            window->glContext = nullptr;
        }
        ForgetWindow();
        SDL_DestroyWindow(window->window);
        window->window = nullptr;
    }
    if (window->fullscreenMode != 0) SDL_ShowCursor(SDL_ENABLE);
    // A pass can end more than once over (a close request and a quit event);
    // what is left of that belongs to the window just closed.
    SDL_FlushEvent(endOfPassEvent);
    return 1;
}

bool GlContextIsCurrent() { return SDL_GL_GetCurrentContext() != nullptr; }
