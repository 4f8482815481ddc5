#include "shell/start_up.h"

#include "platform/config_dialog_view.h"
#include "settings/config_dialog.h"

namespace {

// The rows left to the taskbar and the window's caption, at the DPI they were
// measured at; a scaled desktop draws both larger.
constexpr int32_t panelRows = 56;
constexpr int32_t panelDpi = 96;

} // namespace

void PrepareGameWindow(GameWindow* window, KeyTable* keys, WindowClassInfo* classInfo,
                       int32_t screenWidth, int32_t screenHeight, int32_t screenDpi) {
    const int32_t dpi = screenDpi > 0 ? screenDpi : panelDpi;
    *window = GameWindow{};
    window->keyTable = keys;
    window->classInfo = classInfo;
    window->windowTitle = "Kelmot";
    window->width = screenWidth;
    window->height = screenHeight - (panelRows * dpi + panelDpi / 2) / panelDpi;
    window->colourBits = 16;
    window->fullscreenMode = 1;
    keys->fill(0);
}

void FitWindowInRoom(GameWindow* window, int32_t roomWidth, int32_t roomHeight) {
    if (roomWidth > 0 && roomWidth < window->width) window->width = roomWidth;
    if (roomHeight > 0 && roomHeight < window->height) window->height = roomHeight;
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

int32_t AskForDisplayMode(GameWindow* window, Settings* options) {
    DisplayChoice mode{window->width, window->height, window->colourBits, window->fullscreenMode};
    const int32_t result = ShowConfigDialog(options, &mode);
    window->width = mode.width;
    window->height = mode.height;
    window->colourBits = mode.colourBits;
    window->fullscreenMode = mode.fullscreenMode;
    return result;
}
