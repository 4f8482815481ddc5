// The screen flow as the player meets it: every frame drawn for real by
// DrawFrame, with the keys of that frame down before it, as the main loop does.

#include <GL/gl.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "game/board.h"
#include "game/key_table.h"
#include "game/random.h"
#include "game/screen_flags.h"
#include "game/turns.h"
#include "render/draw_frame.h"
#include "render/fonts.h"
#include "render/menus.h"
#include "render/textures.h"
#include "render/viewport.h"
#include "settings/prefs_file.h"
#include "support/gl_window.h"
#include "support/scratch_folder.h"

namespace {

int quitRequests = 0;

class FrameFlow : public testing::Test {
  protected:
    ScratchFolder folder;
    GlWindow window{320, 240};
    KeyTable keys{};

    FrameFlow() {
        std::filesystem::create_directory_symlink(KELMOT_SOURCE_DIR "/Data", "Data");
        EXPECT_EQ(LoadTextures(), 1);
        viewportWidth = 320;
        viewportHeight = 240;
        BuildLargeFont();
        BuildSmallFont();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        board = {};
        turnFlag = 1;
        gameResult = 0;
        cursor = Cursor{};
        openingMovePending = 1;
        screenFlags = ScreenFlags{};
        settings = Settings{};
        keyTable = &keys;
        quitRequests = 0;
        quitRequest = [] { ++quitRequests; };
    }
    ~FrameFlow() override {
        ReleaseLargeFont();
        ReleaseSmallFont();
        keyTable = nullptr;
        quitRequest = nullptr;
    }

    // One pass of the main loop with the given keys held for its frame only.
    void Frame(std::initializer_list<int> pressed = {}) {
        for (int code : pressed) keys[code] = 1;
        UpdateFrame(16);
        DrawFrame();
        for (int code : pressed) keys[code] = 0;
    }

