#include "shell/window_messages.h"

#include "platform/messages.h"
#include "shell/main_loop.h"
#include "shell/projection.h"

void RecordKey(GameWindow* window, uint32_t code, int32_t down) {
    if (code < window->keyTable->size()) (*window->keyTable)[code] = down;
}

void WindowShown(GameWindow* window, int32_t width, int32_t height) {
    window->visible = 1;
    SetProjection(width, height);
}

void WindowOpened(GameWindow* window) {
    window->visible = 1;
    SetProjection(window->width, window->height);
    window->keyTable->fill(0);
    window->lastFrameTime = MillisecondClock();
}

void WindowMinimised(GameWindow* window) { window->visible = 0; }

void ToggleDisplayMode(GameWindow* window) {
    nextFullscreen = nextFullscreen == 1 ? 0 : 1;
    PostEndOfPass(window);
}

void RequestQuit(GameWindow* window) {
    PostEndOfPass(window);
    keepRunning = 0;
}
