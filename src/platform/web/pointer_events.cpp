// The pointer on the game's canvas: the page (page.js) takes its Pointer Events,
// mouse, touch and pen alike, and hands them to the shared pointer handling.

#include <emscripten.h>

#include "platform/pointer.h"
#include "shell/pointer.h"

// action: 0 a move, 1 a press, 2 a release; x and y in canvas pixels from its
// top left. Taken at once, not queued with the keys: it only notes what the
// pointer asks for, which the next frame carries out.
extern "C" EMSCRIPTEN_KEEPALIVE void KelmotPointer(int32_t action, int32_t x, int32_t y) {
    if (gameWindow == nullptr || gameWindow->window == nullptr || action < 0 || action > 2) return;
    RecordPointer(gameWindow, static_cast<PointerAction>(action), x, y);
}

// The canvas is the client area, as high as the window was asked to be.
int32_t ClientHeight(GameWindow* window) { return window->height; }
