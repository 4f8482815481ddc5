#pragma once

// The monitors' own modes on an X server with XRandR. SDL sets a monitor's mode
// by first giving the whole X screen that mode's size; with more than one
// monitor that can take away the place of a monitor right of or below another,
// which is then left with no mode at all (and SDL, asked to give it back, ends
// the program on the X error). So the game sets one monitor's mode, and gives
// every monitor its own back, itself; its full-screen window then only covers
// that monitor, and SDL has no mode to set or give back.

enum class MonitorSwitch {
    switched,   // the monitor runs the mode now
    refused,    // it lists no such mode, or the server refused it
    unavailable // no X server with XRandR 1.2, or no monitor there: nothing was done
};

// Puts the monitor whose top left corner is at (x, y) of the desktop in its mode
// of exactly width x height as the monitor shows it, the one with the refresh
// rate nearest refreshRate. The first call after RestoreMonitorModes notes the
// desktop: how every monitor ran before anything changed.
MonitorSwitch SetMonitorMode(int x, int y, int width, int height, int refreshRate);

// Gives every monitor the mode, place and rotation, and the X screen the size,
// they had on the desktop; touches only what differs, and keeps the note for
// the next SetMonitorMode. Does nothing when no mode was set.
void ShowDesktopModes();

// Shows the desktop's modes and forgets the note.
void RestoreMonitorModes();
