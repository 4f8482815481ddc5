// The pointer on the game's canvas: the page (page.js) takes its Pointer Events,
// mouse, touch and pen alike, and hands them to the shared pointer handling.

#include <emscripten.h>

#include "platform/pointer.h"

// action: 0 a move, 1 a press, 2 a release, 3 a press the browser took away;
// x and y in the canvas's pixels from its bottom left. Taken at once, not
// queued with the keys: it only notes what the pointer asks for, which the
// next frame carries out.
extern "C" EMSCRIPTEN_KEEPALIVE void KelmotPointer(int32_t action, float x, float y) {
    if (gameWindow == nullptr || gameWindow->window == nullptr || action < 0 || action > 3) return;
    RecordPointer(gameWindow, static_cast<PointerAction>(action), x, y);
}
