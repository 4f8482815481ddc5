#include "platform/linux/pointer_events.h"

#include "platform/pointer.h"
#include "shell/pointer.h"

void HandlePointerEvent(GameWindow* window, const SDL_Event& event) {
    if (!window->window) return;
    const uint32_t gameWindowId = SDL_GetWindowID(window->window);
    if (event.type == SDL_MOUSEMOTION) {
        if (event.motion.windowID == gameWindowId)
            RecordPointer(window, PointerAction::move, event.motion.x, event.motion.y);
        return;
    }
    const SDL_MouseButtonEvent& button = event.button;
    if (button.windowID != gameWindowId || button.button != SDL_BUTTON_LEFT) return;
    RecordPointer(window,
                  button.state == SDL_PRESSED ? PointerAction::press : PointerAction::release,
                  button.x, button.y);
}

// In the window's own units, which the mouse's positions are given in.
int32_t ClientHeight(GameWindow* window) {
    int height = 0;
    if (window->window) SDL_GetWindowSize(window->window, nullptr, &height);
    return height;
}
