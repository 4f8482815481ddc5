#pragma once

#include <cstdint>

// The game's two bitmap fonts: bold Times New Roman (on Debian its metric twin,
// Liberation Serif Bold) as 96 OpenGL display lists each, one per character code
// 32..127, drawn at the current raster position.

// Height given to the large font: a negative value is the em height in pixels.
// Starts at -42; kept across windows, so a window size without a height of its
// own keeps the one chosen last.
extern int32_t largeFontHeight;
// The small font's height, the same at every window size: 20 pixels to the em.
constexpr int32_t smallFontHeight = -20;
// The first of each font's 96 display lists; 0 while the font is not built.
extern uint32_t largeFontBase, smallFontBase;

// Build the fonts in the current OpenGL context. The large one takes its height
// from the viewport size last recorded (render/viewport.h). Where Times New Roman
// itself is missing, each system draws the nearest face it has: on Linux the one
// fontconfig matches (any serif, else any face), on Windows the one GDI's font
// mapper picks. When no glyphs can be made at all (Linux: fontconfig matches no
// face, or FreeType cannot open it; Windows: GDI cannot make the font, or WGL
// cannot turn its glyphs into lists) the player is told once and the lists stay
// empty, so text draws nothing.
void BuildLargeFont();
void BuildSmallFont();
// Free a font's lists; nothing to do for a font that is not built.
void ReleaseLargeFont();
void ReleaseSmallFont();

// printf-style text at the current raster position, which moves on past it. At
// most 255 characters are drawn; bytes outside 32..127 are skipped.
void PrintLarge(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintSmall(const char* format, ...) __attribute__((format(printf, 1, 2)));
