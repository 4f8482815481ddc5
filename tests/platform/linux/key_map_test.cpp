// SDL key events to the Windows virtual-key codes of the key table: letters by
// the letter on the key, everything else by position, the keypad by Num Lock and
// Shift, and the keys the table never records.

#include <gtest/gtest.h>

#include "game/key_table.h"
#include "platform/linux/key_map.h"

namespace {

constexpr SDL_Keycode byScancode = SDLK_UNKNOWN; // take the keycode SDL gives the scancode

SDL_Keysym Key(SDL_Scancode scancode, SDL_Keycode sym = byScancode, uint16_t mod = KMOD_NONE) {
    if (sym == byScancode) sym = SDL_SCANCODE_TO_KEYCODE(scancode);
    return {.scancode = scancode, .sym = sym, .mod = mod, .unused = 0};
}

struct KeyCase {
    SDL_Scancode scancode;
    SDL_Keycode sym; // what the layout prints on the key
    int32_t code;
};

TEST(KeyMap, KeysAcrossTheKeyboard) {
    const KeyCase cases[] = {
        // Letters: the letter on the key, whatever its position.
        {SDL_SCANCODE_A, 'a', 'A'},
        {SDL_SCANCODE_R, 'r', vkR},
        {SDL_SCANCODE_Y, 'z', 'Z'},         // QWERTZ
        {SDL_SCANCODE_Z, 'y', 'Y'},         // QWERTZ
        {SDL_SCANCODE_SEMICOLON, 'm', 'M'}, // AZERTY
        {SDL_SCANCODE_M, ',', 'M'},         // AZERTY: no letter printed, so by position
        {SDL_SCANCODE_R, 0x043A, vkR},      // Cyrillic letter: by position
        {SDL_SCANCODE_Z, byScancode, 'Z'},
        // The digit row, also where the layout prints symbols on it.
        {SDL_SCANCODE_1, '1', '1'},
        {SDL_SCANCODE_9, '9', '9'},
        {SDL_SCANCODE_0, '0', '0'},
        {SDL_SCANCODE_1, '&', '1'}, // AZERTY
        {SDL_SCANCODE_F1, byScancode, 0x70},
        {SDL_SCANCODE_F10, byScancode, 0x79},
        {SDL_SCANCODE_F12, byScancode, 0x7B},
        {SDL_SCANCODE_F13, byScancode, 0x7C},
        {SDL_SCANCODE_F24, byScancode, 0x87},
        {SDL_SCANCODE_RETURN, SDLK_RETURN, vkReturn},
        {SDL_SCANCODE_KP_ENTER, byScancode, vkReturn},
        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, vkEscape},
        {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 8},
        {SDL_SCANCODE_TAB, SDLK_TAB, 9},
        {SDL_SCANCODE_SPACE, SDLK_SPACE, 32},
        {SDL_SCANCODE_LEFT, byScancode, vkLeft},
        {SDL_SCANCODE_UP, byScancode, vkUp},
        {SDL_SCANCODE_RIGHT, byScancode, vkRight},
        {SDL_SCANCODE_DOWN, byScancode, vkDown},
        {SDL_SCANCODE_PAGEUP, byScancode, 33},
        {SDL_SCANCODE_PAGEDOWN, byScancode, 34},
        {SDL_SCANCODE_END, byScancode, 35},
        {SDL_SCANCODE_HOME, byScancode, 36},
        {SDL_SCANCODE_INSERT, byScancode, 45},
        {SDL_SCANCODE_DELETE, SDLK_DELETE, 46},
        {SDL_SCANCODE_PRINTSCREEN, byScancode, 44},
        {SDL_SCANCODE_PAUSE, byScancode, 19},
        {SDL_SCANCODE_CAPSLOCK, byScancode, 20},
        {SDL_SCANCODE_NUMLOCKCLEAR, byScancode, 144},
        {SDL_SCANCODE_SCROLLLOCK, byScancode, 145},
        {SDL_SCANCODE_LSHIFT, byScancode, 16},
        {SDL_SCANCODE_RSHIFT, byScancode, 16},
        {SDL_SCANCODE_LCTRL, byScancode, 17},
        {SDL_SCANCODE_RCTRL, byScancode, 17},
        {SDL_SCANCODE_LALT, byScancode, 18},
        {SDL_SCANCODE_RALT, byScancode, 18},
        {SDL_SCANCODE_LGUI, byScancode, 91},
        {SDL_SCANCODE_RGUI, byScancode, 92},
        {SDL_SCANCODE_APPLICATION, byScancode, 93},
        // Punctuation: the keycode is the character, the code is the key's own.
        {SDL_SCANCODE_SEMICOLON, ';', 186},
        {SDL_SCANCODE_EQUALS, '=', 187},
        {SDL_SCANCODE_COMMA, ',', 188},
        {SDL_SCANCODE_MINUS, '-', 189},
        {SDL_SCANCODE_PERIOD, '.', 190},
        {SDL_SCANCODE_SLASH, '/', 191},
        {SDL_SCANCODE_GRAVE, '`', 192},
        {SDL_SCANCODE_LEFTBRACKET, '[', 219},
        {SDL_SCANCODE_BACKSLASH, '\\', 220},
        {SDL_SCANCODE_RIGHTBRACKET, ']', 221},
        {SDL_SCANCODE_APOSTROPHE, '\'', 222},
        {SDL_SCANCODE_NONUSBACKSLASH, '<', 226},
        // Browser, media and power keys.
        {SDL_SCANCODE_AC_BACK, byScancode, 0xA6},
        {SDL_SCANCODE_AC_HOME, byScancode, 0xAC},
        {SDL_SCANCODE_AUDIOMUTE, byScancode, 0xAD},
        {SDL_SCANCODE_VOLUMEUP, byScancode, 0xAF},
        {SDL_SCANCODE_AUDIOPLAY, byScancode, 0xB3},
        {SDL_SCANCODE_CALCULATOR, byScancode, 0xB7},
        {SDL_SCANCODE_SLEEP, byScancode, 0x5F},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << SDL_GetScancodeName(c.scancode) << " printed as " << c.sym);
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, c.sym)), c.code);
    }
}

