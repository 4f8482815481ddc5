// The start-up dialog's rules: the controls it opens with, and what OK writes
// to the options, the display mode and, through the save that follows, prefs.txt.

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "prefs_fixture.h"
#include "settings/config_dialog.h"
#include "settings/prefs_file.h"

namespace {

// Start-up's mode before the dialog, on a 1366 x 768 screen.
constexpr DisplayChoice startUpMode{1366, 712, 16, 1};

Settings Options(int32_t res, int32_t bpp, int32_t fullscreen) {
    Settings options;
    options.res = res;
    options.bpp = bpp;
    options.fullscreen = fullscreen;
    return options;
}

void ExpectMode(const DisplayChoice& mode, int32_t width, int32_t height, int32_t colourBits,
                int32_t fullscreenMode) {
    EXPECT_EQ(mode.width, width);
    EXPECT_EQ(mode.height, height);
    EXPECT_EQ(mode.colourBits, colourBits);
    EXPECT_EQ(mode.fullscreenMode, fullscreenMode);
}

TEST(ConfigDialogInitialControls, FollowTheOptions) {
    for (int32_t res = -2; res <= 5; ++res) {
        const ConfigDialogControls controls = InitialDialogControls(Options(res, 0, 1));
        for (int32_t button = 0; button < resolutionCount; ++button)
            EXPECT_EQ(controls.resolutionChecked[button], button == res ? 1 : 0)
                << "res=" << res << " button " << button;
    }
    for (int32_t bpp : {0, 1, 7, -1}) {
        const ConfigDialogControls controls = InitialDialogControls(Options(1, bpp, 1));
        EXPECT_EQ(controls.depth16Checked, bpp == 0 ? 1 : 0) << "bpp=" << bpp;
        EXPECT_EQ(controls.depth32Checked, bpp == 0 ? 0 : 1) << "bpp=" << bpp;
    }
    for (int32_t fullscreen : {0, 1, -3})
        EXPECT_EQ(InitialDialogControls(Options(1, 0, fullscreen)).fullscreenChecked,
                  fullscreen == 0 ? 0 : 1);
}

using ConfigDialogOk = ScratchFolderTest;

TEST_F(ConfigDialogOk, UnchangedDefaultsKeepTheFileAndChooseTheirMode) {
    settings = Settings{};
    DisplayChoice mode = startUpMode;
    ApplyDialogChoices(InitialDialogControls(settings), &settings, &mode);
    ExpectMode(mode, 1024, 768, 16, 1);
    SavePreferences(settings);
    EXPECT_EQ(ReadFile(), defaultText);
}

TEST_F(ConfigDialogOk, WindowedKeepsTheScreenSizeAndRes) {
    settings = Settings{};
    ConfigDialogControls controls = InitialDialogControls(settings);
    controls.fullscreenChecked = 0;
    controls.resolutionChecked[1] = 0;
    controls.resolutionChecked[2] = 1; // "800x600", which windowed ignores
    DisplayChoice mode = startUpMode;
    ApplyDialogChoices(controls, &settings, &mode);
    ExpectMode(mode, 1366, 712, 16, 0);
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.res, 1);
    SavePreferences(settings);
    EXPECT_EQ(ReadFile(), PrefsText(Values{1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 0}));
}

TEST_F(ConfigDialogOk, ThirtyTwoBitsAndEachSize) {
    for (int32_t res = 0; res < resolutionCount; ++res) {
        settings = Settings{};
        ConfigDialogControls controls = InitialDialogControls(Options(res, 0, 1));
        controls.depth16Checked = 0;
        controls.depth32Checked = 1;
        DisplayChoice mode = startUpMode;
        ApplyDialogChoices(controls, &settings, &mode);
        ExpectMode(mode, resolutionSizes[res][0], resolutionSizes[res][1], 32, 1);
        EXPECT_EQ(settings.res, res);
        EXPECT_EQ(settings.bpp, 1);
    }
    SavePreferences(settings);
    EXPECT_EQ(ReadFile(), PrefsText(Values{1, 1, 1, 0, 1, 1, 1, 1, 3, 1, 1}));
}

TEST(ConfigDialogOkRule, UnknownResWithNothingChosenKeepsSizeAndRes) {
    Settings options = Options(5, 0, 0);
    ConfigDialogControls controls = InitialDialogControls(options);
    controls.fullscreenChecked = 1;
    DisplayChoice mode = startUpMode;
    ApplyDialogChoices(controls, &options, &mode);
    ExpectMode(mode, 1366, 712, 16, 1);
    EXPECT_EQ(options.res, 5);
    EXPECT_EQ(options.fullscreen, 1);
}

TEST(ConfigDialogOkRule, TheFirstCheckedSizeWins) {
    ConfigDialogControls controls;
    controls.fullscreenChecked = 1;
    controls.resolutionChecked[1] = 1;
    controls.resolutionChecked[3] = 1;
    Settings options;
    DisplayChoice mode = startUpMode;
    ApplyDialogChoices(controls, &options, &mode);
    ExpectMode(mode, 1024, 768, 16, 1);
    EXPECT_EQ(options.res, 1);
}

TEST(ConfigDialogOkRule, ASizeIsTakenOnlyForAFullScreenMode) {
    ConfigDialogControls controls = InitialDialogControls(Options(3, 0, 1));
    Settings options = Options(1, 0, 0);
    DisplayChoice mode{1366, 712, 16, 0};
    ApplyDialogChoices(controls, &options, &mode);
    ExpectMode(mode, 1366, 712, 16, 0);
    EXPECT_EQ(options.res, 1);
    EXPECT_EQ(options.fullscreen, 1);
}

TEST(ConfigDialogOkRule, NoDepthCheckedKeepsBoth) {
    ConfigDialogControls controls = InitialDialogControls(Options(2, 7, 1));
    controls.depth32Checked = 0;
    Settings options = Options(2, 7, 1);
    DisplayChoice mode{1366, 712, 32, 1};
    ApplyDialogChoices(controls, &options, &mode);
    ExpectMode(mode, 800, 600, 32, 1);
    EXPECT_EQ(options.bpp, 7);
    // Both checked cannot happen in the window, but 16 is looked at first.
    controls.depth16Checked = controls.depth32Checked = 1;
    ApplyDialogChoices(controls, &options, &mode);
    EXPECT_EQ(mode.colourBits, 16);
    EXPECT_EQ(options.bpp, 0);
}

TEST(ConfigDialogOkRule, OnlyTheDisplayOptionsChange) {
    Settings options;
    options.gofirst = 0;
    options.xoro = 5;
    options.controls = 7;
    options.whofirst = 1;
    options.player1xoro = 0;
    options.player1controls = 0;
    options.player2controls = 0;
    options.configpanel = 3;
    const Settings before = options;
    ConfigDialogControls controls;
    controls.depth32Checked = 1;
    DisplayChoice mode = startUpMode;
    ApplyDialogChoices(controls, &options, &mode);
    Values expected = ValuesOf(before);
    expected[9] = 1;  // bpp
    expected[10] = 0; // fullscreen
    EXPECT_EQ(ValuesOf(options), expected);
}

} // namespace
