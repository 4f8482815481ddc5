#include "shell/gamepad_keys.h"

#include <bit>

#include "game/key_table.h"
#include "shell/window_messages.h"

namespace {

constexpr uint32_t directions = padUp | padDown | padLeft | padRight;
constexpr uint32_t firstRepeatMs = 500;
constexpr uint32_t repeatMs = 100;

// By bit, in the order of GamepadButton.
constexpr uint8_t gameKeys[gamepadButtonCount] = {vkUp,     vkDown, vkLeft,   vkRight, vkReturn,
                                                  vkEscape, vkR,    vkReturn, vkEscape};

// By bit, in the order of GamepadButton: the DialogKey each button presses, or
// -1 for none.
constexpr int8_t dialogKeys[gamepadButtonCount] = {
    dialogShiftTab, dialogTab, dialogLeft, dialogRight, dialogSpace, -1, -1, dialogEnter, -1};

bool KeyHeld(uint32_t held, uint8_t key) {
    for (int32_t bit = 0; bit < gamepadButtonCount; ++bit)
        if ((held >> bit & 1) != 0 && gameKeys[bit] == key) return true;
    return false;
}

} // namespace

uint32_t StickDirections(float x, float y) {
    uint32_t held = 0;
    if (x < -0.5f) held |= padLeft;
    if (x > 0.5f) held |= padRight;
    if (y < -0.5f) held |= padUp;
    if (y > 0.5f) held |= padDown;
    return held;
}

GamepadChanges FollowGamepads(GamepadState* state, uint32_t held, uint32_t now) {
    GamepadChanges changes;
    const uint32_t changed = held ^ state->held;
    for (int32_t bit = 0; bit < gamepadButtonCount; ++bit) {
        const uint32_t button = 1u << bit;
        if ((changed & button) == 0) continue;
        const int32_t down = (held & button) != 0 ? 1 : 0;
        changes.list[changes.count++] = {button, down};
        if (down != 0 && (button & directions) != 0) {
            state->repeating = button;
            state->repeatAt = now + firstRepeatMs;
        }
    }
    if ((held & state->repeating) == 0) {
        state->repeating = 0;
    } else if ((changed & state->repeating) == 0 && int32_t(now - state->repeatAt) >= 0) {
        // One repeat however long since the last look: a game that was away
        // does not find a burst of them.
        changes.list[changes.count++] = {state->repeating, 1};
        state->repeatAt = now + repeatMs;
    }
    state->held = held;
    return changes;
}

void PressGamepadKeys(GameWindow* window, GamepadState* state, uint32_t held, uint32_t now) {
    const GamepadChanges changes = FollowGamepads(state, held, now);
    for (int32_t index = 0; index < changes.count; ++index) {
        const GamepadChange& change = changes.list[index];
        const uint8_t key = gameKeys[std::countr_zero(change.button)];
        // A and Start are both Enter, B and Back both ESC: the key stays down
        // while either is held.
        if (change.down == 0 && KeyHeld(held, key)) continue;
        RecordKey(window, KeySource::controller, key, change.down);
    }
}

uint32_t GamepadDialogKeys(GamepadState* state, uint32_t held, uint32_t now) {
    const GamepadChanges changes = FollowGamepads(state, held, now);
    uint32_t keys = 0;
    for (int32_t index = 0; index < changes.count; ++index) {
        if (changes.list[index].down == 0) continue;
        const int8_t key = dialogKeys[std::countr_zero(changes.list[index].button)];
        if (key >= 0) keys |= 1u << key;
    }
    return keys;
}
