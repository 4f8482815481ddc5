#include "game/computer.h"

#include <array>

#include "game/random.h"
#include "game/screen_flags.h"

namespace {

using WeightGrid = std::array<int32_t, 9>;
using LineSums = std::array<int32_t, lineCount>;

// Weights that make a line's sum tell what it holds: 5 only for two computer
// marks and an empty cell, -7 only for two of the person's marks and an empty cell.
constexpr int32_t computerWeight = 2;
constexpr int32_t personWeight = -4;
constexpr int32_t emptyWeight = 1;
constexpr int32_t computerCanWin = 5;
constexpr int32_t personCanWin = -7;

int FirstLineWithSum(const LineSums& sums, int32_t sum) {
    for (int line = 0; line < lineCount; ++line)
        if (sums[line] == sum) return line;
    return -1;
}

} // namespace

void ComputerRandomMove() {
    // Never asked of a full board; refusing one keeps the loop below finite.
    if (BoardFull()) return;
    int cellIndex;
    do {
        const int row = NextRandom() % 3;
        const int column = NextRandom() % 3;
        cellIndex = row * 3 + column;
    } while (board[cellIndex] != emptyCell);
    turnFlag = 1;
    board[cellIndex] = markFive;
}

void CompleteLine(int32_t line) {
    for (int cellIndex : lineCells[line]) {
        if (board[cellIndex] == emptyCell) {
            board[cellIndex] = markFive;
            return;
        }
    }
}

void ComputerMove() {
    WeightGrid weights;
    for (int i = 0; i < 9; ++i)
        weights[i] = board[i] == markFive  ? computerWeight
                     : board[i] == markOne ? personWeight
                                           : emptyWeight;

    LineSums sums{};
    for (int line = 0; line < lineCount; ++line)
        for (int cellIndex : lineCells[line]) sums[line] += weights[cellIndex];

    // Winning goes before blocking.
    int line = FirstLineWithSum(sums, computerCanWin);
    if (line < 0) line = FirstLineWithSum(sums, personCanWin);
    if (line >= 0) {
        CompleteLine(line);
        turnFlag = 1;
        return;
    }

    // Lines that hold a person's mark are worth nothing; a cell is worth the sum
    // of the open lines through it.
    for (int32_t& sum : sums)
        if (sum < 0) sum = 0;
    weights.fill(0);
    for (int l = 0; l < lineCount; ++l)
        for (int cellIndex : lineCells[l]) weights[cellIndex] += sums[l];

    // An empty cell is chosen when it outweighs the cell after it (the last cell is
    // measured against line 0's sum); the last such cell wins. This is a quirk of
    // the opponent's character, not a search for the heaviest cell.
    int choice = 0;
    for (int i = 0; i < 9; ++i) {
        const int32_t next = i < 8 ? weights[i + 1] : sums[0];
        if (board[i] == emptyCell && weights[i] > next) choice = i;
    }

    if (board[choice] == emptyCell) {
        board[choice] = markFive;
        turnFlag = 1;
    } else {
        ComputerRandomMove();
    }
}

void FinishGameFrame(GameResult result) {
    if (result != 0) {
        gameResult = 4;
        return;
    }
    if (screenFlags.twoPlayerGame) return;
    if (openingMovePending) {
        // The computer opens only once the person has had their first turn, if
        // theirs is the first.
        if (turnFlag == 1) return;
        ComputerRandomMove();
        openingMovePending = 0;
    }
    if (turnFlag == 0) ComputerMove();
}
