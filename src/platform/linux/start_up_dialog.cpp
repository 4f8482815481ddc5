// The start-up dialog on Linux: the GTK window of kelmot-dialog.so, loaded from
// beside the game the first time the dialog is shown, and given up when SIGINT,
// SIGTERM or SIGHUP reaches the game while it is up. The controllers move through it too.

#include <SDL2/SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "platform/config_dialog_view.h"
#include "platform/linux/config_dialog_module.h"
#include "platform/linux/gamepad.h"
#include "platform/linux/signal_watcher.h"

namespace {

int32_t QuitRequested() { return EndRequested() || SDL_QuitRequested() ? 1 : 0; }

// The module's entry point, or null after saying on standard error why there is
// none (GTK 3 not installed, say). GTK cannot be unloaded, so the module stays
// loaded.
ConfigDialogEntry LoadDialogModule() {
    char* folder = SDL_GetBasePath();
    const std::string path = std::string(folder != nullptr ? folder : "") + configDialogModuleName;
    SDL_free(folder);
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = module != nullptr ? dlsym(module, configDialogEntryName) : nullptr;
    if (entry == nullptr)
        std::fprintf(stderr,
                     "kelmot: the start-up dialog cannot be shown: %s; the game starts with "
                     "the saved options\n",
                     dlerror());
    return reinterpret_cast<ConfigDialogEntry>(entry);
}

} // namespace

int32_t ShowConfigDialog(Settings* options, DisplayChoice* mode) {
    const ConfigDialogEntry run = LoadDialogModule();
    return run != nullptr ? run(options, mode, QuitRequested, PollGamepadsForGtkDialog) : 0;
}
