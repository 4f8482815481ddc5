// What the controllers' buttons do to the key table over time: held directions
// repeat as a held key does, a diagonal as the screen shown moves, a key two
// buttons share stays down while either is held, and only presses seen while
// the game is in front count.

#include <gtest/gtest.h>

#include "game/screen_flags.h"
#include "shell/game_window.h"
#include "shell/gamepad_keys.h"
#include "shell/window_messages.h"

namespace {

struct GamepadKeys : testing::Test {
    KeyTable keys{};
    GameWindow window;
    GamepadState state;
    // A game is shown, and the game's first look found nothing held.
    GamepadKeys() {
        window.keyTable = &keys;
        ReleaseAllKeys(&window);
        screenFlags.inMenu = 0;
        PressGamepadKeys(&window, &state, {0, true, 0});
    }
    ~GamepadKeys() override { screenFlags = ScreenFlags{}; }
    // The buttons held at time now, the game in front unless told; the key
    // table's entry for key afterwards, which is then used up as the game uses
    // up what it acts on.
    int32_t Look(uint32_t held, uint32_t now, int key, bool inFront = true) {
        PressGamepadKeys(&window, &state, {held, inFront, now});
        const int32_t entry = keys[key];
        keys[key] = 0;
        return entry;
    }
    // Both arrows' entries as Look leaves them, as two digits: 10 the first.
    int32_t LookAtTwo(uint32_t held, uint32_t now, int first, int second) {
        PressGamepadKeys(&window, &state, {held, true, now});
        const int32_t entries = 10 * keys[first] + keys[second];
        keys[first] = keys[second] = 0;
        return entries;
    }
};

TEST_F(GamepadKeys, HeldDirectionRepeatsAfterHalfASecondThenTenTimesASecond) {
    EXPECT_EQ(Look(padDown, 1000, vkDown), 1);
    EXPECT_EQ(Look(padDown, 1499, vkDown), 0);
    EXPECT_EQ(Look(padDown, 1500, vkDown), 1);
    EXPECT_EQ(Look(padDown, 1599, vkDown), 0);
    EXPECT_EQ(Look(padDown, 1600, vkDown), 1);
    // Five seconds away: one repeat, not fifty.
    EXPECT_EQ(Look(padDown, 6600, vkDown), 1);
    EXPECT_EQ(Look(padDown, 6650, vkDown), 0);
    // Let go: no more presses, and the key is up.
    PressGamepadKeys(&window, &state, {0, true, 6700});
    EXPECT_EQ(Look(0, 9000, vkDown), 0);
}

TEST_F(GamepadKeys, InAGameADiagonalRepeatsBothArrowsAndButtonsDoNot) {
    EXPECT_EQ(LookAtTwo(padA | padLeft, 0, vkLeft, vkReturn), 11);
    // Up joins Left: both repeat half a second after Up's press, together.
    EXPECT_EQ(LookAtTwo(padA | padLeft | padUp, 200, vkUp, vkLeft), 10);
    EXPECT_EQ(LookAtTwo(padA | padLeft | padUp, 600, vkUp, vkLeft), 0);
    EXPECT_EQ(LookAtTwo(padA | padLeft | padUp, 700, vkUp, vkLeft), 11);
    EXPECT_EQ(LookAtTwo(padA | padLeft | padUp, 800, vkUp, vkLeft), 11);
    EXPECT_EQ(keys[vkReturn], 0);
    // Up let go: Left, still held, goes on repeating.
    EXPECT_EQ(LookAtTwo(padA | padLeft, 900, vkUp, vkLeft), 1);
    // Of two opposites (two controllers) the last pressed repeats.
    EXPECT_EQ(LookAtTwo(padLeft | padRight, 1000, vkRight, vkLeft), 10);
    EXPECT_EQ(LookAtTwo(padLeft | padRight, 1500, vkRight, vkLeft), 10);
}

TEST_F(GamepadKeys, InAMenuADiagonalRepeatsTheVerticalArrow) {
    screenFlags.inMenu = 1;
    EXPECT_EQ(LookAtTwo(padDown | padRight, 0, vkDown, vkRight), 11);
    EXPECT_EQ(LookAtTwo(padDown | padRight, 500, vkDown, vkRight), 10);
    EXPECT_EQ(LookAtTwo(padDown | padRight, 600, vkDown, vkRight), 10);
    // Across alone repeats as it is.
    EXPECT_EQ(LookAtTwo(padRight, 700, vkDown, vkRight), 1);
    // The dialogs move as a menu does: a diagonal repeats Tab.
    GamepadState dialog;
    GamepadDialogKeys(&dialog, {0, true, 0});
    EXPECT_EQ(GamepadDialogKeys(&dialog, {padUp | padLeft, true, 0}),
              1u << dialogShiftTab | 1u << dialogLeft);
    EXPECT_EQ(GamepadDialogKeys(&dialog, {padUp | padLeft, true, 500}), 1u << dialogShiftTab);
}

TEST_F(GamepadKeys, OnlyPressesSeenWhileInFrontCount) {
    // Held at the first look (B closed another program's overlay): no press,
    // no release; pressed again, it acts.
    GamepadState first;
    EXPECT_EQ(FollowGamepads(&first, {padB | padDown, true, 0}, false).count, 0);
    EXPECT_EQ(FollowGamepads(&first, {padB | padDown, true, 600}, false).count, 0);
    EXPECT_EQ(FollowGamepads(&first, {padDown, true, 700}, false).count, 0);
    const GamepadChanges again = FollowGamepads(&first, {padB | padDown, true, 800}, false);
    ASSERT_EQ(again.count, 1);
    EXPECT_EQ(again.list[0].button, padB);
    EXPECT_EQ(again.list[0].down, 1);

    // Pressed in front, A is let go as the game goes behind another program,
    // and Down stops repeating.
    EXPECT_EQ(LookAtTwo(padA | padDown, 0, vkReturn, vkDown), 11);
    keys[vkReturn] = 1;
    EXPECT_EQ(Look(padA | padDown, 100, vkReturn, false), 0);
    // B pressed behind it; all three held as the game comes back: none is a
    // press, and Down does not repeat.
    EXPECT_EQ(Look(padA | padB | padDown, 200, vkEscape, false), 0);
    EXPECT_EQ(Look(padA | padB | padDown, 300, vkEscape), 0);
    EXPECT_EQ(Look(padA | padB | padDown, 2000, vkDown), 0);
    EXPECT_EQ(Look(padA | padB | padDown, 2000, vkReturn), 0);
    // Let go and pressed again in front, each acts.
    EXPECT_EQ(Look(0, 2100, vkEscape), 0);
    EXPECT_EQ(Look(padB, 2200, vkEscape), 1);
    EXPECT_EQ(Look(padB | padDown, 2300, vkDown), 1);
    EXPECT_EQ(Look(padB | padDown, 2800, vkDown), 1);
    // In the dialogs alike: Start held from behind another program is no OK.
    GamepadState dialog;
    EXPECT_EQ(GamepadDialogKeys(&dialog, {padStart, false, 0}), 0u);
    EXPECT_EQ(GamepadDialogKeys(&dialog, {padStart, true, 100}), 0u);
    EXPECT_EQ(GamepadDialogKeys(&dialog, {0, true, 200}), 0u);
    EXPECT_EQ(GamepadDialogKeys(&dialog, {padStart, true, 300}), 1u << dialogEnter);
}

TEST_F(GamepadKeys, RepeatsAcrossTheClockWrapping) {
    EXPECT_EQ(Look(padRight, 0xFFFFFF00u, vkRight), 1);
    EXPECT_EQ(Look(padRight, 0x00000000u, vkRight), 0);
    EXPECT_EQ(Look(padRight, 0x000000F4u, vkRight), 1);
}

TEST_F(GamepadKeys, SharedKeyStaysDownWhileEitherButtonIsHeld) {
    PressGamepadKeys(&window, &state, {padB | padBack, true, 0});
    PressGamepadKeys(&window, &state, {padBack, true, 10});
    EXPECT_EQ(keys[vkEscape], 1);
    PressGamepadKeys(&window, &state, {0, true, 20});
    EXPECT_EQ(keys[vkEscape], 0);
    PressGamepadKeys(&window, &state, {padY, true, 30});
    EXPECT_EQ(keys[vkR], 1);
    PressGamepadKeys(&window, &state, {0, true, 40});
    EXPECT_EQ(keys[vkR], 0);
}

} // namespace
