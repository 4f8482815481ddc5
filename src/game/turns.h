#pragma once

#include <cstdint>

#include "game/board.h"

// Turns this frame's key presses into cursor steps, placed marks, resets and the
// way back to the menu, and scrolls the banner. Does nothing while a menu is shown.
void UpdateFrame(uint32_t elapsedMs);

// Starts the current game afresh: empty board, cursor on the top middle cell,
// the first move to whoever the options say, the computer's opening still to come.
void ResetGame();

// The cell (row * 3 + column) the cursor position stands on.
int32_t CellUnderCursor();

// Takes the cursor cell from the cursor position. Called only right after the
// cursor has been drawn, so a mark goes where the player last saw the cursor.
void DeriveCursorCell();

// Leaves the main menu for a game, against the computer or for two players. The
// board is already empty: every way back to the menu goes through ResetGame.
void StartGame(uint8_t twoPlayers);

// The mark player one (the person, against the computer) places: 1 against the
// computer; in a two-player game 1 when Player1 has the X's, else 5.
CellValue PlayerOneMark();

// True when player one (the person, against the computer) has the first move of
// a game, as the options say.
bool PlayerOneMovesFirst();

// True when the player to move uses the arrow keys and Enter rather than the
// keypad; the cursor is shown and moves only then.
bool ArrowKeysInForce();
