#pragma once

#include <cstdint>

// Makes 96 display lists in the current OpenGL context, one per character code
// 32..127, each drawing that character of bold "Times New Roman" as a bitmap at
// the raster position and moving the position on by its advance. A negative
// height is the characters' em height in pixels. Returns the first list; 0
// when no lists could be had.
uint32_t BuildGlyphLists(int32_t height);
