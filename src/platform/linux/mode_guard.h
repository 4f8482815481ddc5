#pragma once

#include <X11/Xlib.h>

struct MonitorChange;

// The mode guard: kelmot-mode-guard, a small program started from beside the
// game the first time it changes a monitor's mode. It is told each change
// before it is made, and each undoing once done; when the game ends with a
// change still standing (a crash, SIGKILL, a lost X connection) the guard
// undoes it on its own X connection. It waits in poll() until then, and ends
// with the game.

// Tells the guard that change is about to be made on display's server,
// starting the guard first where none runs; null: no change stands now.
// Without a guard (its program missing) the game goes on unguarded.
void GuardMonitorChange(Display* display, const MonitorChange* change);

// The guard's process, or 0 while none runs.
int ModeGuardProcess();

// Lets the guard go and waits for it to end; with no change standing it ends
// without touching the monitors.
void StopModeGuard();
