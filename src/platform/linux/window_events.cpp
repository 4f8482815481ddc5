#include "platform/linux/window_events.h"

#include "platform/linux/display_mode.h"
#include "platform/linux/key_map.h"
#include "platform/linux/pointer_events.h"
#include "platform/messages.h"
#include "platform/pointer.h"
#include "render/error_report.h"
#include "shell/gamepad_keys.h"
#include "shell/window_messages.h"

uint32_t endOfPassEvent = 0;
uint32_t modeToggleEvent = 0;

void ModeSwitchFailed(GameWindow* window) {
    ReportError("Mode Switch Failed.\nRunning In Windowed Mode.", ReportOwner::none);
    window->fullscreenMode = 0;
}

namespace {

// The desktop gave the full-screen window another size than its mode after
// all: the game goes on in a window, as when the switch fails at the start.
void FullScreenRefused(GameWindow* window) {
    SDL_ShowCursor(SDL_ENABLE);
    ModeSwitchFailed(window);
    SDL_MaximizeWindow(window->window);
}

// A new size or state for the window. As it hides a minimised window, SDL's X11
// video can report the maximised state again, after the minimising: a window
// SDL holds hidden or minimised takes the size but still draws nothing, until
// it is shown again.
void WindowShownUnlessHidden(GameWindow* window, int32_t width, int32_t height) {
    WindowShown(window, width, height);
    if ((SDL_GetWindowFlags(window->window) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) != 0)
        WindowMinimised(window);
}

void HandleWindowEvent(GameWindow* window, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        // The window manager is given its moment to place the window while
        // the game goes on (FullScreenPlaceRefused).
        if (window->fullscreenMode == 1) WatchFullScreenPlace();
        WindowShownUnlessHidden(window, event.data1, event.data2);
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: {
        if (window->fullscreenMode == 1 && event.event == SDL_WINDOWEVENT_RESTORED)
            FullScreenRestored(window->window, window->width, window->height);
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(window->window, &width, &height);
        WindowShownUnlessHidden(window, width, height);
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
        if (window->fullscreenMode == 1) FullScreenMinimised();
        WindowMinimised(window);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        RequestQuit(window);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        SDL_DisableScreenSaver();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        SDL_EnableScreenSaver();
        // SDL lets go of the keyboard's keys itself; the controllers' presses
        // go too, and what they hold as the game comes back is no press. A
        // pointer's press under way is not finished in another window.
        ReleaseAllKeys(window);
        RecordPointer(window, PointerAction::cancel, 0, 0);
        break;
    default:
        break;
    }
}

// Alt, F10 and keys pressed with Alt belong to the desktop and are not recorded.
// A release always is: a key let go while Alt is held must not stay down in the
// table (an "R" stuck down would restart the game in every frame).
void HandleKey(GameWindow* window, const SDL_KeyboardEvent& event) {
    const bool pressed = event.type == SDL_KEYDOWN;
    if (pressed && IsSystemKey(event.keysym)) return;
    const int32_t code = VirtualKeyFor(event.keysym);
    if (code > 0) RecordKey(window, KeySource::keyboard, uint32_t(code), pressed ? 1 : 0);
}

} // namespace

void HandleWindowMessage(GameWindow* window, const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        // Only the game window's own events count.
        if (window->window && event.window.windowID == SDL_GetWindowID(window->window))
            HandleWindowEvent(window, event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        HandleKey(window, event.key);
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        HandlePointerEvent(window, event);
        break;
    case SDL_QUIT: // the last window closed, or SIGINT / SIGTERM
        RequestQuit(window);
        break;
    default:
        if (event.type == modeToggleEvent) ToggleDisplayMode(window);
        break;
    }
}

namespace {

// The performance counter in microseconds.
int64_t MicrosecondClock() {
    static const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t count = SDL_GetPerformanceCounter();
    return int64_t(count / frequency * 1'000'000 + count % frequency * 1'000'000 / frequency);
}

} // namespace

TakenMessage TakeWindowMessage(GameWindow* window) {
    SDL_Event event;
    while (!SDL_PollEvent(&event)) {
        // Each time nothing is waiting: the controllers' keys, and whether
        // the desktop took full screen away.
        PollGamepads(window);
        if (window->fullscreenMode == 1 && FullScreenPlaceRefused(window->window))
            FullScreenRefused(window);
        if (window->visible == 0) return TakenMessage::none;
        const uint32_t wait = MillisecondsBeforeFrame(&window->pace, MicrosecondClock());
        if (wait == 0) return TakenMessage::none;
        // Leaves a message that comes in the queue, for the look above.
        SDL_WaitEventTimeout(nullptr, int(wait));
    }
    if (event.type == endOfPassEvent) return TakenMessage::endOfPass;
    HandleWindowMessage(window, event);
    return TakenMessage::handled;
}

void WaitForMessage() { SDL_WaitEvent(nullptr); }

void PostEndOfPass(GameWindow*) {
    SDL_Event event{};
    event.type = endOfPassEvent;
    SDL_PushEvent(&event);
}

void SwapGameBuffers(GameWindow* window) { SDL_GL_SwapWindow(window->window); }

uint32_t MillisecondClock() { return SDL_GetTicks(); }
