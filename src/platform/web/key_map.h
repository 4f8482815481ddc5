#pragma once

#include <cstdint>

// The key table is indexed by Windows virtual-key codes; these turn a browser's
// KeyboardEvent into them.

// Windows virtual-key code (1..255) for a key event's code (the key's place on
// the keyboard) and key (what it types), or 0 when the key has none. Letter keys
// go by the letter they type, wherever the layout puts it; every other key by
// its place. The keypad's digits and point follow Num Lock, which the browser
// shows only through what they type: a digit with it on, a navigation key with
// it off.
int32_t VirtualKeyFor(const char* code, const char* key);

// True for keys the table never records: Alt (either side), F10, and any key
// while Alt is held, as on Windows.
bool IsSystemKey(int32_t virtualKey, bool altHeld);