    // Board from a picture: '.' empty, 'x' a 1, 'o' a 5, row by row.
    static Board BoardOf(const char* cells) {
        Board result{};
        for (int i = 0; i < 9; ++i) result[i] = cells[i] == 'x' ? 1 : cells[i] == 'o' ? 5 : 0;
        return result;
    }
};

TEST_F(FrameFlow, MenuRowsDoNotWrapAndARefusedKeyStaysDown) {
    keys[vkUp] = 1;
    DrawFrame();
    EXPECT_EQ(screenFlags.mainMenuRow, 0);
    EXPECT_EQ(keys[vkUp], 1);
    keys[vkUp] = 0;

    for (int i = 0; i < 5; ++i) Frame({vkDown});
    EXPECT_EQ(screenFlags.mainMenuRow, 5);
    keys[vkDown] = 1;
    DrawFrame();
    EXPECT_EQ(screenFlags.mainMenuRow, 5);
    EXPECT_EQ(keys[vkDown], 1);
    keys[vkDown] = 0;

    // Down and Enter in one frame: the row moves first, then acts.
    Frame({vkUp});
    Frame({vkUp});
    Frame({vkDown, vkReturn});
    EXPECT_EQ(screenFlags.aiOptionsOpen, 1);
    EXPECT_EQ(keys[vkReturn], 0);
    EXPECT_EQ(screenFlags.mainMenuRow, 4);
}

// A key's press reaches the table once, however long the key is held: Enter
// held over two frames chooses its row once and acts on nothing on the
// screen that opens, neither a mark at the cursor nor a row's value.
TEST_F(FrameFlow, EnterHeldChoosesOnceAndActsOnNothingItOpens) {
    const auto holdEnter = [&] {
        keys[vkReturn] = 1;
        for (int i = 0; i < 2; ++i) {
            UpdateFrame(16);
            DrawFrame();
        }
        keys[vkReturn] = 0;
    };
    holdEnter(); // "New Game VS. Computer": the player first, with the arrows and Enter
    EXPECT_EQ(screenFlags.inMenu, 0);
    EXPECT_EQ(board, Board{});

    Frame({vkEscape});
    Frame({vkDown});
    Frame({vkDown});
    holdEnter(); // "Multiplayer Options", whose first row toggles who opens
    EXPECT_EQ(screenFlags.multiplayerOptionsOpen, 1);
    EXPECT_EQ(settings.whofirst, Settings{}.whofirst);
}

TEST_F(FrameFlow, OptionScreensToggleAndDoneSavesAndReturns) {
    // AI Options: main menu row 4.
    for (int i = 0; i < 4; ++i) Frame({vkDown});
    Frame({vkReturn});
    ASSERT_EQ(screenFlags.aiOptionsOpen, 1);
    Frame({vkReturn}); // gofirst 1 -> 0
    Frame({vkDown});
    Frame({vkDown});
    Frame({vkReturn}); // controls 1 -> 0
    Frame({vkDown});
    Frame({vkReturn}); // Done
    EXPECT_EQ(screenFlags.aiOptionsOpen, 0);
    EXPECT_EQ(screenFlags.aiRow, 0);
    EXPECT_EQ(screenFlags.mainMenuRow, 4);
    EXPECT_EQ(ReadFile("prefs.txt"), "gofirst=0\nxoro=1\ncontrols=0\nwhofirst=0\nplayer1xoro=1\n"
                                     "player1controls=1\nplayer2controls=1\nconfigpanel=1\n"
                                     "res=1\nbpp=0\nfullscreen=1\n");

    // Multiplayer Options: row 2; a value other than 0 or 1 toggles to 0.
    settings.player2controls = 7;
    Frame({vkUp});
    Frame({vkUp});
    Frame({vkReturn});
    ASSERT_EQ(screenFlags.multiplayerOptionsOpen, 1);
    for (int i = 0; i < 3; ++i) Frame({vkDown});
    Frame({vkReturn});
    EXPECT_EQ(settings.player2controls, 0);
    Frame({vkDown});
    Frame({vkDown}); // refused on the last row
    EXPECT_EQ(screenFlags.multiplayerRow, 4);
    Frame({vkReturn});
    EXPECT_EQ(screenFlags.multiplayerOptionsOpen, 0);
    EXPECT_EQ(screenFlags.multiplayerRow, 0);

    // Global Options: row 3; "Done" saves even with nothing changed.
    Frame({vkDown});
    Frame({vkReturn});
    ASSERT_EQ(screenFlags.globalOptionsOpen, 1);
    std::filesystem::remove("prefs.txt");
    Frame({vkDown});
    Frame({vkReturn});
    EXPECT_EQ(screenFlags.globalOptionsOpen, 0);
    EXPECT_TRUE(std::filesystem::exists("prefs.txt"));
    EXPECT_EQ(settings.configpanel, 1);
}

TEST_F(FrameFlow, ExitRequestsTheEnd) {
    for (int i = 0; i < 5; ++i) Frame({vkDown});
    EXPECT_EQ(quitRequests, 0);
    Frame({vkReturn});
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(FrameFlow, AgainstTheComputerThatOpensAndWins) {
    settings.gofirst = 0;
    SeedRandom(1);
    Frame({vkReturn});
    EXPECT_EQ(screenFlags.inMenu, 0);
    EXPECT_EQ(board, Board{});
    Frame(); // the computer's opening is made after the first game frame is drawn
    EXPECT_EQ(board, BoardOf("........o"));
    EXPECT_EQ(turnFlag, 1);
    Frame({vkReturn});
    Frame({vkLeft});
    Frame({vkReturn});
    EXPECT_EQ(board, BoardOf("xx....ooo"));
    EXPECT_EQ(gameResult, 0);
    Frame(); // judged in the frame that first shows the computer's mark
    EXPECT_EQ(gameResult, 4);

    Frame({vkEscape});
    EXPECT_EQ(screenFlags.inMenu, 1);
    EXPECT_EQ(screenFlags.mainMenuRow, 0);
    EXPECT_EQ(board, Board{});
}

TEST_F(FrameFlow, AgainstTheComputerToATieAndToAWin) {
    settings.controls = 0;
    SeedRandom(1);
    Frame({vkReturn});
    for (int key : {vkNumpad5, vkNumpad9, vkNumpad2, vkNumpad4, vkNumpad7}) Frame({key});
    EXPECT_EQ(board, BoardOf("xoxxxooxo"));
    EXPECT_EQ(gameResult, 4);

    SeedRandom(5);
    Frame({vkR});
    for (int key : {vkNumpad7, vkNumpad5, vkNumpad1, vkNumpad9}) Frame({key});
    // Won by the person: the computer does not answer in the winning frame.
    EXPECT_EQ(board, BoardOf("xoxox.x.o"));
    EXPECT_EQ(gameResult, 4);
}

TEST_F(FrameFlow, TwoPlayersWithArrowsAgainstKeypad) {
    settings.player2controls = 0;
    Frame({vkDown});
    Frame({vkReturn});
    ASSERT_EQ(screenFlags.twoPlayerGame, 1);
    Frame(); // the cursor is drawn, top middle
    Frame({vkReturn});
    Frame({vkLeft, vkNumpad5});
    EXPECT_EQ(board, BoardOf(".x..o...."));
    Frame({vkLeft});
    Frame({vkReturn});
    Frame({vkNumpad1});
    Frame({vkRight});
    Frame({vkRight});
    Frame({vkReturn});
    EXPECT_EQ(board, BoardOf("xxx.o.o.."));
    EXPECT_EQ(gameResult, 4);

    Frame({vkEscape});
    EXPECT_EQ(screenFlags.inMenu, 1);
    EXPECT_EQ(screenFlags.mainMenuRow, 1);
}

} // namespace
