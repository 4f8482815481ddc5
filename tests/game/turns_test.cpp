#include "game/turns.h"
#include "game_fixture.h"

namespace {

class TurnsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame(0);
    }

    // The cursor cell is taken from the position only when the cursor is drawn.
    void FrameWithCursorDrawn(uint32_t elapsedMs = 16) {
        UpdateFrame(elapsedMs);
        DeriveCursorCell();
    }
};

TEST_F(TurnsTest, MenuFramesChangeNothing) {
    screenFlags.inMenu = 1;
    Press({vkReturn, vkDown, vkR, vkNumpad5});
    board = BoardOf("x........");
    UpdateFrame(5000);
    EXPECT_EQ(board, BoardOf("x........"));
    EXPECT_EQ(bannerScroll, 0.0f);
    EXPECT_EQ(cursor.y, 5.0f);
    EXPECT_EQ(keys[vkReturn], 1);
    EXPECT_EQ(keys[vkDown], 1);
}

TEST_F(TurnsTest, CursorStepsBetweenTheThreeRowsAndColumnsExactly) {
    const float rows[] = {5.0f, 1.0f, -3.0f};
    for (int step = 1; step <= 2; ++step) {
        Press({vkDown, vkRight});
        FrameWithCursorDrawn();
        EXPECT_EQ(cursor.y, rows[step]);
        EXPECT_EQ(cursor.row, step);
        EXPECT_EQ(cursor.column, 2);
        EXPECT_EQ(keys[vkDown], 0);
    }
    // Held against the edge, the keys stay set.
    Press({vkDown, vkRight});
    UpdateFrame(16);
    EXPECT_EQ(cursor.y, -3.0f);
    EXPECT_EQ(cursor.x, 5.0f);
    EXPECT_EQ(keys[vkDown], 1);
    EXPECT_EQ(keys[vkRight], 1);
    keys = {};

    // Many round trips land exactly on the grid positions again.
    for (int i = 0; i < 1000; ++i) {
        Press({vkUp, vkLeft});
        UpdateFrame(16);
        Press({vkDown, vkRight});
        UpdateFrame(16);
    }
    EXPECT_EQ(cursor.y, -3.0f);
    EXPECT_EQ(cursor.x, 5.0f);
}

TEST_F(TurnsTest, KeyHeldAgainstTheEdgeActsOnceTheCursorMovesAway) {
    Press({vkUp});
    UpdateFrame(16);
    EXPECT_EQ(cursor.y, 5.0f);
    EXPECT_EQ(keys[vkUp], 1);

    // Up is looked at before down, so the held Up waits for the next frame.
    Press({vkDown});
    UpdateFrame(16);
    EXPECT_EQ(cursor.y, 1.0f);
    EXPECT_EQ(keys[vkUp], 1);
    EXPECT_EQ(keys[vkDown], 0);

    UpdateFrame(16);
    EXPECT_EQ(cursor.y, 5.0f);
    EXPECT_EQ(keys[vkUp], 0);
}

TEST_F(TurnsTest, DeriveCursorCellMapsEveryPosition) {
    const float xs[] = {-5.0f, 0.0f, 5.0f};
    const float ys[] = {5.0f, 1.0f, -3.0f};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            cursor.x = xs[column];
            cursor.y = ys[row];
            DeriveCursorCell();
            EXPECT_EQ(cursor.row, row);
            EXPECT_EQ(cursor.column, column);
        }
    }
}

TEST_F(TurnsTest, EnterUsesTheCellDerivedWhenTheCursorWasLastDrawn) {
    DeriveCursorCell(); // top middle
    Press({vkRight, vkReturn});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf(".x......."));
    EXPECT_EQ(cursor.x, 5.0f);
    EXPECT_EQ(turnFlag, 0);
}

TEST_F(TurnsTest, ResetAndEnterInOneFramePlaceInCellZero) {
    DeriveCursorCell();
    board = BoardOf("....x...o");
    Press({vkR, vkReturn});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf("x........"));
    EXPECT_EQ(turnFlag, 0);
    EXPECT_EQ(keys[vkR], 1); // never cleared by the game
}

