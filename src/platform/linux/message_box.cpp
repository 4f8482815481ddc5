#include "platform/message_box.h"

#include <SDL2/SDL.h>

void ShowErrorBox(const char* text, ReportOwner owner) {
    SDL_Window* parent = owner == ReportOwner::focusedWindow ? SDL_GetKeyboardFocus() : nullptr;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", text, parent);
}
