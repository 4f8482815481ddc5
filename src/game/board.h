#pragma once

#include <array>
#include <cstdint>

// A cell: 0 empty, 1 or 5 a mark. Against the computer 1 is the person's mark and
// 5 the computer's; in a two-player game 1 belongs to whoever has the X's. A line
// sums to 3 only with three 1s and to 15 only with three 5s.
using CellValue = int32_t;

// Nine cells, row-major: index = row * 3 + column, row 0 at the top.
using Board = std::array<CellValue, 9>;

// 1 while player one (the person, against the computer) is to move.
using TurnFlag = uint8_t;

// 0 the game goes on, 1 a line of 1s, 2 a line of 5s, 3 a full board without a
// line, 4 the game is over. Between frames it is 0 or 4.
using GameResult = int32_t;

constexpr CellValue emptyCell = 0;
constexpr CellValue markOne = 1;
constexpr CellValue markFive = 5;

// The cursor, in the coordinates the marks are drawn in: columns at x = -5, 0, 5
// and rows at y = 5, 1, -3. column and row are the cell last derived from x and y
// when the cursor was drawn.
struct Cursor {
    float x = 0.0f;
    float y = 5.0f;
    int32_t column = 0;
    int32_t row = 0;
};

// The eight lines of the board, in the order everything in the game numbers them:
// the rows, the columns, then the diagonals from the top left and the top right.
constexpr int lineCount = 8;
constexpr int lineCells[lineCount][3] = {
    {0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}, {0, 4, 8}, {2, 4, 6},
};

extern Board board;

// True when no cell of the board is empty.
bool BoardFull();
extern TurnFlag turnFlag;
extern GameResult gameResult;
extern Cursor cursor;
// Horizontal texture offset of the game screen's banner; only ever grows.
extern float bannerScroll;
// 1 until the computer has made its first move of the current game.
extern uint8_t openingMovePending;
