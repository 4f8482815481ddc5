#pragma once

#include <cstdint>

struct GameWindow;

// A controller stands for keys. Each system reads its controllers into the
// buttons below (every controller's together, as one more keyboard); what the
// buttons stand for, and how a held direction repeats, is the same everywhere.

enum GamepadButton : uint32_t {
    padUp = 1u << 0, // the D-pad, or the left stick past half its travel
    padDown = 1u << 1,
    padLeft = 1u << 2,
    padRight = 1u << 3,
    padA = 1u << 4, // the bottom face button
    padB = 1u << 5, // the right one
    padY = 1u << 6, // the top one
    padStart = 1u << 7,
    padBack = 1u << 8, // Back, Select, View
};
constexpr int32_t gamepadButtonCount = 9;

// The directions a stick points in, x to the right and y down, each from -1 to
// 1: those it is pushed past half its travel in.
uint32_t StickDirections(float x, float y);

// What the buttons did, remembered from one look to the next.
struct GamepadState {
    uint32_t held = 0;      // the buttons down at the last look
    uint32_t repeating = 0; // the direction that repeats while held, or 0
    uint32_t repeatAt = 0;  // when it repeats next, on the millisecond clock
};

struct GamepadChange {
    uint32_t button; // one GamepadButton
    int32_t down;    // 1 pressed (or repeated), 0 let go
};
struct GamepadChanges {
    int32_t count = 0;
    GamepadChange list[gamepadButtonCount];
};

// The changes since the last look, given the buttons held now at the
// millisecond clock's now: each button pressed or let go, and the direction
// pressed last pressed again while it stays held, as a held key repeats: half a
// second after its press, then ten times a second.
GamepadChanges FollowGamepads(GamepadState* state, uint32_t held, uint32_t now);

// In the game the buttons are keys, and their presses and releases go where the
// keyboard's go: the D-pad the arrow keys, A Enter, B ESC, Y "R", Start Enter,
// Back ESC.
void PressGamepadKeys(GameWindow* window, GamepadState* state, uint32_t held, uint32_t now);

// In the start-up dialog and the message boxes the D-pad moves the focus as
// Shift+Tab (up), Tab (down) and the arrow keys (left, right) do there, A is
// Space on the focused control and Start is Enter.
enum DialogKey : uint32_t {
    dialogShiftTab,
    dialogTab,
    dialogLeft,
    dialogRight,
    dialogSpace,
    dialogEnter
};

// The dialog keys pressed since the last look, as bits 1 << DialogKey.
uint32_t GamepadDialogKeys(GamepadState* state, uint32_t held, uint32_t now);
