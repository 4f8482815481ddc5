// The window record as start-up fills it, and the display mode the options ask
// for when the start-up dialog is not used.

#include <algorithm>
#include <ostream>

#include <gtest/gtest.h>

#include "shell/start_up.h"

namespace {

struct ModeCase {
    int32_t fullscreen, res, bpp;
    int32_t width, height, colourBits, fullscreenMode;
};

std::ostream& operator<<(std::ostream& out, const ModeCase& c) {
    return out << "fullscreen=" << c.fullscreen << " res=" << c.res << " bpp=" << c.bpp;
}

class DisplayModeChoice : public testing::TestWithParam<ModeCase> {};

TEST_P(DisplayModeChoice, FollowsTheOptions) {
    const ModeCase& c = GetParam();
    KeyTable keys;
    GameWindow window;
    WindowClassInfo classInfo;
    PrepareGameWindow(&window, &keys, &classInfo, 1024, 768, 96);
    Settings options;
    options.fullscreen = c.fullscreen;
    options.res = c.res;
    options.bpp = c.bpp;
    ChooseDisplayMode(&window, options);
    EXPECT_EQ(window.width, c.width);
    EXPECT_EQ(window.height, c.height);
    EXPECT_EQ(window.colourBits, c.colourBits);
    EXPECT_EQ(window.fullscreenMode, c.fullscreenMode);
}

// The screen is 1024 x 768, so the start-up size is 1024 x 712.
INSTANTIATE_TEST_SUITE_P(
    Options, DisplayModeChoice,
    testing::Values(ModeCase{1, 0, 0, 1280, 1024, 16, 1}, ModeCase{1, 1, 1, 1024, 768, 32, 1},
                    ModeCase{1, 2, 1, 800, 600, 32, 1}, ModeCase{1, 3, 0, 640, 480, 16, 1},
                    // unknown sizes keep the start-up size
                    ModeCase{1, 9, 0, 1024, 712, 16, 1}, ModeCase{1, -1, 7, 1024, 712, 32, 1},
                    // windowed ignores res, not bpp
                    ModeCase{0, 0, 0, 1024, 712, 16, 0}, ModeCase{0, 2, 5, 1024, 712, 32, 0},
                    ModeCase{-3, 2, 0, 800, 600, 16, 1}));

TEST(StartUp, WindowRecordStartsFromTheScreen) {
    KeyTable keys;
    keys.fill(1);
    GameWindow window;
    window.visible = 1;
    window.lastFrameTime = 99;
    WindowClassInfo classInfo;
    PrepareGameWindow(&window, &keys, &classInfo, 1280, 1024, 96);
    EXPECT_EQ(window.width, 1280);
    EXPECT_EQ(window.height, 968);
    EXPECT_EQ(window.colourBits, 16);
    EXPECT_EQ(window.fullscreenMode, 1);
    EXPECT_STREQ(window.windowTitle, "Kelmot");
    EXPECT_EQ(window.keyTable, &keys);
    EXPECT_EQ(window.window, nullptr);
    EXPECT_EQ(window.glContext, nullptr);
    EXPECT_EQ(window.visible, 0);
    EXPECT_EQ(window.lastFrameTime, 0u);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0), 256);
}

// The rows left to the desktop's panels keep their share of a scaled screen: 56
// at 100 %, as Windows' taskbar and caption grow with the scale; a DPI the
// system does not tell counts as 100 %.
TEST(StartUp, PanelRowsGrowWithTheScreensScale) {
    const int32_t cases[][2] = {{96, 968}, {120, 954}, {144, 940}, {192, 912}, {0, 968}};
    for (const auto& [dpi, height] : cases) {
        KeyTable keys;
        GameWindow window;
        WindowClassInfo classInfo;
        PrepareGameWindow(&window, &keys, &classInfo, 1280, 1024, dpi);
        EXPECT_EQ(window.width, 1280) << dpi << " dpi";
        EXPECT_EQ(window.height, height) << dpi << " dpi";
    }
}

// The room a maximised window gets, where the desktop tells it, bounds the
// start-up size: the taskbar and caption of a current desktop take more than 56
// rows, and a taskbar at the side takes columns.
TEST(StartUp, WindowFitsTheRoomTheDesktopLeaves) {
    const int32_t cases[][4] = {{0, 0, 1280, 968},
                                {1280, 1001, 1280, 968},
                                {1280, 953, 1280, 953},
                                {1218, 1001, 1218, 968},
                                {1218, 953, 1218, 953}};
    for (const auto& [roomWidth, roomHeight, width, height] : cases) {
        KeyTable keys;
        GameWindow window;
        WindowClassInfo classInfo;
        PrepareGameWindow(&window, &keys, &classInfo, 1280, 1024, 96);
        FitWindowInRoom(&window, roomWidth, roomHeight);
        EXPECT_EQ(window.width, width) << roomWidth << "x" << roomHeight;
        EXPECT_EQ(window.height, height) << roomWidth << "x" << roomHeight;
    }
}

} // namespace
