#include <algorithm>
#include <set>

#include "game/computer.h"
#include "game/random.h"
#include "game_fixture.h"

namespace {

using ComputerTest = GameTest;

int CountOf(CellValue value) {
    return static_cast<int>(std::count(board.begin(), board.end(), value));
}

TEST_F(ComputerTest, GeneratorGivesTheKnownSequence) {
    SeedRandom(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int32_t value : expected) EXPECT_EQ(NextRandom(), value);

    // The state wraps modulo 2^32.
    SeedRandom(0xFFFFFFFFu);
    EXPECT_EQ(NextRandom(), 35);
}

TEST_F(ComputerTest, RandomMoveDrawsTheRowFirstAndRetriesTakenCells) {
    SeedRandom(1); // row 41 % 3 = 2, column 18467 % 3 = 2
    turnFlag = 0;
    ComputerRandomMove();
    EXPECT_EQ(board, BoardOf("........o"));
    EXPECT_EQ(turnFlag, 1);

    SeedRandom(1); // cell 8 is taken; the next pair gives row 1, column 1
    ComputerRandomMove();
    EXPECT_EQ(board, BoardOf("....o...o"));
}

TEST_F(ComputerTest, RandomMoveLeavesAFullBoardAlone) {
    board = BoardOf("xoxxoooxx");
    turnFlag = 0;
    ComputerRandomMove();
    EXPECT_EQ(board, BoardOf("xoxxoooxx"));
    EXPECT_EQ(turnFlag, 0);
}

struct ChoiceCase {
    const char* before;
    const char* after;
};

class ComputerChoiceTest : public ComputerTest, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(ComputerChoiceTest, TakesTheExpectedCell) {
    board = BoardOf(GetParam().before);
    turnFlag = 0;
    ComputerMove();
    EXPECT_EQ(board, BoardOf(GetParam().after));
    EXPECT_EQ(turnFlag, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, ComputerChoiceTest,
    testing::Values(
        // Completes its own line.
        ChoiceCase{"oo.......", "ooo......"},
        // Two lines to win: the lowest-numbered one (the middle row before the bottom).
        ChoiceCase{"x.xoo.oo.", "x.xooooo."},
        // A win goes before a block.
        ChoiceCase{"xx.oo....", "xx.ooo..."},
        // Blocks the person's line; the lowest-numbered of two.
        ChoiceCase{"xx.......", "xxo......"}, ChoiceCase{"x.x...x..", "xox...x.."},
        // Weights 8 4 7 / 4 0 3 / 7 3 6, line 0 worth 4: cells 2, 3, 6 and 8 qualify
        // in turn and the last one is taken.
        ChoiceCase{"o...x....", "o...x...o"},
        // Weights 10 3 7 / 4 7 0 / 8 0 3, line 0 worth 3: cell 8 does not beat 3,
        // so the centre is the last to qualify.
        ChoiceCase{".....xox.", "....oxox."}));

TEST_F(ComputerTest, FallsBackToARandomCellWhenNoCellQualifies) {
    std::set<int> cellsTaken;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        board = BoardOf("x..oxx..o");
        turnFlag = 0;
        SeedRandom(seed);
        ComputerMove();
        EXPECT_EQ(CountOf(markFive), 3);
        EXPECT_EQ(turnFlag, 1);
        for (int cell : {1, 2, 6, 7})
            if (board[cell] == markFive) cellsTaken.insert(cell);
    }
    EXPECT_EQ(cellsTaken, (std::set<int>{1, 2, 6, 7}));

    SeedRandom(1); // cells 8 and 4 are taken; the third pair gives row 2, column 1
    board = BoardOf("x..oxx..o");
    ComputerMove();
    EXPECT_EQ(board, BoardOf("x..oxx.oo"));
}

TEST_F(ComputerTest, CompleteLineFillsTheEmptyCellOfEachLine) {
    const int emptyCellOf[lineCount] = {1, 5, 6, 3, 7, 2, 8, 4};
    for (int line = 0; line < lineCount; ++line) {
        board = {};
        for (int cell : lineCells[line])
            if (cell != emptyCellOf[line]) board[cell] = markOne;
        CompleteLine(line);
        EXPECT_EQ(board[emptyCellOf[line]], markFive) << "line " << line;
        EXPECT_EQ(CountOf(markFive), 1);
    }
}

TEST_F(ComputerTest, FinishGameFrameMarksAnEndedGameAsOverWithoutAMove) {
    for (GameResult result : {1, 2, 3}) {
        board = {};
        turnFlag = 0;
        gameResult = result;
        FinishGameFrame(result);
        EXPECT_EQ(gameResult, 4);
        EXPECT_EQ(board, Board{});
    }
}

TEST_F(ComputerTest, FinishGameFrameWaitsForThePersonsFirstMove) {
    turnFlag = 1;
    FinishGameFrame(0);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(openingMovePending, 1);
}

TEST_F(ComputerTest, FinishGameFrameOpensWithOneRandomMoveThenChooses) {
    SeedRandom(1);
    board = BoardOf("....x....");
    turnFlag = 0;
    FinishGameFrame(0);
    // Random, not the weighted choice, and only one mark.
    EXPECT_EQ(board, BoardOf("....x...o"));
    EXPECT_EQ(openingMovePending, 0);
    EXPECT_EQ(turnFlag, 1);

    board[2] = markOne;
    turnFlag = 0;
    FinishGameFrame(0);
    EXPECT_EQ(board, BoardOf("..x.x.o.o"));
}

TEST_F(ComputerTest, FinishGameFrameMakesNoMoveInATwoPlayerGame) {
    screenFlags.twoPlayerGame = 1;
    turnFlag = 0;
    FinishGameFrame(0);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(gameResult, 0);
}

} // namespace