TEST_F(TurnsTest, EnterIsUsedUpOnATakenCellButKeptWhenItIsNotThePlayersTurn) {
    DeriveCursorCell();
    board = BoardOf(".o.......");
    Press({vkReturn});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf(".o......."));
    EXPECT_EQ(turnFlag, 1);
    EXPECT_EQ(keys[vkReturn], 0);

    board = {};
    turnFlag = 0;
    Press({vkReturn});
    UpdateFrame(16);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(keys[vkReturn], 1);

    turnFlag = 1;
    gameResult = 4;
    UpdateFrame(16);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(keys[vkReturn], 1);
}

TEST_F(TurnsTest, CursorMovesOnTheComputersTurnAndAfterTheGameEnds) {
    turnFlag = 0;
    gameResult = 4;
    Press({vkDown});
    UpdateFrame(16);
    EXPECT_EQ(cursor.y, 1.0f);
}

TEST_F(TurnsTest, KeypadPlacesTheFirstKeyDownInKeypadOrder) {
    settings.controls = 0;
    Press({vkNumpad3, vkNumpad5});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf("....x...."));
    EXPECT_EQ(keys[vkNumpad5], 0);
    EXPECT_EQ(keys[vkNumpad3], 1);

    // Arrow keys do nothing under the keypad scheme.
    turnFlag = 1;
    Press({vkDown});
    UpdateFrame(16);
    EXPECT_EQ(cursor.y, 5.0f);
}

TEST_F(TurnsTest, KeypadKeyOnATakenCellBlocksTheLaterKeysUntilReleased) {
    settings.controls = 0;
    board = BoardOf("o........");
    Press({vkNumpad7, vkNumpad5});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf("o........"));
    EXPECT_EQ(keys[vkNumpad7], 1);
    EXPECT_EQ(keys[vkNumpad5], 1);

    keys[vkNumpad7] = 0;
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf("o...x...."));
}

TEST_F(TurnsTest, KeypadWaitsForThePersonsTurnWithoutUsingTheKey) {
    settings.controls = 0;
    turnFlag = 0;
    Press({vkNumpad1});
    UpdateFrame(16);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(keys[vkNumpad1], 1);

    turnFlag = 1;
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf("......x.."));
}

TEST_F(TurnsTest, EscapeGoesBackToTheMenuWithAFreshGameAndNoMove) {
    settings.gofirst = 0;
    board = BoardOf("x...o....");
    cursor = {5.0f, -3.0f, 2, 2};
    gameResult = 4;
    openingMovePending = 0;
    Press({vkEscape, vkReturn});
    UpdateFrame(16);
    EXPECT_EQ(screenFlags.inMenu, 1);
    EXPECT_EQ(screenFlags.twoPlayerGame, 0);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(gameResult, 0);
    EXPECT_EQ(openingMovePending, 1);
    EXPECT_EQ(turnFlag, 0);
    EXPECT_EQ(cursor.x, 0.0f);
    EXPECT_EQ(cursor.y, 5.0f);
    EXPECT_EQ(cursor.column, 0);
    EXPECT_EQ(cursor.row, 0);
    EXPECT_EQ(keys[vkEscape], 1);
}

TEST_F(TurnsTest, BannerScrollsBySinglePrecisionSteps) {
    UpdateFrame(1000);
    // 1000 times the float nearest 0.0001, rounded once to float.
    const float tenth = static_cast<float>(1000.0 * static_cast<double>(0.0001f));
    EXPECT_EQ(bannerScroll, tenth);
    EXPECT_NEAR(bannerScroll, 0.1f, 1e-7f);

    // The sum is kept in single precision: at 4096 a 1 ms step of 0.0001 is lost.
    bannerScroll = 4096.0f;
    UpdateFrame(1);
    EXPECT_EQ(bannerScroll, 4096.0f);
    UpdateFrame(1000);
    EXPECT_GT(bannerScroll, 4096.0f);
}

