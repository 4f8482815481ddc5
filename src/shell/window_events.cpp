#include "shell/window_events.h"

#include "shell/key_map.h"
#include "shell/main_loop.h"
#include "shell/projection.h"

uint32_t endOfPassEvent = 0;
uint32_t modeToggleEvent = 0;

namespace {

void EndPass() {
    SDL_Event event{};
    event.type = endOfPassEvent;
    SDL_PushEvent(&event);
}

void HandleWindowEvent(GameWindow* window, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        window->visible = 1;
        SetProjection(event.data1, event.data2);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: {
        window->visible = 1;
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(window->window, &width, &height);
        SetProjection(width, height);
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
        window->visible = 0;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        RequestQuit(window);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        SDL_DisableScreenSaver();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        SDL_EnableScreenSaver();
        break;
    default:
        break;
    }
}

// Alt, F10 and keys pressed with Alt belong to the desktop and are not recorded.
// A release always is: a key let go while Alt is held must not stay down in the
// table (an "R" stuck down would restart the game in every frame).
void RecordKey(GameWindow* window, const SDL_KeyboardEvent& event) {
    const bool pressed = event.type == SDL_KEYDOWN;
    if (pressed && IsSystemKey(event.keysym)) return;
    const int32_t code = VirtualKeyFor(event.keysym);
    if (code > 0 && code < 256) (*window->keyTable)[code] = pressed ? 1 : 0;
}

} // namespace

void HandleWindowMessage(GameWindow* window, const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        // Only the game window's own events count.
        if (window->window && event.window.windowID == SDL_GetWindowID(window->window))
            HandleWindowEvent(window, event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        RecordKey(window, event.key);
        break;
    case SDL_QUIT: // the last window closed, or SIGINT / SIGTERM
        RequestQuit(window);
        break;
    default:
        if (event.type == modeToggleEvent) {
            // The next pass opens the window in the other mode.
            nextFullscreen = nextFullscreen == 1 ? 0 : 1;
            EndPass();
        }
        break;
    }
}

void RequestQuit(GameWindow*) {
    EndPass();
    keepRunning = 0;
}
