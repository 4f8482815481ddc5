// The pointer as the player uses it, frame by frame as the window loop runs:
// StepPointer, the game's update and a real frame drawn in a window, the
// pointer placed over what that frame showed.

#include <gtest/gtest.h>

#include <optional>

#include "game/board.h"
#include "game/screen_flags.h"
#include "game/turns.h"
#include "platform/pointer.h"
#include "render/draw_frame.h"
#include "render/menus.h"
#include "render/pointer_targets.h"
#include "settings/settings.h"
#include "shell/pointer.h"
#include "shell/projection.h"
#include "shell/window_messages.h"
#include "support/gl_window.h"

namespace {

constexpr int width = 640, height = 480;

struct Point {
    float x, y;
};

class Pointer : public testing::Test {
  protected:
    GlWindow glWindow{width, height};
    KeyTable keys{};
    GameWindow window;

    Pointer() {
        window.keyTable = &keys;
        keyTable = &keys;
        screenFlags = ScreenFlags{};
        settings = Settings{};
        board = {};
        ForgetPointer();
        ReleaseAllKeys(&window);
        Frame();
    }
    ~Pointer() override { keyTable = nullptr; }

    // One pass of the window loop.
    void Frame() {
        SetProjection(width, height);
        StepPointer(&window);
        UpdateFrame(16);
        DrawFrame();
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) Frame();
    }

    // The middle of where the last frame showed target.
    static std::optional<Point> Find(PointerTarget target) {
        float sumX = 0, sumY = 0, count = 0;
        for (float y = 0.5f; y < height; y += 2)
            for (float x = 0.5f; x < width; x += 2)
                if (PointerTargetAt(x, y) == target) {
                    sumX += x;
                    sumY += y;
                    ++count;
                }
        if (count == 0) return std::nullopt;
        return Point{sumX / count, sumY / count};
    }
    void Act(PointerAction action, Point at) { RecordPointer(&window, action, at.x, at.y); }
    static PointerTarget Row(int32_t row) { return {PointerTargetKind::menuRow, row}; }
};

TEST_F(Pointer, OnlyAPressAndReleaseOnOneRowOfOneScreenChooseIt) {
    const auto global = Find(Row(3)), ai = Find(Row(4));
    ASSERT_TRUE(global && ai);
    // Down on "Global Options", up on "AI Options": the press highlights its
    // row, and nothing is chosen.
    Act(PointerAction::press, *global);
    Act(PointerAction::release, *ai);
    Frames(6);
    EXPECT_EQ(screenFlags.mainMenuRow, 3);
    EXPECT_EQ(screenFlags.globalOptionsOpen + screenFlags.aiOptionsOpen, 0);

    // Down on "Multiplayer Options"; Enter opens it before the release, which
    // comes up on that screen's row of the same number: not a choice there.
    const auto multiplayer = Find(Row(2));
    ASSERT_TRUE(multiplayer);
    Act(PointerAction::press, *multiplayer);
    Frames(3);
    ASSERT_EQ(screenFlags.mainMenuRow, 2);
    RecordKey(&window, KeySource::keyboard, vkReturn, 1);
    Frame();
    RecordKey(&window, KeySource::keyboard, vkReturn, 0);
    ASSERT_EQ(screenFlags.multiplayerOptionsOpen, 1);
    Frame();
    const auto controls = Find(Row(2));
    ASSERT_TRUE(controls);
    Act(PointerAction::release, *controls);
    Frames(6);
    EXPECT_EQ(settings.player1controls, Settings{}.player1controls);

    // A press the system takes away is no choice either; a whole click is.
    Act(PointerAction::press, *controls);
    Act(PointerAction::cancel, *controls);
    Act(PointerAction::release, *controls);
    Frames(6);
    EXPECT_EQ(settings.player1controls, Settings{}.player1controls);
    Act(PointerAction::press, *controls);
    Act(PointerAction::release, *controls);
    Frames(6);
    EXPECT_NE(settings.player1controls, Settings{}.player1controls);
}

TEST_F(Pointer, ItsReleaseLeavesAKeyAnotherInputPressedMeanwhile) {
    const auto firstRow = Find(Row(0)), secondRow = Find(Row(1));
    ASSERT_TRUE(firstRow && secondRow);
    Act(PointerAction::move, *firstRow); // where it rests as the test starts
    Act(PointerAction::move, *secondRow);
    // The pointer's Down moves the highlight in one frame; the keyboard
    // presses Down before the next, which lets go of the pointer's.
    Frame();
    ASSERT_EQ(screenFlags.mainMenuRow, 1);
    RecordKey(&window, KeySource::keyboard, vkDown, 1);
    StepPointer(&window);
    EXPECT_EQ(keys[vkDown], 1);
    UpdateFrame(16);
    DrawFrame();
    EXPECT_EQ(screenFlags.mainMenuRow, 2);

    // The keyboard letting go of Enter leaves the controller's Enter down.
    RecordKey(&window, KeySource::controller, vkReturn, 1);
    RecordKey(&window, KeySource::keyboard, vkReturn, 1);
    RecordKey(&window, KeySource::keyboard, vkReturn, 0);
    EXPECT_EQ(keys[vkReturn], 1);
    RecordKey(&window, KeySource::controller, vkReturn, 0);
    EXPECT_EQ(keys[vkReturn], 0);
}

TEST_F(Pointer, AClickAfterTheWindowIsReplacedWaitsForItsFirstFrame) {
    StartGame(1); // two players, player one with the arrow keys
    Frame();
    const auto corner = Find({PointerTargetKind::cell, 8});
    ASSERT_TRUE(corner);
    // The window is replaced (a toggle): what the old one showed is gone.
    ForgetPointer();
    Act(PointerAction::press, *corner);
    Act(PointerAction::release, *corner);
    StepPointer(&window);
    EXPECT_EQ(keys, KeyTable{}) << "a click on the old window's layout";
    Frames(12);
    EXPECT_EQ(board[8], 0);
    // Once the new window has drawn, the same click places the mark.
    Act(PointerAction::press, *corner);
    Act(PointerAction::release, *corner);
    Frames(12);
    EXPECT_NE(board[8], 0);
}

} // namespace
