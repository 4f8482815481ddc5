#include "platform/linux/display_mode.h"

#include <SDL2/SDL_syswm.h>

#include <cstdlib>

#include "platform/linux/monitor_modes.h"

namespace {

// How long the window manager is given to show a full-screen window at its
// mode's size.
constexpr uint32_t placingTime = 3000; // ms

// Where the last full-screen switch on X put the game's monitor.
MonitorPlace fullScreenPlace;

// Whether the full-screen window is minimised, its monitor in its own mode.
bool minimised = false;

// Whether the full-screen window's size changed and it has not been seen over
// the game's monitor since, and when that began.
bool placing = false;
uint32_t placingStart = 0;

// The display's mode of exactly width x height whose colour depth is nearest to
// bits (the first listed, so the highest refresh rate, among equals).
bool FindDisplayMode(int display, int32_t width, int32_t height, int32_t bits,
                     SDL_DisplayMode* found) {
    bool any = false;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
        if (mode.w != width || mode.h != height) continue;
        const int distance = std::abs(static_cast<int>(SDL_BITSPERPIXEL(mode.format)) - bits);
        if (!any || distance < std::abs(static_cast<int>(SDL_BITSPERPIXEL(found->format)) - bits))
            *found = mode;
        any = true;
    }
    return any;
}

// The window's X connection and id; false where SDL does not run on X.
bool XWindowOf(SDL_Window* window, Display** display, Window* xWindow) {
    SDL_SysWMinfo system;
    SDL_VERSION(&system.version);
    if (!SDL_GetWindowWMInfo(window, &system) || system.subsystem != SDL_SYSWM_X11) return false;
    *display = system.info.x11.display;
    *xWindow = system.info.x11.window;
    return true;
}

// Whether the X window stands at place, place's size, as the server has it now.
bool WindowAt(Display* display, Window window, const MonitorPlace& place) {
    Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    XSync(display, False);
    if (!XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth) ||
        !XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child))
        return false;
    return x == place.x && y == place.y && int(width) == place.width && int(height) == place.height;
}

// Waits for the window manager to show the full-screen window over the game's
// monitor, at the size of its mode.
bool CoversMonitor(Display* display, Window window) {
    const uint32_t start = SDL_GetTicks();
    while (!WindowAt(display, window, fullScreenPlace)) {
        if (SDL_GetTicks() - start >= placingTime) return false;
        SDL_Delay(10);
    }
    return true;
}

// Asks for the window full screen on the game's monitor, where the last switch
// found it (SDL learns of monitors moved only when they are added).
bool AskForFullScreen(SDL_Window* window) {
    SDL_SetWindowPosition(window, fullScreenPlace.x, fullScreenPlace.y);
    return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

// Full screen on X: the game's monitor in the mode the game sets there itself,
// the window over it.
bool ShowOnOwnMonitor(SDL_Window* window, Display* display, Window xWindow, int32_t width,
                      int32_t height) {
    if (!SetMonitorMode(display, width, height, &fullScreenPlace) || !AskForFullScreen(window))
        return false;
    SDL_ShowWindow(window);
    return CoversMonitor(display, xWindow);
}

// Full screen elsewhere, in a mode SDL sets itself as the window appears.
bool ShowInSdlMode(SDL_Window* window, int32_t width, int32_t height, int32_t bits) {
    SDL_DisplayMode mode;
    if (!FindDisplayMode(gameDisplay, width, height, bits, &mode) ||
        SDL_SetWindowDisplayMode(window, &mode) != 0 ||
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0)
        return false;
    SDL_ShowWindow(window);
    SDL_DisplayMode current;
    return SDL_GetCurrentDisplayMode(gameDisplay, &current) == 0 && current.w == width &&
           current.h == height;
}

void LeaveFullScreen(SDL_Window* window) {
    RestoreMonitorMode();
    SDL_SetWindowFullscreen(window, 0);
}

} // namespace

int32_t SwitchDisplayMode(SDL_Window* window, int32_t width, int32_t height, int32_t bits) {
    minimised = false;
    placing = false;
    Display* display = nullptr;
    Window xWindow = 0;
    const bool shown = XWindowOf(window, &display, &xWindow)
                           ? ShowOnOwnMonitor(window, display, xWindow, width, height)
                           : ShowInSdlMode(window, width, height, bits);
    if (shown) return 1;
    LeaveFullScreen(window);
    SDL_HideWindow(window);
    return 0;
}

void WatchFullScreenPlace() {
    if (placing) return;
    placing = true;
    placingStart = SDL_GetTicks();
}

bool FullScreenPlaceRefused(SDL_Window* window) {
    if (!placing) return false;
    Display* display = nullptr;
    Window xWindow = 0;
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0 ||
        !XWindowOf(window, &display, &xWindow) || WindowAt(display, xWindow, fullScreenPlace)) {
        placing = false;
        return false;
    }
    if (SDL_GetTicks() - placingStart < placingTime) return false;
    placing = false;
    LeaveFullScreen(window);
    return true;
}

void FullScreenMinimised() {
    minimised = true;
    RestoreMonitorMode();
}

void FullScreenRestored(SDL_Window* window, int32_t width, int32_t height) {
    // SDL says "restored" also when the window is mapped, or the window
    // manager takes away a state such as maximised: only a return from
    // minimised sets the mode again.
    if (!minimised) return;
    minimised = false;
    Display* display = nullptr;
    Window xWindow = 0;
    if (!XWindowOf(window, &display, &xWindow) ||
        !SetMonitorMode(display, width, height, &fullScreenPlace))
        return;
    // SDL has the window made full screen again as it comes back, before the
    // mode is set; a compositor reads Xwayland's mark only when it is asked.
    SDL_SetWindowFullscreen(window, 0);
    AskForFullScreen(window);
}
