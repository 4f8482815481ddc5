#pragma once

#include <string>
#include <string_view>

#include "canvas.h"

// Text in the tool's own block letters, so that the pictures never depend on an
// installed font. A letter is 5 x 7 cells with one empty column after it; the
// cells' outer corners are rounded and the steps of slanting strokes filled in.
// Only the letters the pictures use are drawn; any other character is a blank.
class Lettering {
  public:
    // cellPixels: the side of one cell in pixels.
    Lettering(std::string_view text, Point topLeft, int32_t cellPixels);

    int32_t WidthPixels() const;
    int32_t HeightPixels() const;
    Box Bounds() const;
    // The shape test, in sub units like the other shapes.
    bool operator()(Sub x, Sub y) const;

  private:
    bool Lit(Sub column, Sub row) const;

    std::string text;
    Point topLeft;
    int32_t cellPixels;
};
