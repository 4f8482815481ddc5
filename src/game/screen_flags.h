#pragma once

#include <cstdint>

// Which screen is shown, and the highlighted row of each menu screen.
struct ScreenFlags {
    uint8_t inMenu = 1; // a menu is shown (orthographic projection, no game updates)
    uint8_t aiOptionsOpen = 0;
    uint8_t multiplayerOptionsOpen = 0;
    uint8_t globalOptionsOpen = 0;
    uint8_t twoPlayerGame = 0;  // 1: two players at one keyboard, 0: against the computer
    int32_t mainMenuRow = 0;    // 0..5, kept while games are played
    int32_t multiplayerRow = 0; // 0..4
    int32_t globalRow = 0;      // 0..1
    int32_t aiRow = 0;          // 0..3
};

extern ScreenFlags screenFlags;
