#include "game/outcome.h"

namespace {

struct WinLineArguments {
    uint8_t vertical;
    uint8_t diagonal;
    float offset;
};

// DrawWinLine's arguments for each line, in line order.
constexpr WinLineArguments winLineArguments[lineCount] = {
    {0, 0, 3.0f}, {0, 0, -1.0f}, {0, 0, -5.0f}, {1, 0, -5.0f},
    {1, 0, 0.0f}, {1, 0, 5.0f},  {0, 1, -6.0f}, {0, 1, 6.0f},
};

int32_t LineSum(int line) {
    const int* cells = lineCells[line];
    return board[cells[0]] + board[cells[1]] + board[cells[2]];
}

// The first line that sums to the given total, or -1.
int FirstLineWithSum(int32_t sum) {
    for (int line = 0; line < lineCount; ++line)
        if (LineSum(line) == sum) return line;
    return -1;
}

// Draws and reports the first line that sums to the given total.
bool DrawFirstLineWithSum(int32_t sum) {
    const int line = FirstLineWithSum(sum);
    if (line < 0) return false;
    const WinLineArguments& a = winLineArguments[line];
    DrawWinLine(a.vertical, a.diagonal, a.offset);
    return true;
}

} // namespace

GameResult CheckOutcome() {
    const bool full = BoardFull();
    if (DrawFirstLineWithSum(3 * markOne)) return 1;
    if (DrawFirstLineWithSum(3 * markFive)) return 2;
    return full ? 3 : 0;
}

GameResult JudgeBoard() {
    if (FirstLineWithSum(3 * markOne) >= 0) return 1;
    if (FirstLineWithSum(3 * markFive) >= 0) return 2;
    return BoardFull() ? 3 : 0;
}

bool FindWinLineSegment(uint8_t vertical, uint8_t diagonal, float offset, WinLineSegment& segment) {
    if (!vertical && !diagonal) {
        segment = {-7.0f, offset + 2.0f, 14.0f, 0.0f};
    } else if (vertical && !diagonal) {
        segment = {offset, 6.55f, 0.0f, -11.3f};
    } else if (!vertical && offset == -6.0f) {
        segment = {-6.0f, 6.0f, 12.0f, -10.0f};
    } else if (!vertical && offset == 6.0f) {
        segment = {6.0f, 6.0f, -12.0f, -10.0f};
    } else {
        return false;
    }
    return true;
}
