#include "shell/window_messages.h"

#include <array>
#include <tuple>

#include "platform/messages.h"
#include "render/pointer_targets.h"
#include "shell/gamepad_keys.h"
#include "shell/main_loop.h"
#include "shell/projection.h"

namespace {

// By key code, the inputs (KeySource bits) holding the key down.
std::array<uint8_t, std::tuple_size_v<KeyTable>> keyHolders{};

} // namespace

void RecordKey(GameWindow* window, KeySource source, uint32_t code, int32_t down) {
    if (code >= keyHolders.size()) return;
    const auto bit = static_cast<uint8_t>(source);
    if (down != 0) {
        keyHolders[code] |= bit;
        (*window->keyTable)[code] = 1;
        return;
    }
    keyHolders[code] &= uint8_t(~bit);
    if (keyHolders[code] == 0) (*window->keyTable)[code] = 0;
}

void ReleaseAllKeys(GameWindow* window) {
    keyHolders.fill(0);
    window->keyTable->fill(0);
    // A controller's button held on is no press either, until let go: the
    // game may look next only once it is back in front.
    IgnoreHeldGamepadButtons();
}

void WindowShown(GameWindow* window, int32_t width, int32_t height) {
    window->visible = 1;
    // What the pointer could find was laid out for the size before.
    ForgetPointerTargets();
    SetProjection(width, height);
}

void WindowOpened(GameWindow* window) {
    window->visible = 1;
    SetProjection(window->width, window->height);
    ReleaseAllKeys(window);
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
