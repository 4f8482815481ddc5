#include "platform/linux/key_map.h"

#include <array>

#include "game/key_table.h"

namespace {

// Virtual-key codes beyond the ones the game reads (those are in key_table.h).
constexpr int vkBack = 0x08;
constexpr int vkTab = 0x09;
constexpr int vkClear = 0x0C;
constexpr int vkShift = 0x10;
constexpr int vkControl = 0x11;
constexpr int vkMenu = 0x12; // Alt
constexpr int vkPause = 0x13;
constexpr int vkCapital = 0x14;
constexpr int vkHangul = 0x15;
constexpr int vkHanja = 0x19;
constexpr int vkConvert = 0x1C;
constexpr int vkNonconvert = 0x1D;
constexpr int vkSpace = 0x20;
constexpr int vkPrior = 0x21; // Page Up
constexpr int vkNext = 0x22;  // Page Down
constexpr int vkEnd = 0x23;
constexpr int vkHome = 0x24;
constexpr int vkSelect = 0x29;
constexpr int vkExecute = 0x2B;
constexpr int vkSnapshot = 0x2C; // Print Screen
constexpr int vkInsert = 0x2D;
constexpr int vkDelete = 0x2E;
constexpr int vkHelp = 0x2F;
constexpr int vkLwin = 0x5B;
constexpr int vkRwin = 0x5C;
constexpr int vkApps = 0x5D;
constexpr int vkSleep = 0x5F;
constexpr int vkNumpad0 = 0x60;
constexpr int vkMultiply = 0x6A;
constexpr int vkAdd = 0x6B;
constexpr int vkSeparator = 0x6C;
constexpr int vkSubtract = 0x6D;
constexpr int vkDecimal = 0x6E;
constexpr int vkDivide = 0x6F;
constexpr int vkF1 = 0x70;
constexpr int vkF10 = 0x79;
constexpr int vkF13 = 0x7C;
constexpr int vkNumlock = 0x90;
constexpr int vkScroll = 0x91;
constexpr int vkBrowserBack = 0xA6;
constexpr int vkBrowserForward = 0xA7;
constexpr int vkBrowserRefresh = 0xA8;
constexpr int vkBrowserStop = 0xA9;
constexpr int vkBrowserSearch = 0xAA;
constexpr int vkBrowserFavorites = 0xAB;
constexpr int vkBrowserHome = 0xAC;
constexpr int vkVolumeMute = 0xAD;
constexpr int vkVolumeDown = 0xAE;
constexpr int vkVolumeUp = 0xAF;
constexpr int vkMediaNextTrack = 0xB0;
constexpr int vkMediaPrevTrack = 0xB1;
constexpr int vkMediaStop = 0xB2;
constexpr int vkMediaPlayPause = 0xB3;
constexpr int vkLaunchMail = 0xB4;
constexpr int vkLaunchMediaSelect = 0xB5;
constexpr int vkLaunchApp1 = 0xB6; // "My Computer"
constexpr int vkLaunchApp2 = 0xB7; // Calculator
constexpr int vkOem1 = 0xBA;       // ; on a US keyboard
constexpr int vkOemPlus = 0xBB;    // =
constexpr int vkOemComma = 0xBC;
constexpr int vkOemMinus = 0xBD;
constexpr int vkOemPeriod = 0xBE;
constexpr int vkOem2 = 0xBF;   // /
constexpr int vkOem3 = 0xC0;   // `
constexpr int vkOem4 = 0xDB;   // [
constexpr int vkOem5 = 0xDC;   // backslash
constexpr int vkOem6 = 0xDD;   // ]
constexpr int vkOem7 = 0xDE;   // '
constexpr int vkOem102 = 0xE2; // the extra key beside left Shift on ISO keyboards
constexpr int vkCrsel = 0xF7;
constexpr int vkExsel = 0xF8;

using ScancodeTable = std::array<int32_t, SDL_NUM_SCANCODES>;

// The code of every key by its place on the keyboard; 0 where there is none. The
// keypad digits and point hold their Num Lock codes.
constexpr ScancodeTable MakeScancodeTable() {
    ScancodeTable codes{};
    for (int i = 0; i < 26; ++i) codes[SDL_SCANCODE_A + i] = 'A' + i;
    for (int i = 0; i < 9; ++i) codes[SDL_SCANCODE_1 + i] = '1' + i;
    codes[SDL_SCANCODE_0] = '0';
    for (int i = 0; i < 12; ++i) codes[SDL_SCANCODE_F1 + i] = vkF1 + i;
    for (int i = 0; i < 12; ++i) codes[SDL_SCANCODE_F13 + i] = vkF13 + i;

    codes[SDL_SCANCODE_RETURN] = vkReturn;
    codes[SDL_SCANCODE_RETURN2] = vkReturn;
    codes[SDL_SCANCODE_KP_ENTER] = vkReturn;
    codes[SDL_SCANCODE_ESCAPE] = vkEscape;
    codes[SDL_SCANCODE_BACKSPACE] = vkBack;
    codes[SDL_SCANCODE_TAB] = vkTab;
    codes[SDL_SCANCODE_SPACE] = vkSpace;
    codes[SDL_SCANCODE_CAPSLOCK] = vkCapital;
    codes[SDL_SCANCODE_NUMLOCKCLEAR] = vkNumlock;
    codes[SDL_SCANCODE_SCROLLLOCK] = vkScroll;
    codes[SDL_SCANCODE_PRINTSCREEN] = vkSnapshot;
    codes[SDL_SCANCODE_PAUSE] = vkPause;

    codes[SDL_SCANCODE_LEFT] = vkLeft;
    codes[SDL_SCANCODE_UP] = vkUp;
    codes[SDL_SCANCODE_RIGHT] = vkRight;
    codes[SDL_SCANCODE_DOWN] = vkDown;
    codes[SDL_SCANCODE_INSERT] = vkInsert;
    codes[SDL_SCANCODE_DELETE] = vkDelete;
    codes[SDL_SCANCODE_HOME] = vkHome;
    codes[SDL_SCANCODE_END] = vkEnd;
    codes[SDL_SCANCODE_PAGEUP] = vkPrior;
    codes[SDL_SCANCODE_PAGEDOWN] = vkNext;

    codes[SDL_SCANCODE_LSHIFT] = vkShift;
    codes[SDL_SCANCODE_RSHIFT] = vkShift;
    codes[SDL_SCANCODE_LCTRL] = vkControl;
    codes[SDL_SCANCODE_RCTRL] = vkControl;
    codes[SDL_SCANCODE_LALT] = vkMenu;
    codes[SDL_SCANCODE_RALT] = vkMenu;
    codes[SDL_SCANCODE_LGUI] = vkLwin;
    codes[SDL_SCANCODE_RGUI] = vkRwin;
    codes[SDL_SCANCODE_APPLICATION] = vkApps;
    codes[SDL_SCANCODE_MENU] = vkApps;

    codes[SDL_SCANCODE_KP_0] = vkNumpad0;
    codes[SDL_SCANCODE_KP_1] = vkNumpad1;
    codes[SDL_SCANCODE_KP_2] = vkNumpad2;
    codes[SDL_SCANCODE_KP_3] = vkNumpad3;
    codes[SDL_SCANCODE_KP_4] = vkNumpad4;
    codes[SDL_SCANCODE_KP_5] = vkNumpad5;
    codes[SDL_SCANCODE_KP_6] = vkNumpad6;
    codes[SDL_SCANCODE_KP_7] = vkNumpad7;
    codes[SDL_SCANCODE_KP_8] = vkNumpad8;
    codes[SDL_SCANCODE_KP_9] = vkNumpad9;
    codes[SDL_SCANCODE_KP_PERIOD] = vkDecimal;
    codes[SDL_SCANCODE_KP_MULTIPLY] = vkMultiply;
    codes[SDL_SCANCODE_KP_PLUS] = vkAdd;
    codes[SDL_SCANCODE_KP_MINUS] = vkSubtract;
    codes[SDL_SCANCODE_KP_DIVIDE] = vkDivide;
    codes[SDL_SCANCODE_SEPARATOR] = vkSeparator;

    codes[SDL_SCANCODE_SEMICOLON] = vkOem1;
    codes[SDL_SCANCODE_EQUALS] = vkOemPlus;
    codes[SDL_SCANCODE_COMMA] = vkOemComma;
    codes[SDL_SCANCODE_MINUS] = vkOemMinus;
    codes[SDL_SCANCODE_PERIOD] = vkOemPeriod;
    codes[SDL_SCANCODE_SLASH] = vkOem2;
    codes[SDL_SCANCODE_GRAVE] = vkOem3;
    codes[SDL_SCANCODE_LEFTBRACKET] = vkOem4;
    codes[SDL_SCANCODE_BACKSLASH] = vkOem5;
    codes[SDL_SCANCODE_NONUSHASH] = vkOem5; // same key position as backslash
    codes[SDL_SCANCODE_RIGHTBRACKET] = vkOem6;
    codes[SDL_SCANCODE_APOSTROPHE] = vkOem7;
    codes[SDL_SCANCODE_NONUSBACKSLASH] = vkOem102;

    codes[SDL_SCANCODE_CLEAR] = vkClear;
    codes[SDL_SCANCODE_SELECT] = vkSelect;
    codes[SDL_SCANCODE_EXECUTE] = vkExecute;
    codes[SDL_SCANCODE_HELP] = vkHelp;
    codes[SDL_SCANCODE_CRSEL] = vkCrsel;
    codes[SDL_SCANCODE_EXSEL] = vkExsel;
    codes[SDL_SCANCODE_LANG1] = vkHangul;
    codes[SDL_SCANCODE_LANG2] = vkHanja;
    codes[SDL_SCANCODE_INTERNATIONAL4] = vkConvert;
    codes[SDL_SCANCODE_INTERNATIONAL5] = vkNonconvert;
    codes[SDL_SCANCODE_SLEEP] = vkSleep;

    codes[SDL_SCANCODE_AC_BACK] = vkBrowserBack;
    codes[SDL_SCANCODE_AC_FORWARD] = vkBrowserForward;
    codes[SDL_SCANCODE_AC_REFRESH] = vkBrowserRefresh;
    codes[SDL_SCANCODE_AC_STOP] = vkBrowserStop;
    codes[SDL_SCANCODE_AC_SEARCH] = vkBrowserSearch;
    codes[SDL_SCANCODE_AC_BOOKMARKS] = vkBrowserFavorites;
    codes[SDL_SCANCODE_AC_HOME] = vkBrowserHome;
    codes[SDL_SCANCODE_MUTE] = vkVolumeMute;
    codes[SDL_SCANCODE_AUDIOMUTE] = vkVolumeMute;
    codes[SDL_SCANCODE_VOLUMEDOWN] = vkVolumeDown;
    codes[SDL_SCANCODE_VOLUMEUP] = vkVolumeUp;
    codes[SDL_SCANCODE_AUDIONEXT] = vkMediaNextTrack;
    codes[SDL_SCANCODE_AUDIOPREV] = vkMediaPrevTrack;
    codes[SDL_SCANCODE_AUDIOSTOP] = vkMediaStop;
    codes[SDL_SCANCODE_AUDIOPLAY] = vkMediaPlayPause;
    codes[SDL_SCANCODE_MAIL] = vkLaunchMail;
    codes[SDL_SCANCODE_MEDIASELECT] = vkLaunchMediaSelect;
    codes[SDL_SCANCODE_COMPUTER] = vkLaunchApp1;
    codes[SDL_SCANCODE_CALCULATOR] = vkLaunchApp2;
    return codes;
}

constexpr ScancodeTable scancodeCodes = MakeScancodeTable();

// With Num Lock off, or with Shift held while it is on, the keypad digits and
// point are the navigation keys printed under them (Shift and keypad 8 is Up).
struct KeypadKey {
    SDL_Scancode scancode;
    int32_t numLockOffCode;
};
constexpr KeypadKey keypadNavigation[] = {
    {SDL_SCANCODE_KP_0, vkInsert}, {SDL_SCANCODE_KP_1, vkEnd},         {SDL_SCANCODE_KP_2, vkDown},
    {SDL_SCANCODE_KP_3, vkNext},   {SDL_SCANCODE_KP_4, vkLeft},        {SDL_SCANCODE_KP_5, vkClear},
    {SDL_SCANCODE_KP_6, vkRight},  {SDL_SCANCODE_KP_7, vkHome},        {SDL_SCANCODE_KP_8, vkUp},
    {SDL_SCANCODE_KP_9, vkPrior},  {SDL_SCANCODE_KP_PERIOD, vkDelete},
};

} // namespace

int32_t VirtualKeyFor(const SDL_Keysym& key) {
    // A letter is the letter on the key, wherever the layout puts it.
    if (key.sym >= 'a' && key.sym <= 'z') return key.sym - 'a' + 'A';
    // The scancode comes from outside; never index past the table.
    const auto index = static_cast<uint32_t>(key.scancode);
    if (index >= scancodeCodes.size()) return 0;
    if (!(key.mod & KMOD_NUM) || (key.mod & KMOD_SHIFT)) {
        for (const KeypadKey& keypad : keypadNavigation)
            if (keypad.scancode == key.scancode) return keypad.numLockOffCode;
    }
    return scancodeCodes[index];
}

bool IsSystemKey(const SDL_Keysym& key) {
    const int32_t code = VirtualKeyFor(key);
    return code == vkMenu || code == vkF10 || (key.mod & KMOD_ALT) != 0;
}
