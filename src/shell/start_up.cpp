#include "shell/start_up.h"

#include "settings/config_dialog.h"
#include "settings/config_dialog_view.h"

void ScreenSize(int32_t* width, int32_t* height) {
    *width = 0;
    *height = 0;
    // Video stays started; registering the window class checks it is usable.
    SDL_DisplayMode desktop;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        *width = desktop.w;
        *height = desktop.h;
    }
}

void PrepareGameWindow(GameWindow* window, KeyTable* keys, int32_t screenWidth,
                       int32_t screenHeight) {
    *window = GameWindow{};
    window->keyTable = keys;
    window->windowTitle = "Kelmot";
    window->width = screenWidth;
    window->height = screenHeight - 56;
    window->colourBits = 16;
    window->fullscreenMode = 1;
    keys->fill(0);
}

void ChooseDisplayMode(GameWindow* window, const Settings& options) {
    if (options.fullscreen != 0) {
        window->fullscreenMode = 1;
        if (options.res >= 0 && options.res < resolutionCount) {
            window->width = resolutionSizes[options.res][0];
            window->height = resolutionSizes[options.res][1];
        }
    } else {
        window->fullscreenMode = 0;
    }
    window->colourBits = options.bpp != 0 ? 32 : 16;
}

namespace {

// SIGINT and SIGTERM reach SDL as a quit event, even before the game window exists.
int32_t QuitRequested() { return SDL_QuitRequested() ? 1 : 0; }

} // namespace

int32_t AskForDisplayMode(GameWindow* window, Settings* options) {
    DisplayChoice mode{window->width, window->height, window->colourBits, window->fullscreenMode};
    const int32_t result = ShowConfigDialog(options, &mode, QuitRequested);
    window->width = mode.width;
    window->height = mode.height;
    window->colourBits = mode.colourBits;
    window->fullscreenMode = mode.fullscreenMode;
    return result;
}
