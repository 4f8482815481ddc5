#pragma once

#include <cstdint>

// The player's options. The order of the fields is the order of the lines in
// prefs.txt; the initial values are the defaults the default file holds.
struct Settings {
    int32_t gofirst = 1;         // against the computer: non-zero = the player moves first
    int32_t xoro = 1;            // against the computer: 1 = the player's marks show as X
    int32_t controls = 1;        // against the computer: 1 = arrow keys and Enter, 0 = keypad
    int32_t whofirst = 0;        // two players: 0 = Player1 moves first, 1 = Player2
    int32_t player1xoro = 1;     // two players: 1 = Player1 has the X's
    int32_t player1controls = 1; // two players, Player1's keys: 1 = arrows, 0 = keypad
    int32_t player2controls = 1; // the same for Player2
    int32_t configpanel = 1;     // non-zero = show the configuration dialog at start-up
    int32_t res = 1;             // full-screen size: 0 1280x1024, 1 1024x768, 2 800x600, 3 640x480
    int32_t bpp = 0;             // colour depth: 0 = 16 bits, non-zero = 32 bits
    int32_t fullscreen = 1;      // non-zero = full screen, 0 = windowed
};

constexpr int32_t settingsCount = 11;

// The key of each entry as it stands in prefs.txt, with its field, in file order.
struct SettingsEntry {
    const char* key;
    int32_t Settings::*field;
};

extern const SettingsEntry settingsEntries[settingsCount];

// The one record of the running program.
extern Settings settings;
