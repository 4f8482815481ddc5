#include "game/outcome.h"
#include "game_fixture.h"

namespace {

using OutcomeTest = GameTest;

TEST_F(OutcomeTest, OpenAndTiedBoardsDrawNothing) {
    EXPECT_EQ(CheckOutcome(), 0);
    board = BoardOf("xo.ox....");
    EXPECT_EQ(CheckOutcome(), 0);
    board = BoardOf("xoxxoooxx");
    EXPECT_EQ(CheckOutcome(), 3);
    EXPECT_TRUE(winLineCalls.empty());
}

TEST_F(OutcomeTest, MixedLinesAreNoLine) {
    board = BoardOf("xxo" // 7
                    "oox" // 11
                    "...");
    EXPECT_EQ(CheckOutcome(), 0);
    EXPECT_TRUE(winLineCalls.empty());
}

TEST_F(OutcomeTest, AFullBoardWithALineReportsTheLine) {
    board = BoardOf("xoxoxoxxo"); // the diagonal from the top right
    EXPECT_EQ(CheckOutcome(), 1);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].diagonal, 1);
    EXPECT_EQ(winLineCalls[0].offset, 6.0f);
}

TEST_F(OutcomeTest, OnlyTheFirstLineInTestOrderIsReportedAndDrawn) {
    board = BoardOf("xxxx..x.."); // row 0 and column 0
    EXPECT_EQ(CheckOutcome(), 1);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].vertical, 0);
    EXPECT_EQ(winLineCalls[0].offset, 3.0f);

    winLineCalls.clear();
    board = BoardOf("..x.xxx.x"); // column 2 and the diagonal from the top right
    EXPECT_EQ(CheckOutcome(), 1);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].vertical, 1);
    EXPECT_EQ(winLineCalls[0].offset, 5.0f);

    winLineCalls.clear();
    board = BoardOf("ooo...xxx"); // both values: the 1s are reported
    EXPECT_EQ(CheckOutcome(), 1);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].offset, -5.0f);
}

// Each line, its DrawWinLine arguments, and the segment that results in the
// marks' plane, as end points.
struct LineCase {
    int line;
    uint8_t vertical;
    uint8_t diagonal;
    float offset;
    float x0, y0, x1, y1;
};

class WinLineTest : public GameTest, public testing::WithParamInterface<LineCase> {};

TEST_P(WinLineTest, EachLineOfEitherValueIsDrawnThroughItsCells) {
    const LineCase& c = GetParam();
    for (CellValue mark : {markOne, markFive}) {
        board = {};
        winLineCalls.clear();
        for (int cell : lineCells[c.line]) board[cell] = mark;
        EXPECT_EQ(CheckOutcome(), mark == markOne ? 1 : 2);
        ASSERT_EQ(winLineCalls.size(), 1u);
        EXPECT_EQ(winLineCalls[0].vertical, c.vertical);
        EXPECT_EQ(winLineCalls[0].diagonal, c.diagonal);
        EXPECT_EQ(winLineCalls[0].offset, c.offset);
    }

    WinLineSegment segment;
    ASSERT_TRUE(FindWinLineSegment(c.vertical, c.diagonal, c.offset, segment));
    EXPECT_FLOAT_EQ(segment.startX, c.x0);
    EXPECT_FLOAT_EQ(segment.startY, c.y0);
    EXPECT_FLOAT_EQ(segment.startX + segment.endX, c.x1);
    EXPECT_FLOAT_EQ(segment.startY + segment.endY, c.y1);
}

INSTANTIATE_TEST_SUITE_P(Lines, WinLineTest,
                         testing::Values(LineCase{0, 0, 0, 3, -7, 5, 7, 5},
                                         LineCase{1, 0, 0, -1, -7, 1, 7, 1},
                                         LineCase{2, 0, 0, -5, -7, -3, 7, -3},
                                         LineCase{3, 1, 0, -5, -5, 6.55f, -5, -4.75f},
                                         LineCase{4, 1, 0, 0, 0, 6.55f, 0, -4.75f},
                                         LineCase{5, 1, 0, 5, 5, 6.55f, 5, -4.75f},
                                         LineCase{6, 0, 1, -6, -6, 6, 6, -4},
                                         LineCase{7, 0, 1, 6, 6, 6, -6, -4}));

TEST(WinLineSegmentTest, ArgumentsThatNameNoLineGiveNoSegment) {
    WinLineSegment segment;
    EXPECT_FALSE(FindWinLineSegment(1, 1, 0.0f, segment));
    EXPECT_FALSE(FindWinLineSegment(1, 1, 6.0f, segment));
    EXPECT_FALSE(FindWinLineSegment(0, 1, 0.0f, segment));
    EXPECT_FALSE(FindWinLineSegment(0, 1, 5.0f, segment));
}

} // namespace
