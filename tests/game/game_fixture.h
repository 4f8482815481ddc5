#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "game/board.h"
#include "game/key_table.h"
#include "game/screen_flags.h"
#include "settings/settings.h"

// What the game asked to be drawn as the winning line, in call order. The game
// tests link this recorder in place of the OpenGL drawing.
struct WinLineCall {
    uint8_t vertical;
    uint8_t diagonal;
    float offset;
};
extern std::vector<WinLineCall> winLineCalls;

// Every game test starts from the state the program starts in, with a key table
// of its own.
class GameTest : public testing::Test {
  protected:
    KeyTable keys{};

    void SetUp() override {
        board = {};
        turnFlag = 1;
        gameResult = 0;
        cursor = Cursor{};
        bannerScroll = 0.0f;
        openingMovePending = 1;
        screenFlags = ScreenFlags{};
        settings = Settings{};
        keyTable = &keys;
        winLineCalls.clear();
    }

    void TearDown() override { keyTable = nullptr; }

    void Press(std::initializer_list<int> codes) {
        for (int code : codes) keys[code] = 1;
    }

    // Board from a picture: '.' empty, 'x' a 1, 'o' a 5, row by row.
    static Board BoardOf(const char* cells) {
        Board result{};
        for (int i = 0; i < 9; ++i)
            result[i] = cells[i] == 'x' ? markOne : cells[i] == 'o' ? markFive : emptyCell;
        return result;
    }
};
