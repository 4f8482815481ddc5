// The start-up dialog on Linux: the GTK window, given up when SIGINT or SIGTERM
// reaches SDL while it is shown.

#include <SDL2/SDL.h>

#include "platform/config_dialog_view.h"
#include "platform/linux/config_dialog_view.h"

namespace {

int32_t QuitRequested() { return SDL_QuitRequested() ? 1 : 0; }

} // namespace

int32_t ShowConfigDialog(Settings* options, DisplayChoice* mode) {
    return RunGtkConfigDialog(options, mode, QuitRequested);
}
