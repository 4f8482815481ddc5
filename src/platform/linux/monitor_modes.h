#pragma once

#include <X11/Xlib.h>

// The game's own monitor on an X server with XRandR 1.2: the primary one, or
// where none is primary the first that shows part of the screen (the one SDL
// counts first). SDL would set a mode by first giving the whole X screen that
// mode's size, which can take away the place of another monitor; so the game
// sets its monitor's mode itself, on SDL's own connection: Xwayland, which only
// pretends to change a mode, does so for the client that asked, and marks that
// client's windows so that the compositor scales them to fill the monitor.

// A monitor's place on the desktop, and its size as it shows it.
struct MonitorPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Puts the game's monitor, as it is placed now, in its progressive mode of
// exactly width x height as the monitor shows it (the highest refresh rate
// among equals); the X screen grows where the monitor would reach past it.
// True, with the monitor's place, when the monitor runs that mode now; false,
// with nothing changed, when there is no such monitor or mode, or the server
// refused it. The mode guard hears of the change before it is made.
bool SetMonitorMode(Display* display, int width, int height, MonitorPlace* place);

// Gives back what the last SetMonitorMode changed (UndoMonitorChange), and
// tells the mode guard so. Does nothing when no mode is set.
void RestoreMonitorMode();
