// Browser key events (KeyboardEvent.code and .key) to the Windows virtual-key
// codes of the key table: letters by the letter typed, everything else by
// position, the keypad by Num Lock, and the keys the table never records.

#include <gtest/gtest.h>

#include "game/key_table.h"
#include "platform/web/key_map.h"

namespace {

struct KeyCase {
    const char* code; // the key's place
    const char* key;  // what it types
    int32_t virtualKey;
};

TEST(KeyMap, KeysAcrossTheKeyboard) {
    const KeyCase cases[] = {
        // Letters: the letter typed, whatever the key's place.
        {"KeyR", "r", vkR},
        {"KeyR", "R", vkR},        // with Shift
        {"KeyY", "z", 'Z'},        // QWERTZ
        {"KeyM", ",", 'M'},        // AZERTY: no letter, so by place
        {"KeyR", "\xD0\xBA", vkR}, // a Cyrillic letter: by place
        {"Digit1", "&", '1'},      // AZERTY's digit row
        {"Enter", "Enter", vkReturn},
        {"NumpadEnter", "Enter", vkReturn},
        {"Escape", "Escape", vkEscape},
        {"ArrowLeft", "ArrowLeft", vkLeft},
        {"ArrowDown", "ArrowDown", vkDown},
        {"F1", "F1", 0x70},
        {"F24", "F24", 0x87},
        {"ShiftRight", "Shift", 0x10},
        {"IntlBackslash", "<", 0xE2},
        // Nothing the table knows.
        {"F25", "F25", 0},
        {"Digit", "", 0},
        {"Lang1", "HangulMode", 0},
        {"", "", 0},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(VirtualKeyFor(c.code, c.key), c.virtualKey) << c.code << " typing " << c.key;
}

TEST(KeyMap, TheKeypadFollowsNumLock) {
    // With Num Lock on the keys type their digits; with it off the browser
    // gives the navigation key printed under each.
    const KeyCase cases[] = {
        {"Numpad7", "7", vkNumpad7},  {"Numpad7", "Home", 0x24},
        {"Numpad8", "8", vkNumpad8},  {"Numpad8", "ArrowUp", vkUp},
        {"Numpad5", "5", vkNumpad5},  {"Numpad5", "Clear", 0x0C},
        {"Numpad3", "3", vkNumpad3},  {"Numpad3", "PageDown", 0x22},
        {"Numpad0", "0", 0x60},       {"Numpad0", "Insert", 0x2D},
        {"NumpadDecimal", ",", 0x6E}, {"NumpadDecimal", "Delete", 0x2E},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(VirtualKeyFor(c.code, c.key), c.virtualKey) << c.code << " typing " << c.key;
}

TEST(KeyMap, AltAndF10AreTheBrowsers) {
    EXPECT_TRUE(IsSystemKey(0x12, true));  // Alt itself
    EXPECT_TRUE(IsSystemKey(0x79, false)); // F10
    EXPECT_TRUE(IsSystemKey(vkR, true));   // Alt+R
    EXPECT_FALSE(IsSystemKey(vkR, false));
    EXPECT_FALSE(IsSystemKey(vkReturn, false));
}

} // namespace
