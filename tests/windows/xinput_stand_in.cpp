// A stand-in for XInput, put beside the game as xinput1_4.dll by the controller
// test and loaded by Wine before its own: its slots are the scripted
// controllers (support/scripted_gamepad.h), read from the working folder at
// each call, which is one look of the game.

#include <windows.h>
#include <xinput.h>

#include "support/scripted_gamepad.h"

namespace {

// XInput's buttons in the order of the scripted names.
constexpr WORD buttons[scriptedButtonCount] = {XINPUT_GAMEPAD_DPAD_UP,   XINPUT_GAMEPAD_DPAD_DOWN,
                                               XINPUT_GAMEPAD_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_RIGHT,
                                               XINPUT_GAMEPAD_A,         XINPUT_GAMEPAD_B,
                                               XINPUT_GAMEPAD_X,         XINPUT_GAMEPAD_Y,
                                               XINPUT_GAMEPAD_START,     XINPUT_GAMEPAD_BACK};

int lastTaps[XUSER_MAX_COUNT] = {};

} // namespace

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    if (slot >= XUSER_MAX_COUNT) return ERROR_BAD_ARGUMENTS;
    const ScriptedGamepad pad =
        ShownScriptedGamepad(ReadScriptedGamepad(int(slot) + 1), &lastTaps[slot]);
    if (!pad.plugged) return ERROR_DEVICE_NOT_CONNECTED;
    *state = XINPUT_STATE{};
    for (int button = 0; button < scriptedButtonCount; ++button)
        if (pad.held[button]) state->Gamepad.wButtons |= buttons[button];
    // XInput's stick points up for positive y.
    state->Gamepad.sThumbLX = SHORT(pad.stickX * 32767 / 100);
    state->Gamepad.sThumbLY = SHORT(-pad.stickY * 32767 / 100);
    return ERROR_SUCCESS;
}
