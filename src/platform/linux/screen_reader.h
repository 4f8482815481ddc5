#pragma once

// Whether a screen reader runs on the desktop: the accessibility bus says so in
// its ScreenReaderEnabled property, asked through libdbus loaded at run time.
// Blocks for a socket round trip (at most a second): call it off the game's
// thread. False when libdbus, the session bus or the accessibility bus is
// missing.
bool ScreenReaderRuns();
