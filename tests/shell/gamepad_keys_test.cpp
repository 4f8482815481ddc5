// What the controllers' buttons do to the key table over time: held directions
// repeat as a held key does, and a key two buttons share stays down while
// either is held.

#include <gtest/gtest.h>

#include "shell/game_window.h"
#include "shell/gamepad_keys.h"

namespace {

struct GamepadKeys : testing::Test {
    KeyTable keys{};
    GameWindow window;
    GamepadState state;
    GamepadKeys() { window.keyTable = &keys; }
    // The buttons held at time now; the key table's entry for key afterwards,
    // which is then used up as the game uses up what it acts on.
    int32_t Look(uint32_t held, uint32_t now, int key) {
        PressGamepadKeys(&window, &state, held, now);
        const int32_t entry = keys[key];
        keys[key] = 0;
        return entry;
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
    PressGamepadKeys(&window, &state, 0, 6700);
    EXPECT_EQ(Look(0, 9000, vkDown), 0);
}

TEST_F(GamepadKeys, OnlyTheLastDirectionRepeatsAndButtonsDoNot) {
    Look(padA | padLeft, 0, vkReturn);
    Look(padA | padLeft | padUp, 200, vkLeft);
    EXPECT_EQ(Look(padA | padLeft | padUp, 600, vkLeft), 0);
    EXPECT_EQ(Look(padA | padLeft | padUp, 700, vkUp), 1);
    EXPECT_EQ(Look(padA | padLeft | padUp, 700, vkReturn), 0);
    // The repeating direction let go: the other one held does not take over.
    EXPECT_EQ(Look(padA | padLeft, 900, vkLeft), 0);
    EXPECT_EQ(Look(padA | padLeft, 2000, vkLeft), 0);
}

TEST_F(GamepadKeys, RepeatsAcrossTheClockWrapping) {
    EXPECT_EQ(Look(padRight, 0xFFFFFF00u, vkRight), 1);
    EXPECT_EQ(Look(padRight, 0x00000000u, vkRight), 0);
    EXPECT_EQ(Look(padRight, 0x000000F4u, vkRight), 1);
}

TEST_F(GamepadKeys, SharedKeyStaysDownWhileEitherButtonIsHeld) {
    PressGamepadKeys(&window, &state, padB | padBack, 0);
    PressGamepadKeys(&window, &state, padBack, 10);
    EXPECT_EQ(keys[vkEscape], 1);
    PressGamepadKeys(&window, &state, 0, 20);
    EXPECT_EQ(keys[vkEscape], 0);
    PressGamepadKeys(&window, &state, padY, 30);
    EXPECT_EQ(keys[vkR], 1);
    PressGamepadKeys(&window, &state, 0, 40);
    EXPECT_EQ(keys[vkR], 0);
}

} // namespace
