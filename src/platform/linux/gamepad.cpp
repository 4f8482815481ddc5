#include "platform/linux/gamepad.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/gamepad.h"
#include "shell/game_window.h"
#include "shell/gamepad_keys.h"

namespace {

struct Gamepads {
    int32_t started = 0; // 1 once SDL's subsystem runs, -1 when it could not start
    std::vector<SDL_GameController*> open;
    bool dialogActive = false; // the start-up dialog is the active window, as GTK says
};
Gamepads gamepads;

bool StartGamepads() {
    if (gamepads.started != 0) return gamepads.started == 1;
    // A is the bottom face button on every controller, whatever it is labelled.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    // What the controllers hold while another window is in front too: SDL
    // would keep their old state then, and a button held all along would seem
    // pressed as the game comes back. Whether a press counts is the game's
    // call (GameInFront).
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "kelmot: controllers cannot be used: %s\n", SDL_GetError());
        gamepads.started = -1;
        return false;
    }
    // The game reads the controllers at each look, so SDL's event queue never
    // fills with their events, not even while the start-up dialog is up and no
    // one takes events.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    gamepads.started = 1;
    return true;
}

bool IsOpen(SDL_JoystickID id) {
    return std::any_of(gamepads.open.begin(), gamepads.open.end(), [id](SDL_GameController* pad) {
        return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id;
    });
}

uint32_t HeldOn(SDL_GameController* pad) {
    static constexpr struct {
        SDL_GameControllerButton button;
        uint32_t held;
    } buttons[] = {{SDL_CONTROLLER_BUTTON_DPAD_UP, padUp},
                   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, padDown},
                   {SDL_CONTROLLER_BUTTON_DPAD_LEFT, padLeft},
                   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, padRight},
                   {SDL_CONTROLLER_BUTTON_A, padA},
                   {SDL_CONTROLLER_BUTTON_B, padB},
                   {SDL_CONTROLLER_BUTTON_Y, padY},
                   {SDL_CONTROLLER_BUTTON_START, padStart},
                   {SDL_CONTROLLER_BUTTON_BACK, padBack}};
    uint32_t held = 0;
    for (const auto& button : buttons)
        if (SDL_GameControllerGetButton(pad, button.button) != 0) held |= button.held;
    constexpr float travel = 32767.0f;
    return held |
           StickDirections(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX) / travel,
                           SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY) / travel);
}

} // namespace

// What every controller holds, after letting go of those unplugged and
// picking up those plugged in since the last look.
uint32_t HeldGamepadButtons() {
    if (!StartGamepads()) return 0;
    SDL_GameControllerUpdate();
    std::erase_if(gamepads.open, [](SDL_GameController* pad) {
        if (SDL_GameControllerGetAttached(pad)) return false;
        SDL_GameControllerClose(pad);
        return true;
    });
    const size_t kept = gamepads.open.size();
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (!SDL_IsGameController(index) || IsOpen(SDL_JoystickGetDeviceInstanceID(index)))
            continue;
        if (SDL_GameController* pad = SDL_GameControllerOpen(index)) gamepads.open.push_back(pad);
    }
    // A controller just opened holds what it holds now, not nothing.
    if (gamepads.open.size() != kept) SDL_GameControllerUpdate();
    uint32_t held = 0;
    for (SDL_GameController* pad : gamepads.open) held |= HeldOn(pad);
    return held;
}

// The game's window has the keyboard once SDL has handled its focus event,
// which it does before the window loop's look; the start-up dialog is GTK's,
// which says at each look whether it is active.
bool GameInFront() {
    if (gamepads.dialogActive) return true;
    return gameWindow && gameWindow->window && SDL_GetKeyboardFocus() == gameWindow->window;
}

uint32_t PollGamepadsForGtkDialog(int32_t dialogActive) {
    gamepads.dialogActive = dialogActive != 0;
    const uint32_t keys = PollGamepadsForDialog();
    gamepads.dialogActive = false;
    return keys;
}

void StopGamepads() {
    for (SDL_GameController* pad : gamepads.open) SDL_GameControllerClose(pad);
    if (gamepads.started == 1) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    gamepads = Gamepads{};
}
