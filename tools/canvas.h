#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// A small RGB picture and the shapes the shipped pictures are drawn with. Every
// step works in integers, so the same bytes come out on every machine.

struct Colour {
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
};

// weight 0 gives a, weight `of` gives b.
Colour Mix(Colour a, Colour b, int32_t weight, int32_t of);
Colour Scale(Colour c, int32_t numerator, int32_t denominator);

// Shapes are tested at 4 x 4 points in each pixel. Their positions are in eighths
// of a pixel ("sub" units): pixel (x, y) is tested at 8x+1, 8x+3, 8x+5, 8x+7.
using Sub = int64_t;
constexpr Sub sub = 8;
constexpr Sub Px(int32_t pixels) { return pixels * sub; }

struct Point {
    Sub x;
    Sub y;
};

// Pixels [x0, x1) x [y0, y1).
struct Box {
    int32_t x0;
    int32_t y0;
    int32_t x1;
    int32_t y1;
};

// Which edges a picture shown repeated must join up across: drawing that runs
// off such an edge comes back in at the opposite one.
enum class Wrap { none, across, both };

class Canvas {
  public:
    Canvas(int32_t width, int32_t height, Colour fill, Wrap wrap = Wrap::none);

    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    // Row 0 is the top of the picture.
    Colour At(int32_t x, int32_t y) const;
    void Put(int32_t x, int32_t y, Colour c);
    // Mixes c into the pixel, weight out of 256.
    void Cover(int32_t x, int32_t y, Colour c, int32_t weight);
    // Adds light, as stars do.
    void Add(int32_t x, int32_t y, Colour c);

    // Paints every pixel of `area` with colourAt(x, y), by how many of its test
    // points `inside` takes in, times opacity out of 256.
    template <class Inside, class ColourAt>
    void Paint(Box area, const Inside& inside, const ColourAt& colourAt, int32_t opacity = 256) {
        for (int32_t y = area.y0; y < area.y1; ++y) {
            for (int32_t x = area.x0; x < area.x1; ++x) {
                int32_t hits = 0;
                for (Sub j = 1; j < sub; j += 2)
                    for (Sub i = 1; i < sub; i += 2) hits += inside(Px(x) + i, Px(y) + j) ? 1 : 0;
                if (hits > 0) Cover(x, y, colourAt(x, y), hits * opacity / 16);
            }
        }
    }
    template <class Inside>
    void Fill(Box area, const Inside& inside, Colour c, int32_t opacity = 256) {
        Paint(
            area, inside, [c](int32_t, int32_t) { return c; }, opacity);
    }

  private:
    // Brings (x, y) onto the picture, wrapping where the picture wraps; false
    // when it lies off a plain edge.
    bool Locate(int32_t& x, int32_t& y) const;

    int32_t width;
    int32_t height;
    Wrap wrap;
    std::vector<Colour> pixels;
};

// The shapes, as tests of one point in sub units.

struct Ring {
    Point centre;
    Sub inner;
    Sub outer;
    bool operator()(Sub x, Sub y) const;
};

// A line of the given half-thickness with round ends.
struct Stroke {
    Point from;
    Point to;
    Sub halfWidth;
    bool operator()(Sub x, Sub y) const;
};

struct RoundedBox {
    Sub x0;
    Sub y0;
    Sub x1;
    Sub y1;
    Sub radius;
    bool operator()(Sub x, Sub y) const;
};

// A triangle shrunk by `margin` on every side.
struct Triangle {
    Point a;
    Point b;
    Point c;
    Sub margin = 0;
    bool operator()(Sub x, Sub y) const;
};
