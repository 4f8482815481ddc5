#include "platform/message_box.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/linux/box_placement.h"
#include "platform/linux/signal_watcher.h"
#include "platform/linux/window_events.h"
#include "shell/game_window.h"

namespace {

// The game window when it has the keyboard focus. SDL learns of the focus only
// when it handles the focus event, which is still queued while the pictures are
// read just after the window opened, so the X server is asked. The window
// manager gives a window the focus a moment after it is shown, where other
// systems activate it as it is shown; a report that comes just then waits that
// moment, half a second at most.
SDL_Window* FocusedWindow() {
    if (SDL_Window* focused = SDL_GetKeyboardFocus()) return focused;
    if (!gameWindow || !gameWindow->window) return nullptr;
    SDL_SysWMinfo system;
    SDL_VERSION(&system.version);
    if (!SDL_GetWindowWMInfo(gameWindow->window, &system) || system.subsystem != SDL_SYSWM_X11)
        return nullptr;
    for (int wait = 0; wait < 50; ++wait) {
        Window focused = 0;
        int revertTo = 0;
        XGetInputFocus(system.info.x11.display, &focused, &revertTo);
        if (focused == system.info.x11.window) return gameWindow->window;
        SDL_Delay(10);
    }
    return nullptr;
}

// Places a box without an owner over the game window once the game has shown
// it (see box_placement.h); SDL places an owned one itself.
void PlaceUnownedBox() {
    if (!gameWindow || !gameWindow->window ||
        (SDL_GetWindowFlags(gameWindow->window) & SDL_WINDOW_SHOWN) == 0)
        return;
    SDL_SysWMinfo system;
    SDL_VERSION(&system.version);
    if (SDL_GetWindowWMInfo(gameWindow->window, &system) && system.subsystem == SDL_SYSWM_X11)
        StartBoxPlacement(DisplayString(system.info.x11.display),
                          static_cast<uint32_t>(system.info.x11.window));
}

} // namespace

void ShowErrorBox(const char* text, ReportOwner owner) {
    // Without a display no box can be seen. SDL would still try the helper
    // program it shows boxes with on Wayland, zenity, which then only adds
    // warnings of its own to the game's standard error.
    // Once the game is to end, it shows no more boxes on its way out.
    if (!HasDisplay() || EndRequested()) return;
    SDL_Window* parent = owner == ReportOwner::focusedWindow ? FocusedWindow() : nullptr;
    if (!parent) PlaceUnownedBox();
    MessageBoxShowing(true);
    if (!EndRequested()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", text, parent);
    MessageBoxShowing(false);
    EndBoxPlacement();
}
