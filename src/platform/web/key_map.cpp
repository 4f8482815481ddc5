#include "platform/web/key_map.h"

#include <cstring>

#include "game/key_table.h"

namespace {

struct NamedKey {
    const char* code;
    int32_t virtualKey;
};

// KeyboardEvent.code values beside the letters, digits and function keys, with
// the Windows codes of the keys in those places. The keypad digits and point
// are in keypadKeys.
constexpr NamedKey namedKeys[] = {
    {"Enter", vkReturn},
    {"NumpadEnter", vkReturn},
    {"Escape", vkEscape},
    {"Backspace", 0x08},
    {"Tab", 0x09},
    {"Space", 0x20},
    {"CapsLock", 0x14},
    {"NumLock", 0x90},
    {"ScrollLock", 0x91},
    {"PrintScreen", 0x2C},
    {"Pause", 0x13},
    {"ArrowLeft", vkLeft},
    {"ArrowUp", vkUp},
    {"ArrowRight", vkRight},
    {"ArrowDown", vkDown},
    {"Insert", 0x2D},
    {"Delete", 0x2E},
    {"Home", 0x24},
    {"End", 0x23},
    {"PageUp", 0x21},
    {"PageDown", 0x22},
    {"ShiftLeft", 0x10},
    {"ShiftRight", 0x10},
    {"ControlLeft", 0x11},
    {"ControlRight", 0x11},
    {"AltLeft", 0x12},
    {"AltRight", 0x12},
    {"MetaLeft", 0x5B},
    {"MetaRight", 0x5C},
    {"OSLeft", 0x5B},
    {"OSRight", 0x5C},
    {"ContextMenu", 0x5D},
    {"NumpadMultiply", 0x6A},
    {"NumpadAdd", 0x6B},
    {"NumpadSubtract", 0x6D},
    {"NumpadDivide", 0x6F},
    {"NumpadComma", 0x6C},
    {"Semicolon", 0xBA},
    {"Equal", 0xBB},
    {"Comma", 0xBC},
    {"Minus", 0xBD},
    {"Period", 0xBE},
    {"Slash", 0xBF},
    {"Backquote", 0xC0},
    {"BracketLeft", 0xDB},
    {"Backslash", 0xDC},
    {"BracketRight", 0xDD},
    {"Quote", 0xDE},
    {"IntlBackslash", 0xE2},
    {"BrowserBack", 0xA6},
    {"BrowserForward", 0xA7},
    {"BrowserRefresh", 0xA8},
    {"BrowserStop", 0xA9},
    {"BrowserSearch", 0xAA},
    {"BrowserFavorites", 0xAB},
    {"BrowserHome", 0xAC},
    {"AudioVolumeMute", 0xAD},
    {"AudioVolumeDown", 0xAE},
    {"AudioVolumeUp", 0xAF},
    {"MediaTrackNext", 0xB0},
    {"MediaTrackPrevious", 0xB1},
    {"MediaStop", 0xB2},
    {"MediaPlayPause", 0xB3},
};

// The keypad's digits and point: their Num Lock code, and the navigation key
// printed under them.
struct KeypadKey {
    const char* code;
    int32_t numLockOn;
    int32_t numLockOff;
};
constexpr KeypadKey keypadKeys[] = {
    {"Numpad0", 0x60, 0x2D},         {"Numpad1", vkNumpad1, 0x23},   {"Numpad2", vkNumpad2, vkDown},
    {"Numpad3", vkNumpad3, 0x22},    {"Numpad4", vkNumpad4, vkLeft}, {"Numpad5", vkNumpad5, 0x0C},
    {"Numpad6", vkNumpad6, vkRight}, {"Numpad7", vkNumpad7, 0x24},   {"Numpad8", vkNumpad8, vkUp},
    {"Numpad9", vkNumpad9, 0x21},    {"NumpadDecimal", 0x6E, 0x2E},
};

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The number after prefix when that is all of text and lies in first..last;
// else 0.
int NumberAfter(const char* text, const char* prefix, int first, int last) {
    if (!StartsWith(text, prefix)) return 0;
    const char* digits = text + std::strlen(prefix);
    int number = 0;
    for (const char* c = digits; *c; ++c) {
        if (*c < '0' || *c > '9' || c - digits >= 2) return 0;
        number = number * 10 + (*c - '0');
    }
    return *digits && number >= first && number <= last ? number : 0;
}

} // namespace

int32_t VirtualKeyFor(const char* code, const char* key) {
    if (!code || !key) return 0;
    // A letter is the letter the key types.
    if (key[0] != '\0' && key[1] == '\0') {
        if (key[0] >= 'a' && key[0] <= 'z') return key[0] - 'a' + 'A';
        if (key[0] >= 'A' && key[0] <= 'Z') return key[0];
    }
    for (const KeypadKey& keypad : keypadKeys) {
        if (std::strcmp(code, keypad.code) != 0) continue;
        // With Num Lock on the key types its digit or point.
        const bool typesCharacter = key[0] != '\0' && key[1] == '\0';
        return typesCharacter ? keypad.numLockOn : keypad.numLockOff;
    }
    if (StartsWith(code, "Key") && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0')
        return code[3];
    if (StartsWith(code, "Digit") && code[5] >= '0' && code[5] <= '9' && code[6] == '\0')
        return code[5];
    if (const int function = NumberAfter(code, "F", 1, 24)) return 0x70 + function - 1;
    for (const NamedKey& named : namedKeys)
        if (std::strcmp(code, named.code) == 0) return named.virtualKey;
    return 0;
}

bool IsSystemKey(int32_t virtualKey, bool altHeld) {
    constexpr int32_t vkMenu = 0x12, vkF10 = 0x79;
    return virtualKey == vkMenu || virtualKey == vkF10 || altHeld;
}
