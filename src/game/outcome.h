#pragma once

#include <cstdint>

#include "game/board.h"

// Judges the board: 1 when the 1s have a line, 2 when the 5s have one, 3 when the
// board is full without a line, else 0. A line found is drawn at once with
// DrawWinLine, so this needs the game projection and the identity modelview
// matrix. Lines are tested rows first, then columns, then diagonals, the 1s'
// lines before the 5s'; only the first line found counts.
GameResult CheckOutcome();

// What CheckOutcome would find, without drawing anything.
GameResult JudgeBoard();

// Draws the white line through a completed row (vertical 0, diagonal 0, offset =
// the row's y + 2), column (vertical 1, offset = the column's x) or diagonal
// (diagonal 1, offset -6 from the top left, 6 from the top right) in the space the
// marks are drawn in. Leaves the colour white and 2D texturing enabled.
void DrawWinLine(uint8_t vertical, uint8_t diagonal, float offset);

// The segment DrawWinLine draws: from (startX, startY), running (endX, endY) from
// there, in the board's plane.
struct WinLineSegment {
    float startX, startY;
    float endX, endY;
};

// The segment for DrawWinLine's arguments; false for arguments that name no line.
bool FindWinLineSegment(uint8_t vertical, uint8_t diagonal, float offset, WinLineSegment& segment);
