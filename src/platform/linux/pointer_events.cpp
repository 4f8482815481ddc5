#include "platform/linux/pointer_events.h"

#include "platform/pointer.h"

namespace {

// SDL gives the mouse in the window's own units, which a scaled desktop makes
// larger than the drawing surface's pixels.
void Record(GameWindow* window, PointerAction action, int32_t x, int32_t y) {
    int width = 0, height = 0, drawableWidth = 0, drawableHeight = 0;
    SDL_GetWindowSize(window->window, &width, &height);
    SDL_GL_GetDrawableSize(window->window, &drawableWidth, &drawableHeight);
    if (width <= 0 || height <= 0) return;
    const float scaleX = float(drawableWidth) / float(width);
    const float scaleY = float(drawableHeight) / float(height);
    RecordPointer(window, action, (float(x) + 0.5f) * scaleX,
                  float(drawableHeight) - (float(y) + 0.5f) * scaleY);
}

} // namespace

void HandlePointerEvent(GameWindow* window, const SDL_Event& event) {
    if (!window->window) return;
    const uint32_t gameWindowId = SDL_GetWindowID(window->window);
    if (event.type == SDL_MOUSEMOTION) {
        if (event.motion.windowID == gameWindowId)
            Record(window, PointerAction::move, event.motion.x, event.motion.y);
        return;
    }
    const SDL_MouseButtonEvent& button = event.button;
    if (button.windowID != gameWindowId || button.button != SDL_BUTTON_LEFT) return;
    Record(window, button.state == SDL_PRESSED ? PointerAction::press : PointerAction::release,
           button.x, button.y);
}
