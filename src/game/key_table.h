#pragma once

#include <array>
#include <cstdint>

// One flag per Windows virtual-key code, 1 while the key is down. The window's
// event handling sets and clears entries; the game and the menus read them and
// clear the ones they act on, so that one press acts once.
using KeyTable = std::array<int32_t, 256>;

// The virtual-key codes the game and the menus look at.
constexpr int vkReturn = 13;
constexpr int vkEscape = 27;
constexpr int vkLeft = 37;
constexpr int vkUp = 38;
constexpr int vkRight = 39;
constexpr int vkDown = 40;
constexpr int vkR = 'R';
constexpr int vkNumpad1 = 97;
constexpr int vkNumpad2 = 98;
constexpr int vkNumpad3 = 99;
constexpr int vkNumpad4 = 100;
constexpr int vkNumpad5 = 101;
constexpr int vkNumpad6 = 102;
constexpr int vkNumpad7 = 103;
constexpr int vkNumpad8 = 104;
constexpr int vkNumpad9 = 105;

// The table of the current window, set when the window's context is set up.
extern KeyTable* keyTable;
