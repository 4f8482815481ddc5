#pragma once

#include <array>
#include <cstdint>

// One flag per Windows virtual-key code, 1 while the key is down. The window's
// event handling sets and clears entries; the game and the menus read them and
// clear the ones they act on, so that one press acts once.
using KeyTable = std::array<int32_t, 256>;

// The virtual-key codes the game and the menus look at.
constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_R = 'R';
constexpr int VK_NUMPAD1 = 97;
constexpr int VK_NUMPAD2 = 98;
constexpr int VK_NUMPAD3 = 99;
constexpr int VK_NUMPAD4 = 100;
constexpr int VK_NUMPAD5 = 101;
constexpr int VK_NUMPAD6 = 102;
constexpr int VK_NUMPAD7 = 103;
constexpr int VK_NUMPAD8 = 104;
constexpr int VK_NUMPAD9 = 105;

// The table of the current window, set when the window's context is set up.
extern KeyTable* keyTable;
