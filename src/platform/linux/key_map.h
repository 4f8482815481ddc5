#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

// The key table is indexed by Windows virtual-key codes; these turn SDL key
// events into them.

// Windows virtual-key code (1..255) for a key event, or 0 when the key has none.
// Letter keys go by the letter printed on them (the keycode), every other key by
// its place on the keyboard (the scancode); the keypad digits and point give
// their digit codes only with Num Lock on and Shift up, and otherwise the
// navigation codes.
int32_t VirtualKeyFor(const SDL_Keysym& key);

// True for keys the table never records: Alt (either side), F10, and any key
// while Alt is held (these arrive as "system" keys on the platform the codes
// come from).
bool IsSystemKey(const SDL_Keysym& key);