TEST(KeyMap, KeypadFollowsNumLockAndShift) {
    struct KeypadCase {
        SDL_Scancode scancode;
        int32_t numLockOn;
        int32_t numLockOff;
    };
    const KeypadCase cases[] = {
        {SDL_SCANCODE_KP_0, 96, 45},
        {SDL_SCANCODE_KP_1, vkNumpad1, 35},
        {SDL_SCANCODE_KP_2, vkNumpad2, vkDown},
        {SDL_SCANCODE_KP_3, vkNumpad3, 34},
        {SDL_SCANCODE_KP_4, vkNumpad4, vkLeft},
        {SDL_SCANCODE_KP_5, vkNumpad5, 12},
        {SDL_SCANCODE_KP_6, vkNumpad6, vkRight},
        {SDL_SCANCODE_KP_7, vkNumpad7, 36},
        {SDL_SCANCODE_KP_8, vkNumpad8, vkUp},
        {SDL_SCANCODE_KP_9, vkNumpad9, 33},
        {SDL_SCANCODE_KP_PERIOD, 110, 46},
        // The rest of the keypad is the same either way.
        {SDL_SCANCODE_KP_ENTER, vkReturn, vkReturn},
        {SDL_SCANCODE_KP_MULTIPLY, 106, 106},
        {SDL_SCANCODE_KP_PLUS, 107, 107},
        {SDL_SCANCODE_KP_MINUS, 109, 109},
        {SDL_SCANCODE_KP_DIVIDE, 111, 111},
    };
    for (const KeypadCase& c : cases) {
        SCOPED_TRACE(SDL_GetScancodeName(c.scancode));
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, byScancode, KMOD_NUM)), c.numLockOn);
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, byScancode, KMOD_NUM | KMOD_CAPS)), c.numLockOn);
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, byScancode, KMOD_NONE)), c.numLockOff);
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, byScancode, KMOD_CAPS)), c.numLockOff);
        // Shift turns the digits into the navigation keys, either Shift, and
        // leaves the navigation keys as they are.
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, byScancode, KMOD_NUM | KMOD_LSHIFT)), c.numLockOff);
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, byScancode, KMOD_NUM | KMOD_RSHIFT)), c.numLockOff);
        EXPECT_EQ(VirtualKeyFor(Key(c.scancode, byScancode, KMOD_LSHIFT)), c.numLockOff);
    }
}

