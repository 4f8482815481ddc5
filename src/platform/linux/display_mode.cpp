#include "platform/linux/display_mode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/linux/monitor_modes.h"

namespace {

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

// Sets the monitor's mode through XRandR where SDL runs on X; SDL alone does it
// elsewhere.
MonitorSwitch SetOwnMode(const SDL_DisplayMode& mode) {
    const char* driver = SDL_GetCurrentVideoDriver();
    SDL_Rect bounds;
    if (!driver || std::strcmp(driver, "x11") != 0 || SDL_GetDisplayBounds(gameDisplay, &bounds))
        return MonitorSwitch::unavailable;
    return SetMonitorMode(bounds.x, bounds.y, mode.w, mode.h, mode.refresh_rate);
}

void LeaveFullScreen(SDL_Window* window) {
    RestoreMonitorModes();
    SDL_SetWindowFullscreen(window, 0);
    SDL_HideWindow(window);
}

} // namespace

int32_t SwitchDisplayMode(SDL_Window* window, int32_t width, int32_t height, int32_t bits) {
    SDL_DisplayMode mode;
    if (!FindDisplayMode(gameDisplay, width, height, bits, &mode)) return 0;
    const MonitorSwitch own = SetOwnMode(mode);
    if (own == MonitorSwitch::refused) {
        RestoreMonitorModes();
        return 0;
    }
    // Where the monitor runs the mode already, the window only covers it, and
    // SDL has no mode of its own to set or give back.
    const bool covered = own == MonitorSwitch::switched
                             ? SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0
                             : SDL_SetWindowDisplayMode(window, &mode) == 0 &&
                                   SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
    if (!covered) {
        LeaveFullScreen(window);
        return 0;
    }
    // Where SDL sets the mode, it does so as the full-screen window appears.
    SDL_ShowWindow(window);
    SDL_DisplayMode current;
    if (own != MonitorSwitch::switched && (SDL_GetCurrentDisplayMode(gameDisplay, &current) != 0 ||
                                           current.w != width || current.h != height)) {
        LeaveFullScreen(window);
        return 0;
    }
    return 1;
}

void FullScreenMinimised() { ShowDesktopModes(); }

void FullScreenRestored(int32_t width, int32_t height, int32_t bits) {
    SDL_DisplayMode mode;
    if (FindDisplayMode(gameDisplay, width, height, bits, &mode)) SetOwnMode(mode);
}
