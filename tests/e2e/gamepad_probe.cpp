// Preloaded into the real game by the controller test: the scripted controllers
// (support/scripted_gamepad.h) become SDL's virtual joysticks of the
// game-controller kind. A thread of the probe's own attaches and detaches them
// as their files come and go, once the game has started SDL's controllers (those
// there already as it starts them, before its first look at them), and
// stops before SDL does (the game's SDL_Quit and SDL_QuitSubSystem wait for it);
// at each of the game's looks SDL asks a joystick what it holds, and it answers
// from its file.

#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

#include "support/scripted_gamepad.h"

namespace {

constexpr int padCount = 2;
// SDL's buttons in the order of the scripted names; a virtual controller's
// button N is SDL's button N.
constexpr SDL_GameControllerButton buttons[scriptedButtonCount] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,         SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_START,     SDL_CONTROLLER_BUTTON_BACK};

std::mutex sdlInUse;
bool stopped = false;
std::atomic<SDL_Joystick*> joysticks[padCount] = {};
int lastTaps[padCount] = {};

// SDL's question, on the game's thread: the state of pad number N (1, 2).
void SDLCALL Answer(void* number) {
    const int pad = int(reinterpret_cast<intptr_t>(number));
    SDL_Joystick* joystick = joysticks[pad - 1];
    if (joystick == nullptr) return;
    const ScriptedGamepad held = ShownScriptedGamepad(ReadScriptedGamepad(pad), &lastTaps[pad - 1]);
    for (int button = 0; button < scriptedButtonCount; ++button)
        SDL_JoystickSetVirtualButton(joystick, buttons[button], held.held[button] ? 1 : 0);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX,
                               Sint16(held.stickX * 32767 / 100));
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY,
                               Sint16(held.stickY * 32767 / 100));
}

SDL_Joystick* Attach(int pad) {
    SDL_VirtualJoystickDesc controller{};
    controller.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    controller.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    controller.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
    controller.button_mask = (1u << controller.nbuttons) - 1;
    controller.naxes = 2;
    controller.axis_mask = 1u << SDL_CONTROLLER_AXIS_LEFTX | 1u << SDL_CONTROLLER_AXIS_LEFTY;
    controller.name = "Kelmot test controller";
    controller.userdata = reinterpret_cast<void*>(intptr_t(pad));
    controller.Update = Answer;
    const int index = SDL_JoystickAttachVirtualEx(&controller);
    return index >= 0 ? SDL_JoystickOpen(index) : nullptr;
}

void Detach(SDL_Joystick* joystick) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
    SDL_JoystickClose(joystick);
}

// Plugs in and unplugs the controllers as their files say, once SDL's
// joysticks run.
void FollowFilesOnce() {
    std::lock_guard<std::mutex> hold(sdlInUse);
    for (int pad = 0; pad < padCount && !stopped && SDL_WasInit(SDL_INIT_JOYSTICK) != 0; ++pad) {
        const bool plugged = ReadScriptedGamepad(pad + 1).plugged;
        if (plugged && joysticks[pad] == nullptr) joysticks[pad] = Attach(pad + 1);
        if (!plugged && joysticks[pad] != nullptr) Detach(joysticks[pad].exchange(nullptr));
    }
}

void* FollowFiles(void*) {
    for (;;) {
        FollowFilesOnce();
        {
            std::lock_guard<std::mutex> hold(sdlInUse);
            if (stopped) return nullptr;
        }
        usleep(5000);
    }
}

[[gnu::constructor]] void Start() {
    pthread_t thread;
    if (pthread_create(&thread, nullptr, FollowFiles, nullptr) == 0) pthread_detach(thread);
}

void Stop() {
    std::lock_guard<std::mutex> hold(sdlInUse);
    stopped = true;
}

template <typename Function> Function Real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

// A controller plugged in before the game started is there at its first look.
extern "C" int SDL_InitSubSystem(Uint32 flags) {
    static const auto init = Real<int (*)(Uint32)>("SDL_InitSubSystem");
    const int result = init(flags);
    if (result == 0 && (flags & SDL_INIT_GAMECONTROLLER) != 0) FollowFilesOnce();
    return result;
}

extern "C" void SDL_QuitSubSystem(Uint32 flags) {
    if ((flags & (SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER)) != 0) Stop();
    static const auto quit = Real<void (*)(Uint32)>("SDL_QuitSubSystem");
    quit(flags);
}

extern "C" void SDL_Quit() {
    Stop();
    static const auto quit = Real<void (*)()>("SDL_Quit");
    quit();
}
