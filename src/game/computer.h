#pragma once

#include <cstdint>

#include "game/board.h"

// The computer opponent. It always places 5; the person's marks are 1.

// Puts the computer's mark on a random empty cell and hands the turn back.
void ComputerRandomMove();

// Wins if it can, else blocks, else takes the cell a weighting of the open lines
// picks (falling back to a random cell), and hands the turn back.
void ComputerMove();

// Fills the one empty cell of the line (0..7) with the computer's mark.
void CompleteLine(int32_t line);

// The end of a game frame, once the board has been judged and drawn: with the game
// still open, the computer takes its turn (its first move of a game is random,
// later ones are chosen); a game that has just ended is marked as over (4).
void FinishGameFrame(GameResult result);
