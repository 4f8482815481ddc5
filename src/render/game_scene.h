#pragma once

#include "game/board.h"

// The game screen, drawn under the game projection from the identity modelview
// matrix. Each function puts back the modelview matrix it was given.

// Background, grid, result text and key hint, banner and, where the arrow keys
// are in force, the cursor. result is this frame's outcome, 0..3. Leaves 2D
// texturing and the depth test on and the colour white; blending stays on
// (SRC_ALPHA, ONE) when no cursor was drawn and is off when one was.
void DrawGameScene(GameResult result);

// The text drawn for a won or tied game (result 1..3), or null while the game
// goes on.
const char* OutcomeText(GameResult result);

// The key hint under the board, in its two halves as drawn.
extern const char* const hintResetText;
extern const char* const hintMenuText;

// Whether the marks of value 1 show as X's: against the computer the person's
// marks are X's unless xoro says O's; in a two-player game 1 is always the X.
bool OneShowsAsX();

// The outcome text for result (none for 0) and the key hint, in the small font.
void DrawResultText(GameResult result);

// Every mark on the board, as X or O by the game's mode and options.
void DrawMarks();

// Where the mark of a cell (row * 3 + column) stands: x = -5, 0, 5 by column
// and y = 5, 1, -3 by row, in the frame the marks are drawn in. The cursor
// stands there when it is on that cell.
void CellPosition(int32_t cell, float* x, float* y);

// One mark at a cell position (x = -5, 0, 5 by column; y = 5, 1, -3 by row).
void DrawX(float x, float y);
void DrawO(float x, float y);

// The pointer sprite at the cursor position, cut out with its mask; then takes
// the cursor cell from where it was drawn.
void DrawCursor();