TEST(KeyMap, KeysWithoutCodeGiveZero) {
    const SDL_Scancode scancodes[] = {
        SDL_SCANCODE_UNKNOWN,
        SDL_Scancode(165), // between SDL_SCANCODE_EXSEL and SDL_SCANCODE_KP_00: no key
        SDL_SCANCODE_POWER,
        SDL_SCANCODE_KP_EQUALS,
        SDL_SCANCODE_MODE,
        SDL_Scancode(SDL_NUM_SCANCODES - 1),
        // Past the end of SDL's scancodes.
        SDL_Scancode(SDL_NUM_SCANCODES),
        SDL_Scancode(1000),
    };
    for (SDL_Scancode scancode : scancodes) {
        SCOPED_TRACE(int(scancode));
        EXPECT_EQ(VirtualKeyFor(Key(scancode, byScancode, KMOD_NUM)), 0);
        EXPECT_EQ(VirtualKeyFor(Key(scancode, byScancode, KMOD_NONE)), 0);
    }
}

TEST(KeyMap, EveryCodeFitsTheKeyTable) {
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        for (uint16_t mod : {uint16_t(KMOD_NONE), uint16_t(KMOD_NUM)}) {
            const int32_t code = VirtualKeyFor(Key(SDL_Scancode(scancode), byScancode, mod));
            // 0 is "no code"; anything else must index the table.
            EXPECT_GE(code, 0) << SDL_GetScancodeName(SDL_Scancode(scancode));
            EXPECT_LT(code, int32_t(KeyTable().size()))
                << SDL_GetScancodeName(SDL_Scancode(scancode));
        }
    }
}

TEST(KeyMap, SystemKeys) {
    struct SystemCase {
        const char* name;
        SDL_Keysym key;
        bool system;
    };
    const SystemCase cases[] = {
        {"left Alt", Key(SDL_SCANCODE_LALT, byScancode, KMOD_LALT), true},
        {"right Alt", Key(SDL_SCANCODE_RALT, byScancode, KMOD_RALT), true},
        {"Alt released", Key(SDL_SCANCODE_LALT), true},
        {"F10", Key(SDL_SCANCODE_F10), true},
        {"F10 with Num Lock", Key(SDL_SCANCODE_F10, byScancode, KMOD_NUM), true},
        {"left Alt+R", Key(SDL_SCANCODE_R, 'r', KMOD_LALT), true},
        {"right Alt+Enter", Key(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_RALT), true},
        {"Alt+Ctrl+Left", Key(SDL_SCANCODE_LEFT, byScancode, KMOD_LALT | KMOD_LCTRL), true},
        {"R", Key(SDL_SCANCODE_R, 'r'), false},
        {"Ctrl+Shift+R", Key(SDL_SCANCODE_R, 'r', KMOD_LCTRL | KMOD_RSHIFT), false},
        {"R with Num and Caps Lock", Key(SDL_SCANCODE_R, 'r', KMOD_NUM | KMOD_CAPS), false},
        {"Enter", Key(SDL_SCANCODE_RETURN, SDLK_RETURN), false},
        {"Escape", Key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), false},
        {"F9", Key(SDL_SCANCODE_F9), false},
        {"F11", Key(SDL_SCANCODE_F11), false},
        {"left Ctrl", Key(SDL_SCANCODE_LCTRL, byScancode, KMOD_LCTRL), false},
        {"keypad 8", Key(SDL_SCANCODE_KP_8, byScancode, KMOD_NUM), false},
    };
    for (const SystemCase& c : cases) EXPECT_EQ(IsSystemKey(c.key), c.system) << c.name;
}

} // namespace
