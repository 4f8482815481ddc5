#include "platform/win32/gamepad.h"

#include <xinput.h>

#include "platform/gamepad.h"
#include "platform/messages.h"
#include "shell/gamepad_keys.h"

namespace {

using GetState = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

struct Gamepads {
    bool loaded = false;
    GetState getState = nullptr;
    bool connected[XUSER_MAX_COUNT] = {};
    bool freeSlotsLooked = false;
    uint32_t freeSlotsLookedAt = 0;
};
Gamepads gamepads;

GetState LoadXInput() {
    for (const char* name : {"xinput1_4.dll", "xinput9_1_0.dll"}) {
        // From the program's own folder or the system's, never the working one.
        HMODULE library = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        if (library == nullptr) continue;
        if (FARPROC function = GetProcAddress(library, "XInputGetState"))
            return reinterpret_cast<GetState>(reinterpret_cast<void (*)()>(function));
        FreeLibrary(library);
    }
    return nullptr;
}

uint32_t HeldOn(const XINPUT_GAMEPAD& pad) {
    static constexpr struct {
        WORD button;
        uint32_t held;
    } buttons[] = {{XINPUT_GAMEPAD_DPAD_UP, padUp},
                   {XINPUT_GAMEPAD_DPAD_DOWN, padDown},
                   {XINPUT_GAMEPAD_DPAD_LEFT, padLeft},
                   {XINPUT_GAMEPAD_DPAD_RIGHT, padRight},
                   {XINPUT_GAMEPAD_A, padA},
                   {XINPUT_GAMEPAD_B, padB},
                   {XINPUT_GAMEPAD_Y, padY},
                   {XINPUT_GAMEPAD_START, padStart},
                   {XINPUT_GAMEPAD_BACK, padBack}};
    uint32_t held = 0;
    for (const auto& button : buttons)
        if ((pad.wButtons & button.button) != 0) held |= button.held;
    // XInput's stick points up for positive y.
    constexpr float travel = 32767.0f;
    return held | StickDirections(pad.sThumbLX / travel, -pad.sThumbLY / travel);
}

} // namespace

// What every controller holds. Asking about an empty slot is slow, so those
// are asked once a second, for a controller plugged in since.
uint32_t HeldGamepadButtons() {
    if (!gamepads.loaded) {
        gamepads.getState = LoadXInput();
        gamepads.loaded = true;
    }
    if (gamepads.getState == nullptr) return 0;
    const uint32_t now = MillisecondClock();
    const bool lookAtFreeSlots =
        !gamepads.freeSlotsLooked || now - gamepads.freeSlotsLookedAt >= 1000;
    if (lookAtFreeSlots) {
        gamepads.freeSlotsLooked = true;
        gamepads.freeSlotsLookedAt = now;
    }
    uint32_t held = 0;
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        if (!gamepads.connected[slot] && !lookAtFreeSlots) continue;
        XINPUT_STATE state{};
        gamepads.connected[slot] = gamepads.getState(slot, &state) == ERROR_SUCCESS;
        if (gamepads.connected[slot]) held |= HeldOn(state.Gamepad);
    }
    return held;
}

// The foreground window is one of the game's own: its window, the start-up
// dialog or a message box. Another program's window in front, or none (the
// desktop's), is not.
bool GameInFront() {
    HWND front = GetForegroundWindow();
    DWORD process = 0;
    if (front != nullptr) GetWindowThreadProcessId(front, &process);
    return front != nullptr && process == GetCurrentProcessId();
}

namespace {

// The dialog or box the game has up: its thread's topmost window of the dialog
// class.
HWND ShownDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            char className[8] = {};
            GetClassNameA(window, className, sizeof className);
            if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A key pressed on the focused control as the dialog's own message loop hands
// it on: the dialog moves the focus for an arrow, presses its default button
// for Enter, and the focused button takes Space.
void PressDialogKey(HWND dialog, WPARAM key) {
    HWND focused = GetFocus();
    MSG message{focused != nullptr ? focused : dialog, WM_KEYDOWN, key, 0, 0, {}};
    IsDialogMessageA(dialog, &message);
    if (key != VK_SPACE) return;
    message.message = WM_KEYUP;
    IsDialogMessageA(dialog, &message);
}

void CALLBACK FollowGamepadsInDialog(HWND, UINT, UINT_PTR, DWORD) {
    const uint32_t keys = PollGamepadsForDialog();
    HWND dialog = keys != 0 ? ShownDialog() : nullptr;
    if (dialog == nullptr) return;
    // The focus shows from now on, as it does once the keyboard moves it.
    SendMessageA(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    // Tab and Shift+Tab as the dialog takes them, whatever Shift is doing.
    if ((keys & 1u << dialogShiftTab) != 0) SendMessageA(dialog, WM_NEXTDLGCTL, 1, FALSE);
    if ((keys & 1u << dialogTab) != 0) SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
    if ((keys & 1u << dialogLeft) != 0) PressDialogKey(dialog, VK_LEFT);
    if ((keys & 1u << dialogRight) != 0) PressDialogKey(dialog, VK_RIGHT);
    if ((keys & 1u << dialogSpace) != 0) PressDialogKey(dialog, VK_SPACE);
    if ((keys & 1u << dialogEnter) != 0) PressDialogKey(dialog, VK_RETURN);
}

} // namespace

UINT_PTR StartDialogGamepads() { return SetTimer(nullptr, 0, 20, FollowGamepadsInDialog); }

void StopDialogGamepads(UINT_PTR timer) {
    if (timer != 0) KillTimer(nullptr, timer);
}
