#include "shell/error_box.h"

#include <SDL2/SDL.h>

void ShowErrorBox(const char* text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", text, SDL_GetKeyboardFocus());
}