TEST_F(TurnsTest, ResetGivesTheFirstMoveByTheModesSetting) {
    bannerScroll = 2.5f;
    settings.gofirst = 7;
    turnFlag = 0;
    ResetGame();
    EXPECT_EQ(turnFlag, 1);
    EXPECT_EQ(bannerScroll, 2.5f);
    EXPECT_EQ(screenFlags.inMenu, 0);

    settings.gofirst = 0;
    ResetGame();
    EXPECT_EQ(turnFlag, 0);

    screenFlags.twoPlayerGame = 1;
    settings.whofirst = 1;
    ResetGame();
    EXPECT_EQ(turnFlag, 0);
    EXPECT_EQ(screenFlags.twoPlayerGame, 1);
    settings.whofirst = 7; // anything but 0 lets player two begin
    ResetGame();
    EXPECT_EQ(turnFlag, 0);
    settings.whofirst = 0;
    ResetGame();
    EXPECT_EQ(turnFlag, 1);
}

TEST_F(TurnsTest, StartGameLeavesTheMenuWithTheFirstTurnFromTheOptions) {
    screenFlags.inMenu = 1;
    settings.whofirst = 1;
    StartGame(1);
    EXPECT_EQ(screenFlags.inMenu, 0);
    EXPECT_EQ(screenFlags.twoPlayerGame, 1);
    EXPECT_EQ(turnFlag, 0);

    screenFlags.inMenu = 1;
    settings.gofirst = 0;
    StartGame(0);
    EXPECT_EQ(screenFlags.twoPlayerGame, 0);
    EXPECT_EQ(turnFlag, 0);
}

class TwoPlayerTurnsTest : public TurnsTest {
  protected:
    void SetUp() override {
        TurnsTest::SetUp();
        StartGame(1);
    }
};

TEST_F(TwoPlayerTurnsTest, EachPlayerUsesTheirOwnKeysOnTheirOwnTurn) {
    settings.player1controls = 0;
    settings.player2controls = 1;

    // Player two left the cursor at the bottom left.
    turnFlag = 0;
    Press({vkDown});
    UpdateFrame(16);
    Press({vkDown, vkLeft});
    UpdateFrame(16);
    keys = {};

    turnFlag = 1;
    Press({vkUp, vkReturn});
    UpdateFrame(16);
    EXPECT_EQ(cursor.x, -5.0f);
    EXPECT_EQ(cursor.y, -3.0f);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(keys[vkUp], 1);
}

TEST_F(TwoPlayerTurnsTest, OnlyTheSchemeInForceAtTheStartOfTheFrameIsExamined) {
    settings.player1controls = 1;
    settings.player2controls = 0;
    DeriveCursorCell();
    Press({vkReturn, vkNumpad1});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf(".x......."));
    EXPECT_EQ(turnFlag, 0);
    EXPECT_EQ(keys[vkNumpad1], 1);

    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf(".x....o.."));
    EXPECT_EQ(turnFlag, 1);
}

TEST_F(TwoPlayerTurnsTest, MarkValueFollowsWhoHasTheXs) {
    settings.player1controls = 0;
    settings.player2controls = 0;
    settings.player1xoro = 0;
    Press({vkNumpad7});
    UpdateFrame(16);
    Press({vkNumpad8});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf("ox......."));
    EXPECT_EQ(turnFlag, 1);

    // Enter acts for whoever is to move, with no test of the turn.
    settings.player1controls = 1;
    settings.player2controls = 1;
    settings.player1xoro = 1;
    turnFlag = 0;
    cursor = {5.0f, 5.0f, 2, 0};
    Press({vkReturn});
    UpdateFrame(16);
    EXPECT_EQ(board, BoardOf("oxo......"));
    EXPECT_EQ(turnFlag, 1);
}

TEST_F(TwoPlayerTurnsTest, NoMoveOnceTheGameIsOver) {
    settings.player1controls = 0;
    gameResult = 4;
    Press({vkNumpad5});
    UpdateFrame(16);
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(keys[vkNumpad5], 1);
}

} // namespace
