#include "shell/key_map.h"

#include <array>

#include "game/key_table.h"

namespace {

// Virtual-key codes beyond the ones the game reads (those are in key_table.h).
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12; // Alt
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_HANGUL = 0x15;
constexpr int VK_HANJA = 0x19;
constexpr int VK_CONVERT = 0x1C;
constexpr int VK_NONCONVERT = 0x1D;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21; // Page Up
constexpr int VK_NEXT = 0x22;  // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_SELECT = 0x29;
constexpr int VK_EXECUTE = 0x2B;
constexpr int VK_SNAPSHOT = 0x2C; // Print Screen
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_HELP = 0x2F;
constexpr int VK_LWIN = 0x5B;
constexpr int VK_RWIN = 0x5C;
constexpr int VK_APPS = 0x5D;
constexpr int VK_SLEEP = 0x5F;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SEPARATOR = 0x6C;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F10 = 0x79;
constexpr int VK_F13 = 0x7C;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_BROWSER_BACK = 0xA6;
constexpr int VK_BROWSER_FORWARD = 0xA7;
constexpr int VK_BROWSER_REFRESH = 0xA8;
constexpr int VK_BROWSER_STOP = 0xA9;
constexpr int VK_BROWSER_SEARCH = 0xAA;
constexpr int VK_BROWSER_FAVORITES = 0xAB;
constexpr int VK_BROWSER_HOME = 0xAC;
constexpr int VK_VOLUME_MUTE = 0xAD;
constexpr int VK_VOLUME_DOWN = 0xAE;
constexpr int VK_VOLUME_UP = 0xAF;
constexpr int VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr int VK_MEDIA_PREV_TRACK = 0xB1;
constexpr int VK_MEDIA_STOP = 0xB2;
constexpr int VK_MEDIA_PLAY_PAUSE = 0xB3;
constexpr int VK_LAUNCH_MAIL = 0xB4;
constexpr int VK_LAUNCH_MEDIA_SELECT = 0xB5;
constexpr int VK_LAUNCH_APP1 = 0xB6; // "My Computer"
constexpr int VK_LAUNCH_APP2 = 0xB7; // Calculator
constexpr int VK_OEM_1 = 0xBA;       // ; on a US keyboard
constexpr int VK_OEM_PLUS = 0xBB;    // =
constexpr int VK_OEM_COMMA = 0xBC;
constexpr int VK_OEM_MINUS = 0xBD;
constexpr int VK_OEM_PERIOD = 0xBE;
constexpr int VK_OEM_2 = 0xBF;   // /
constexpr int VK_OEM_3 = 0xC0;   // `
constexpr int VK_OEM_4 = 0xDB;   // [
constexpr int VK_OEM_5 = 0xDC;   // backslash
constexpr int VK_OEM_6 = 0xDD;   // ]
constexpr int VK_OEM_7 = 0xDE;   // '
constexpr int VK_OEM_102 = 0xE2; // the extra key beside left Shift on ISO keyboards
constexpr int VK_CRSEL = 0xF7;
constexpr int VK_EXSEL = 0xF8;

using ScancodeTable = std::array<int32_t, SDL_NUM_SCANCODES>;

// The code of every key by its place on the keyboard; 0 where there is none. The
// keypad digits and point hold their Num Lock codes.
constexpr ScancodeTable MakeScancodeTable() {
    ScancodeTable codes{};
    for (int i = 0; i < 26; ++i) codes[SDL_SCANCODE_A + i] = 'A' + i;
    for (int i = 0; i < 9; ++i) codes[SDL_SCANCODE_1 + i] = '1' + i;
    codes[SDL_SCANCODE_0] = '0';
    for (int i = 0; i < 12; ++i) codes[SDL_SCANCODE_F1 + i] = VK_F1 + i;
    for (int i = 0; i < 12; ++i) codes[SDL_SCANCODE_F13 + i] = VK_F13 + i;

    codes[SDL_SCANCODE_RETURN] = VK_RETURN;
    codes[SDL_SCANCODE_RETURN2] = VK_RETURN;
    codes[SDL_SCANCODE_KP_ENTER] = VK_RETURN;
    codes[SDL_SCANCODE_ESCAPE] = VK_ESCAPE;
    codes[SDL_SCANCODE_BACKSPACE] = VK_BACK;
    codes[SDL_SCANCODE_TAB] = VK_TAB;
    codes[SDL_SCANCODE_SPACE] = VK_SPACE;
    codes[SDL_SCANCODE_CAPSLOCK] = VK_CAPITAL;
    codes[SDL_SCANCODE_NUMLOCKCLEAR] = VK_NUMLOCK;
    codes[SDL_SCANCODE_SCROLLLOCK] = VK_SCROLL;
    codes[SDL_SCANCODE_PRINTSCREEN] = VK_SNAPSHOT;
    codes[SDL_SCANCODE_PAUSE] = VK_PAUSE;

    codes[SDL_SCANCODE_LEFT] = VK_LEFT;
    codes[SDL_SCANCODE_UP] = VK_UP;
    codes[SDL_SCANCODE_RIGHT] = VK_RIGHT;
    codes[SDL_SCANCODE_DOWN] = VK_DOWN;
    codes[SDL_SCANCODE_INSERT] = VK_INSERT;
    codes[SDL_SCANCODE_DELETE] = VK_DELETE;
    codes[SDL_SCANCODE_HOME] = VK_HOME;
    codes[SDL_SCANCODE_END] = VK_END;
    codes[SDL_SCANCODE_PAGEUP] = VK_PRIOR;
    codes[SDL_SCANCODE_PAGEDOWN] = VK_NEXT;

    codes[SDL_SCANCODE_LSHIFT] = VK_SHIFT;
    codes[SDL_SCANCODE_RSHIFT] = VK_SHIFT;
    codes[SDL_SCANCODE_LCTRL] = VK_CONTROL;
    codes[SDL_SCANCODE_RCTRL] = VK_CONTROL;
    codes[SDL_SCANCODE_LALT] = VK_MENU;
    codes[SDL_SCANCODE_RALT] = VK_MENU;
    codes[SDL_SCANCODE_LGUI] = VK_LWIN;
    codes[SDL_SCANCODE_RGUI] = VK_RWIN;
    codes[SDL_SCANCODE_APPLICATION] = VK_APPS;
    codes[SDL_SCANCODE_MENU] = VK_APPS;

    codes[SDL_SCANCODE_KP_0] = VK_NUMPAD0;
    codes[SDL_SCANCODE_KP_1] = VK_NUMPAD1;
    codes[SDL_SCANCODE_KP_2] = VK_NUMPAD2;
    codes[SDL_SCANCODE_KP_3] = VK_NUMPAD3;
    codes[SDL_SCANCODE_KP_4] = VK_NUMPAD4;
    codes[SDL_SCANCODE_KP_5] = VK_NUMPAD5;
    codes[SDL_SCANCODE_KP_6] = VK_NUMPAD6;
    codes[SDL_SCANCODE_KP_7] = VK_NUMPAD7;
    codes[SDL_SCANCODE_KP_8] = VK_NUMPAD8;
    codes[SDL_SCANCODE_KP_9] = VK_NUMPAD9;
    codes[SDL_SCANCODE_KP_PERIOD] = VK_DECIMAL;
    codes[SDL_SCANCODE_KP_MULTIPLY] = VK_MULTIPLY;
    codes[SDL_SCANCODE_KP_PLUS] = VK_ADD;
    codes[SDL_SCANCODE_KP_MINUS] = VK_SUBTRACT;
    codes[SDL_SCANCODE_KP_DIVIDE] = VK_DIVIDE;
    codes[SDL_SCANCODE_SEPARATOR] = VK_SEPARATOR;

    codes[SDL_SCANCODE_SEMICOLON] = VK_OEM_1;
    codes[SDL_SCANCODE_EQUALS] = VK_OEM_PLUS;
    codes[SDL_SCANCODE_COMMA] = VK_OEM_COMMA;
    codes[SDL_SCANCODE_MINUS] = VK_OEM_MINUS;
    codes[SDL_SCANCODE_PERIOD] = VK_OEM_PERIOD;
    codes[SDL_SCANCODE_SLASH] = VK_OEM_2;
    codes[SDL_SCANCODE_GRAVE] = VK_OEM_3;
    codes[SDL_SCANCODE_LEFTBRACKET] = VK_OEM_4;
    codes[SDL_SCANCODE_BACKSLASH] = VK_OEM_5;
    codes[SDL_SCANCODE_NONUSHASH] = VK_OEM_5; // same key position as backslash
    codes[SDL_SCANCODE_RIGHTBRACKET] = VK_OEM_6;
    codes[SDL_SCANCODE_APOSTROPHE] = VK_OEM_7;
    codes[SDL_SCANCODE_NONUSBACKSLASH] = VK_OEM_102;

    codes[SDL_SCANCODE_CLEAR] = VK_CLEAR;
    codes[SDL_SCANCODE_SELECT] = VK_SELECT;
    codes[SDL_SCANCODE_EXECUTE] = VK_EXECUTE;
    codes[SDL_SCANCODE_HELP] = VK_HELP;
    codes[SDL_SCANCODE_CRSEL] = VK_CRSEL;
    codes[SDL_SCANCODE_EXSEL] = VK_EXSEL;
    codes[SDL_SCANCODE_LANG1] = VK_HANGUL;
    codes[SDL_SCANCODE_LANG2] = VK_HANJA;
    codes[SDL_SCANCODE_INTERNATIONAL4] = VK_CONVERT;
    codes[SDL_SCANCODE_INTERNATIONAL5] = VK_NONCONVERT;
    codes[SDL_SCANCODE_SLEEP] = VK_SLEEP;

    codes[SDL_SCANCODE_AC_BACK] = VK_BROWSER_BACK;
    codes[SDL_SCANCODE_AC_FORWARD] = VK_BROWSER_FORWARD;
    codes[SDL_SCANCODE_AC_REFRESH] = VK_BROWSER_REFRESH;
    codes[SDL_SCANCODE_AC_STOP] = VK_BROWSER_STOP;
    codes[SDL_SCANCODE_AC_SEARCH] = VK_BROWSER_SEARCH;
    codes[SDL_SCANCODE_AC_BOOKMARKS] = VK_BROWSER_FAVORITES;
    codes[SDL_SCANCODE_AC_HOME] = VK_BROWSER_HOME;
    codes[SDL_SCANCODE_MUTE] = VK_VOLUME_MUTE;
    codes[SDL_SCANCODE_AUDIOMUTE] = VK_VOLUME_MUTE;
    codes[SDL_SCANCODE_VOLUMEDOWN] = VK_VOLUME_DOWN;
    codes[SDL_SCANCODE_VOLUMEUP] = VK_VOLUME_UP;
    codes[SDL_SCANCODE_AUDIONEXT] = VK_MEDIA_NEXT_TRACK;
    codes[SDL_SCANCODE_AUDIOPREV] = VK_MEDIA_PREV_TRACK;
    codes[SDL_SCANCODE_AUDIOSTOP] = VK_MEDIA_STOP;
    codes[SDL_SCANCODE_AUDIOPLAY] = VK_MEDIA_PLAY_PAUSE;
    codes[SDL_SCANCODE_MAIL] = VK_LAUNCH_MAIL;
    codes[SDL_SCANCODE_MEDIASELECT] = VK_LAUNCH_MEDIA_SELECT;
    codes[SDL_SCANCODE_COMPUTER] = VK_LAUNCH_APP1;
    codes[SDL_SCANCODE_CALCULATOR] = VK_LAUNCH_APP2;
    return codes;
}

constexpr ScancodeTable scancodeCodes = MakeScancodeTable();

// With Num Lock off the keypad digits and point are the navigation keys printed
// under them.
struct KeypadKey {
    SDL_Scancode scancode;
    int32_t numLockOffCode;
};
constexpr KeypadKey keypadNavigation[] = {
    {SDL_SCANCODE_KP_0, VK_INSERT},      {SDL_SCANCODE_KP_1, VK_END},
    {SDL_SCANCODE_KP_2, VK_DOWN},        {SDL_SCANCODE_KP_3, VK_NEXT},
    {SDL_SCANCODE_KP_4, VK_LEFT},        {SDL_SCANCODE_KP_5, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_RIGHT},       {SDL_SCANCODE_KP_7, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_UP},          {SDL_SCANCODE_KP_9, VK_PRIOR},
    {SDL_SCANCODE_KP_PERIOD, VK_DELETE},
};

} // namespace

int32_t VirtualKeyFor(const SDL_Keysym& key) {
    // A letter is the letter on the key, wherever the layout puts it.
    if (key.sym >= 'a' && key.sym <= 'z') return key.sym - 'a' + 'A';
    // The scancode comes from outside; never index past the table.
    const auto index = static_cast<uint32_t>(key.scancode);
    if (index >= scancodeCodes.size()) return 0;
    if (!(key.mod & KMOD_NUM)) {
        for (const KeypadKey& keypad : keypadNavigation)
            if (keypad.scancode == key.scancode) return keypad.numLockOffCode;
    }
    return scancodeCodes[index];
}

bool IsSystemKey(const SDL_Keysym& key) {
    const int32_t code = VirtualKeyFor(key);
    return code == VK_MENU || code == VK_F10 || (key.mod & KMOD_ALT) != 0;
}
