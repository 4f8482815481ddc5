#pragma once

#include <cstdint>

// What a mouse, a finger or a pen can point at, where the last frame drew it:
// the menu rows, the board's cells and the two halves of the game's key hint.
// The drawing records each target as it draws it, in OpenGL's window
// coordinates (pixels from the lower left of the window, where the viewport
// starts), so that a pointer lands on exactly what the player sees.

enum class PointerTargetKind : uint8_t {
    none,
    menuRow,   // a row of the menu screen shown; index is the row
    cell,      // a cell of the board; index is the cell, row * 3 + column
    reset,     // "1) Press 'R' to Reset"
    backToMenu // "2) Press ESC to Exit to Menu"
};

struct PointerTarget {
    PointerTargetKind kind = PointerTargetKind::none;
    int32_t index = 0;
    bool operator==(const PointerTarget&) const = default;
};

struct WindowBox {
    float left, bottom, right, top;
};

// Called as each frame starts: what the previous frame showed is gone.
void ForgetPointerTargets();

// The drawing shows a target over box.
void ShowPointerTarget(PointerTarget target, WindowBox box);

// The current raster position in window coordinates; false, with x and y
// untouched, while it is not valid (the point set last lies outside the view).
bool RasterPosition(float* x, float* y);

// What the last frame showed at (x, y), in window coordinates; none for a
// point that shows no target.
PointerTarget PointerTargetAt(float x, float y);
