#include "platform/linux/display_mode.h"

#include <algorithm>
#include <cstdlib>

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

} // namespace

int32_t SwitchDisplayMode(SDL_Window* window, int32_t width, int32_t height, int32_t bits) {
    const int display =
        SDL_GetWindowDisplayIndex(window) < 0 ? 0 : SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode mode;
    if (!FindDisplayMode(display, width, height, bits, &mode)) return 0;
    if (SDL_SetWindowDisplayMode(window, &mode) != 0 ||
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
        SDL_SetWindowFullscreen(window, 0);
        return 0;
    }
    // The mode changes as the full-screen window appears.
    SDL_ShowWindow(window);
    SDL_DisplayMode current;
    if (SDL_GetCurrentDisplayMode(display, &current) != 0 || current.w != width ||
        current.h != height) {
        SDL_SetWindowFullscreen(window, 0);
        SDL_HideWindow(window);
        return 0;
    }
    return 1;
}
