#pragma once

// The end-to-end tests' scripted controllers: the file padN (N from 1) in the
// game's working folder stands for controller N, plugged in while the file is
// there. It names what the controller holds: any of the buttons below, and the
// left stick as stick=X,Y in hundredths of its travel, X to the right and Y
// down. With tap=N among them (N new each time) it holds that for the game's
// next look at it only: a press that a busy machine can neither miss nor make
// repeat. Each system's stand-in (SDL's virtual joysticks, XInput, the Gamepad
// API) plays it as its controllers.

#include <cstdio>
#include <cstring>

constexpr const char* scriptedButtonNames[] = {"up", "down", "left", "right", "a",
                                               "b",  "x",    "y",    "start", "back"};
constexpr int scriptedButtonCount = 10;

struct ScriptedGamepad {
    bool plugged = false;
    bool held[scriptedButtonCount] = {};
    int stickX = 0;
    int stickY = 0;
    int tap = 0;
};

// What pad holds at this look of the game; lastTap is the tap last shown.
inline ScriptedGamepad ShownScriptedGamepad(const ScriptedGamepad& pad, int* lastTap) {
    if (pad.tap == 0 || pad.tap != *lastTap) {
        *lastTap = pad.tap;
        return pad;
    }
    ScriptedGamepad released;
    released.plugged = pad.plugged;
    return released;
}

inline ScriptedGamepad ReadScriptedGamepad(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "pad%d", number);
    ScriptedGamepad pad;
    std::FILE* file = std::fopen(name, "r");
    if (file == nullptr) return pad;
    pad.plugged = true;
    char word[32];
    while (std::fscanf(file, "%31s", word) == 1) {
        if (std::sscanf(word, "stick=%d,%d", &pad.stickX, &pad.stickY) == 2) continue;
        if (std::sscanf(word, "tap=%d", &pad.tap) == 1) continue;
        for (int button = 0; button < scriptedButtonCount; ++button)
            if (std::strcmp(word, scriptedButtonNames[button]) == 0) pad.held[button] = true;
    }
    std::fclose(file);
    return pad;
}
