#include "letters.h"

#include <array>

namespace {

constexpr int32_t letterColumns = 5;
constexpr int32_t letterRows = 7;
// Each letter's columns plus the empty one that follows it.
constexpr int32_t advance = letterColumns + 1;

struct Glyph {
    char letter;
    std::array<const char*, letterRows> rows;
};

constexpr Glyph glyphs[] = {
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
};

const Glyph* FindGlyph(char letter) {
    if (letter >= 'a' && letter <= 'z') letter = char(letter - 'a' + 'A');
    for (const Glyph& glyph : glyphs)
        if (glyph.letter == letter) return &glyph;
    return nullptr;
}

// Rounds towards minus infinity, for points left of or above the text.
Sub FloorDivide(Sub a, Sub b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

} // namespace

Lettering::Lettering(std::string_view text, Point topLeft, int32_t cellPixels)
    : text(text), topLeft(topLeft), cellPixels(cellPixels) {}

int32_t Lettering::WidthPixels() const {
    return text.empty() ? 0 : (int32_t(text.size()) * advance - 1) * cellPixels;
}

int32_t Lettering::HeightPixels() const { return letterRows * cellPixels; }

Box Lettering::Bounds() const {
    const int32_t left = int32_t(FloorDivide(topLeft.x, sub));
    const int32_t top = int32_t(FloorDivide(topLeft.y, sub));
    return {left, top, left + WidthPixels() + 2, top + HeightPixels() + 2};
}

bool Lettering::Lit(Sub column, Sub row) const {
    if (column < 0 || row < 0 || row >= letterRows) return false;
    const Sub letter = column / advance;
    const Sub inLetter = column % advance;
    if (letter >= Sub(text.size()) || inLetter == letterColumns) return false;
    const Glyph* glyph = FindGlyph(text[size_t(letter)]);
    return glyph != nullptr && glyph->rows[size_t(row)][inLetter] == '#';
}

bool Lettering::operator()(Sub x, Sub y) const {
    const Sub cell = Px(cellPixels);
    const Sub column = FloorDivide(x - topLeft.x, cell);
    const Sub row = FloorDivide(y - topLeft.y, cell);
    const Sub u = x - topLeft.x - column * cell;
    const Sub v = y - topLeft.y - row * cell;

    if (Lit(column, row)) {
        // An outer corner, with nothing beside, above or below it, is rounded
        // off with a radius of half a cell.
        const Sub sideX = 2 * u < cell ? -1 : 1;
        const Sub sideY = 2 * v < cell ? -1 : 1;
        if (Lit(column + sideX, row) || Lit(column, row + sideY) ||
            Lit(column + sideX, row + sideY))
            return true;
        const Sub radius = cell / 2;
        const Sub dx = sideX < 0 ? radius - u : u - (cell - radius);
        const Sub dy = sideY < 0 ? radius - v : v - (cell - radius);
        return dx * dx + dy * dy <= radius * radius;
    }
    // Where two cells meet only at a corner, the step between them is filled
    // with a triangle so that the stroke reads as one slanting line.
    for (Sub sideX : {-1, 1}) {
        for (Sub sideY : {-1, 1}) {
            if (!Lit(column + sideX, row) || !Lit(column, row + sideY) ||
                Lit(column + sideX, row + sideY))
                continue;
            const Sub fromX = sideX < 0 ? u : cell - u;
            const Sub fromY = sideY < 0 ? v : cell - v;
            if (10 * (fromX + fromY) < 7 * cell) return true;
        }
    }
    return false;
}
