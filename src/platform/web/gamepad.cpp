// Controllers in the browser, through the Gamepad API: every controller the
// browser gives the standard layout, looked at once a frame, and fifty times a
// second by the page while its start-up dialog or a message box is up.

#include <emscripten.h>

#include "platform/gamepad.h"
#include "shell/gamepad_keys.h"

namespace {

constexpr int maxGamepads = 4;

// For each controller in the standard layout, up to capacity of them: the
// buttons pressed (bit N for its button N) and the left stick (x, y). How many
// there are; none where the browser has no Gamepad API or keeps it from the
// page.
// clang-format off
EM_JS(int, ReadPageGamepads, (int* pressed, float* sticks, int capacity), {
    let pads = [];
    try {
        pads = navigator.getGamepads ? Array.from(navigator.getGamepads()) : [];
    } catch (refused) {
        return 0;
    }
    let count = 0;
    for (const pad of pads) {
        if (!pad || !pad.connected || pad.mapping != 'standard' || count == capacity) continue;
        let bits = 0;
        pad.buttons.forEach((button, index) => { if (button.pressed && index < 32) bits |= 1 << index; });
        HEAP32[(pressed >> 2) + count] = bits;
        HEAPF32[(sticks >> 2) + 2 * count] = pad.axes[0] || 0;
        HEAPF32[(sticks >> 2) + 2 * count + 1] = pad.axes[1] || 0;
        ++count;
    }
    return count;
});

// The page is in front: shown, and its window the one the keyboard types into.
EM_JS(int, PageInFront, (), { return !document.hidden && document.hasFocus() ? 1 : 0; });
// clang-format on

} // namespace

uint32_t HeldGamepadButtons() {
    // The standard layout's buttons.
    static constexpr struct {
        int index;
        uint32_t held;
    } buttons[] = {{12, padUp}, {13, padDown}, {14, padLeft}, {15, padRight}, {0, padA},
                   {1, padB},   {3, padY},     {9, padStart}, {8, padBack}};
    int pressed[maxGamepads];
    float sticks[2 * maxGamepads];
    const int count = ReadPageGamepads(pressed, sticks, maxGamepads);
    uint32_t held = 0;
    for (int pad = 0; pad < count; ++pad) {
        for (const auto& button : buttons)
            if ((pressed[pad] >> button.index & 1) != 0) held |= button.held;
        held |= StickDirections(sticks[2 * pad], sticks[2 * pad + 1]);
    }
    return held;
}

bool GameInFront() { return PageInFront() != 0; }

// Asked by the page fifty times a second while its start-up dialog or a
// message box is up: the dialog keys (shell/gamepad_keys.h) the controllers
// pressed since the last look.
extern "C" EMSCRIPTEN_KEEPALIVE uint32_t KelmotGamepadDialogKeys() {
    return PollGamepadsForDialog();
}
