#include "shell/gamepad_keys.h"

#include <bit>

#include "game/key_table.h"
#include "game/screen_flags.h"
#include "platform/gamepad.h"
#include "platform/messages.h"
#include "shell/window_messages.h"

namespace {

constexpr uint32_t directions = padUp | padDown | padLeft | padRight;
constexpr uint32_t vertical = padUp | padDown;
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

GamepadChanges FollowGamepads(GamepadState* state, const GamepadLook& look, bool verticalOnly) {
    if (!state->looked || !look.inFront) {
        // Whatever is held now was pressed before the game could see it.
        state->ignored = look.held;
        state->looked = true;
    } else {
        state->ignored &= look.held;
    }
    const uint32_t counted = look.held & ~state->ignored;
    const uint32_t changed = counted ^ state->counted;
    GamepadChanges changes;
    for (int32_t bit = 0; bit < gamepadButtonCount; ++bit) {
        const uint32_t button = 1u << bit;
        if ((changed & button) == 0) continue;
        const int32_t down = (counted & button) != 0 ? 1 : 0;
        changes.list[changes.count++] = {button, down};
        if (down != 0 && (button & directions) != 0) {
            // The last pressed of a pair of opposites repeats.
            const uint32_t axis = (button & vertical) != 0 ? vertical : directions & ~vertical;
            state->repeating = (state->repeating & ~axis) | button;
            state->repeatAt = look.now + firstRepeatMs;
        }
    }
    state->repeating &= counted;
    state->counted = counted;
    if (state->repeating == 0 || int32_t(look.now - state->repeatAt) < 0) return changes;
    // One repeat however long since the last look: a game that was away does
    // not find a burst of them.
    uint32_t repeats = state->repeating;
    if (verticalOnly && (repeats & vertical) != 0) repeats &= vertical;
    for (int32_t bit = 0; bit < gamepadButtonCount; ++bit)
        if ((repeats >> bit & 1) != 0) changes.list[changes.count++] = {1u << bit, 1};
    state->repeatAt = look.now + repeatMs;
    return changes;
}

void PressGamepadKeys(GameWindow* window, GamepadState* state, const GamepadLook& look) {
    const GamepadChanges changes = FollowGamepads(state, look, screenFlags.inMenu != 0);
    for (int32_t index = 0; index < changes.count; ++index) {
        const GamepadChange& change = changes.list[index];
        const uint8_t key = gameKeys[std::countr_zero(change.button)];
        // A and Start are both Enter, B and Back both ESC: the key stays down
        // while either is held.
        if (change.down == 0 && KeyHeld(state->counted, key)) continue;
        RecordKey(window, KeySource::controller, key, change.down);
    }
}

uint32_t GamepadDialogKeys(GamepadState* state, const GamepadLook& look) {
    // Up and Down move through every control of a dialog, Left and Right only
    // within a group.
    const GamepadChanges changes = FollowGamepads(state, look, true);
    uint32_t keys = 0;
    for (int32_t index = 0; index < changes.count; ++index) {
        if (changes.list[index].down == 0) continue;
        const int8_t key = dialogKeys[std::countr_zero(changes.list[index].button)];
        if (key >= 0) keys |= 1u << key;
    }
    return keys;
}

namespace {

// The game's one record of the controllers, for its window and its dialogs
// alike: a button pressed in the dialog and still held in the game is no new
// press there.
GamepadState gamepadState;

GamepadLook LookAtGamepads() {
    GamepadLook look;
    look.held = HeldGamepadButtons();
    look.inFront = GameInFront();
    look.now = MillisecondClock();
    return look;
}

} // namespace

void PollGamepads(GameWindow* window) { PressGamepadKeys(window, &gamepadState, LookAtGamepads()); }

uint32_t PollGamepadsForDialog() { return GamepadDialogKeys(&gamepadState, LookAtGamepads()); }

void IgnoreHeldGamepadButtons() { gamepadState = GamepadState{}; }
