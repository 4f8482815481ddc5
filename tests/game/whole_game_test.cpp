// Whole games played frame by frame as the main loop plays them, without a
// window: keys go down before a frame and come up after it.
#include "game/computer.h"
#include "game/outcome.h"
#include "game/random.h"
#include "game/turns.h"
#include "game_fixture.h"

namespace {

class WholeGameTest : public GameTest {
  protected:
    // One frame: the update, then what the drawing step of a game frame decides
    // (the outcome, the cursor cell when the cursor is shown, the computer's turn).
    void Frame(std::initializer_list<int> pressed = {}) {
        Press(pressed);
        UpdateFrame(16);
        if (!screenFlags.inMenu) {
            gameResult = CheckOutcome();
            if (ArrowKeysInForce()) DeriveCursorCell();
            FinishGameFrame(gameResult);
        }
        for (int code : pressed) keys[code] = 0;
    }
};

TEST_F(WholeGameTest, AgainstTheComputerToATie) {
    settings.controls = 0;
    SeedRandom(1);
    StartGame(0);

    Frame({vkNumpad5}); // the computer's answer is random: the bottom right
    EXPECT_EQ(board, BoardOf("....x...o"));
    Frame({vkNumpad9}); // the computer blocks the diagonal
    EXPECT_EQ(board, BoardOf("..x.x.o.o"));
    Frame({vkNumpad1}); // taken: nothing happens
    EXPECT_EQ(board, BoardOf("..x.x.o.o"));
    Frame({vkNumpad2}); // blocks the bottom row; the computer blocks the middle column
    EXPECT_EQ(board, BoardOf(".ox.x.oxo"));
    Frame({vkNumpad4});
    EXPECT_EQ(board, BoardOf(".oxxxooxo"));
    Frame({vkNumpad7});
    EXPECT_EQ(board, BoardOf("xoxxxooxo"));
    EXPECT_EQ(gameResult, 4);
    EXPECT_TRUE(winLineCalls.empty());

    // Over: R starts afresh, with the person to move and a new random opening.
    Frame({vkR});
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(gameResult, 0);
    EXPECT_EQ(openingMovePending, 1);
    EXPECT_EQ(turnFlag, 1);
}

TEST_F(WholeGameTest, AgainstTheComputerThatOpensAndWins) {
    settings.gofirst = 0;
    SeedRandom(1);
    StartGame(0);

    Frame();
    EXPECT_EQ(board, BoardOf("........o"));
    EXPECT_EQ(turnFlag, 1);
    Frame({vkReturn}); // top middle, under the cursor
    EXPECT_EQ(board, BoardOf(".x....o.o"));
    Frame({vkLeft});
    EXPECT_EQ(board, BoardOf(".x....o.o"));
    Frame({vkReturn}); // the computer completes the bottom row rather than block
    EXPECT_EQ(board, BoardOf("xx....ooo"));
    EXPECT_EQ(gameResult, 0);
    EXPECT_TRUE(winLineCalls.empty());

    // The line shows, and is judged, in the frame after the computer's move.
    Frame();
    EXPECT_EQ(gameResult, 4);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].offset, -5.0f);

    // Over: no mark is taken, the cursor still moves.
    Frame({vkRight});
    Frame({vkReturn});
    EXPECT_EQ(board, BoardOf("xx....ooo"));
    EXPECT_EQ(cursor.column, 1);

    Frame({vkEscape});
    EXPECT_EQ(screenFlags.inMenu, 1);
    EXPECT_EQ(board, Board{});
}

TEST_F(WholeGameTest, AgainstTheComputerToAWinWithAFork) {
    settings.controls = 0;
    SeedRandom(5);
    StartGame(0);

    Frame({vkNumpad7});
    EXPECT_EQ(board, BoardOf("xo......."));
    Frame({vkNumpad5});
    EXPECT_EQ(board, BoardOf("xo..x...o"));
    Frame({vkNumpad1}); // two threats; the lower-numbered line is blocked
    EXPECT_EQ(board, BoardOf("xo.ox.x.o"));
    Frame({vkNumpad9});
    // The winning frame: judged at once, and the computer does not answer.
    EXPECT_EQ(board, BoardOf("xoxox.x.o"));
    EXPECT_EQ(gameResult, 4);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].diagonal, 1);
    EXPECT_EQ(winLineCalls[0].offset, 6.0f);
}

TEST_F(WholeGameTest, SameSeedAndMovesGiveTheSameGame) {
    settings.controls = 0;
    Board first{};
    for (int round = 0; round < 2; ++round) {
        SeedRandom(20261208);
        StartGame(0);
        ResetGame();
        for (int key : {vkNumpad5, vkNumpad1, vkNumpad3, vkNumpad7, vkNumpad9}) Frame({key});
        if (round == 0) first = board;
    }
    EXPECT_EQ(board, first);
}

TEST_F(WholeGameTest, TwoPlayersWithArrowsAgainstKeypad) {
    settings.player1controls = 1;
    settings.player2controls = 0;
    StartGame(1);

    Frame(); // the cursor is drawn, top middle
    Frame({vkReturn});
    Frame({vkLeft, vkNumpad5}); // player two's turn: the arrow does nothing
    EXPECT_EQ(board, BoardOf(".x..o...."));
    EXPECT_EQ(cursor.x, 0.0f);
    Frame({vkLeft});
    Frame({vkReturn});
    Frame({vkNumpad1});
    Frame({vkRight});
    Frame({vkRight});
    Frame({vkReturn});
    EXPECT_EQ(board, BoardOf("xxx.o.o.."));
    EXPECT_EQ(gameResult, 4);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].offset, 3.0f);
}

TEST_F(WholeGameTest, TwoPlayersOnTheKeypadWithPlayerTwoOpeningWithTheXs) {
    settings.player1controls = 0;
    settings.player2controls = 0;
    settings.player1xoro = 0;
    settings.whofirst = 1;
    StartGame(1);

    for (int key : {vkNumpad7, vkNumpad5, vkNumpad4, vkNumpad9}) Frame({key});
    EXPECT_EQ(board, BoardOf("x.oxo...."));
    EXPECT_EQ(cursor.column, 0); // never drawn, never derived
    Frame({vkNumpad1});
    EXPECT_EQ(board, BoardOf("x.oxo.x.."));
    EXPECT_EQ(gameResult, 4);
    ASSERT_EQ(winLineCalls.size(), 1u);
    EXPECT_EQ(winLineCalls[0].vertical, 1);
    EXPECT_EQ(winLineCalls[0].offset, -5.0f);

    // R: player two opens the new game again.
    Frame({vkR});
    EXPECT_EQ(turnFlag, 0);
    EXPECT_EQ(board, Board{});
}

} // namespace
