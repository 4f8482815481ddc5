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
    uint32_t counted = 0;   // the buttons down as presses: pressed while in front, not let go
    uint32_t ignored = 0;   // buttons held that are no press until let go: held at the
                            // first look, or while the game was not in front
    uint32_t repeating = 0; // the directions that repeat while held, one per axis at most
    uint32_t repeatAt = 0;  // when they repeat next, on the millisecond clock
    bool looked = false;    // false until the first look
};

struct GamepadChange {
    uint32_t button; // one GamepadButton
    int32_t down;    // 1 pressed (or repeated), 0 let go
};
struct GamepadChanges {
    int32_t count = 0;
    // A button changes or repeats at most once a look: a direction repeats
    // only in a look where no direction was pressed.
    GamepadChange list[gamepadButtonCount];
};

// What a look sees: the buttons held (every controller's together), whether the
// game is in front, and the millisecond clock.
struct GamepadLook {
    uint32_t held = 0;
    bool inFront = false;
    uint32_t now = 0;
};

// The changes since the last look. Only a press seen while the game is in
// front counts: a button held at the first look, or when the game comes to the
// front, is no press, nor is its release; one counted as down is let go as the
// game goes behind another window. A held direction repeats as a held key
// does: half a second after the last direction pressed, then ten times a
// second. Where two are held (a diagonal) both repeat together, unless
// verticalOnly, where a menu moves only up and down: then only the vertical one.
GamepadChanges FollowGamepads(GamepadState* state, const GamepadLook& look, bool verticalOnly);

// In the game the buttons are keys, and their presses and releases go where the
// keyboard's go: the D-pad the arrow keys, A Enter, B ESC, Y "R", Start Enter,
// Back ESC. A diagonal repeats as the screen shown takes it: in a menu
// (screenFlags.inMenu) the vertical arrow, in a game both arrows.
void PressGamepadKeys(GameWindow* window, GamepadState* state, const GamepadLook& look);

// In the start-up dialog and the message boxes the D-pad moves the focus as
// Shift+Tab (up), Tab (down) and the arrow keys (left, right) do there, A is
// Space on the focused control and Start is Enter. A held diagonal repeats
// Tab or Shift+Tab.
enum DialogKey : uint32_t {
    dialogShiftTab,
    dialogTab,
    dialogLeft,
    dialogRight,
    dialogSpace,
    dialogEnter
};

// The dialog keys pressed since the last look, as bits 1 << DialogKey.
uint32_t GamepadDialogKeys(GamepadState* state, const GamepadLook& look);

// One look at the controllers through the system's promise (platform/gamepad.h),
// with the one state the game keeps for them: for the game window, where they
// press its keys, and for the start-up dialog or a message box, where they give
// the dialog keys pressed.
void PollGamepads(GameWindow* window);
uint32_t PollGamepadsForDialog();

// What the controllers hold at the next look is no press until let go, as at
// the first look: the game's window has lost the keyboard or is new, and the
// game may not look again before it is back in front (a minimised window, a
// hidden page).
void IgnoreHeldGamepadButtons();
