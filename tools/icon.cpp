#include "icon.h"

#include <algorithm>

namespace {

// The icon is laid out on a 256 x 256 grid of design units and drawn at any
// size from that, so that every size is drawn sharp rather than scaled.
struct Design {
    int32_t size;
    // Design units as sub units at this size.
    Sub operator()(int32_t units) const { return Sub(units) * size * sub / 256; }
    Point At(int32_t x, int32_t y) const { return {(*this)(x), (*this)(y)}; }
};

// Where the board's cells are, in design units: three cells of 60 around the middle.
constexpr int32_t cellUnits = 60;
constexpr int32_t boardLow = 128 - 3 * cellUnits / 2;
constexpr int32_t boardHigh = 128 + 3 * cellUnits / 2;
constexpr int32_t CellCentre(int32_t column) {
    return boardLow + cellUnits / 2 + column * cellUnits;
}

// Paints from colour `start` at `from` to `end` at `to`, along that line.
auto Along(Point from, Point to, Colour start, Colour end) {
    return [=](int32_t x, int32_t y) {
        const Sub dx = to.x - from.x;
        const Sub dy = to.y - from.y;
        const Sub length = std::max<Sub>(1, dx * dx + dy * dy);
        const Sub along = (Px(x) + sub / 2 - from.x) * dx + (Px(y) + sub / 2 - from.y) * dy;
        return Mix(start, end, int32_t(std::clamp<Sub>(along, 0, length) * 256 / length), 256);
    };
}

// The sky behind the board, with its stars only when `stars` is set: at the
// smallest sizes they are only specks of noise.
void NightSky(Canvas& colour, const Design& u, bool stars) {
    const int32_t size = u.size;
    // Deep blue, lighter high up in the middle, darker towards the bottom corners.
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const int64_t dx = 2 * x + 1 - size;
            const int64_t dy = 2 * y + 1 - size * 3 / 5;
            const int32_t glow =
                int32_t(std::max<int64_t>(0, 256 - 256 * (dx * dx + dy * dy) / (3 * size * size)));
            const Colour sky = Mix({34, 48, 120}, {7, 9, 36}, y, std::max(1, size - 1));
            colour.Put(x, y, Mix(sky, {62, 70, 160}, glow * glow / 256, 640));
        }
    }

    if (!stars) return;

    // A few stars between and around the marks: x, y, radius in design units, brightness.
    struct Star {
        int32_t x, y, radius, brightness;
    };
    constexpr Star starsAt[] = {
        {30, 36, 3, 230},   {112, 24, 2, 170},  {200, 22, 3, 200}, {234, 82, 2, 160},
        {24, 150, 2, 170},  {232, 156, 3, 210}, {42, 228, 3, 180}, {150, 234, 2, 160},
        {206, 230, 2, 150}, {138, 56, 3, 190},  {58, 140, 2, 140}, {198, 118, 2, 150},
        {118, 200, 2, 130},
    };
    const Box whole{0, 0, size, size};
    for (const Star& star : starsAt) {
        const Point centre = u.At(star.x, star.y);
        colour.Fill(whole, Ring{centre, 0, u(star.radius * 2)}, {150, 170, 255},
                    star.brightness / 8);
        colour.Fill(whole, Ring{centre, 0, std::max<Sub>(u(star.radius), 3)}, {235, 240, 255},
                    star.brightness);
    }
}

void Board(Canvas& colour, const Design& u) {
    const Box whole{0, 0, u.size, u.size};
    const int32_t low = boardLow + 6;
    const int32_t high = boardHigh - 6;
    const int32_t first = boardLow + cellUnits;
    const int32_t second = boardLow + 2 * cellUnits;
    auto lines = [&](int32_t halfWidth) {
        const Sub w = u(halfWidth);
        const Stroke strokes[] = {
            {u.At(first, low), u.At(first, high), w},
            {u.At(second, low), u.At(second, high), w},
            {u.At(low, first), u.At(high, first), w},
            {u.At(low, second), u.At(high, second), w},
        };
        return [=](Sub x, Sub y) {
            return std::any_of(std::begin(strokes), std::end(strokes),
                               [x, y](const Stroke& s) { return s(x, y); });
        };
    };
    // A faint glow, then the lines.
    for (const int32_t glow : {16, 12, 9}) colour.Fill(whole, lines(glow), {255, 40, 60}, 22);
    colour.Fill(whole, lines(6), {240, 36, 44});
}

// An X of two strokes shaded as the game shades them: red to green down from
// the top left, blue to grey down from the top right.
void Cross(Canvas& colour, const Design& u, int32_t column, int32_t row) {
    const Box whole{0, 0, u.size, u.size};
    const int32_t x = CellCentre(column);
    const int32_t y = CellCentre(row);
    constexpr int32_t reach = 15;
    const Sub halfWidth = u(8);
    const Point topLeft = u.At(x - reach, y - reach);
    const Point bottomRight = u.At(x + reach, y + reach);
    const Point topRight = u.At(x + reach, y - reach);
    const Point bottomLeft = u.At(x - reach, y + reach);
    const Stroke down{topLeft, bottomRight, halfWidth};
    const Stroke up{topRight, bottomLeft, halfWidth};
    // A dark edge keeps the strokes apart from the sky and the board.
    for (const Stroke& stroke : {down, up})
        colour.Fill(whole, Stroke{stroke.from, stroke.to, halfWidth + u(4)}, {5, 6, 24}, 150);
    colour.Paint(whole, up, Along(topRight, bottomLeft, {80, 130, 255}, {190, 190, 200}));
    colour.Paint(whole, down, Along(topLeft, bottomRight, {255, 60, 60}, {70, 235, 90}));
}

void Nought(Canvas& colour, const Design& u, int32_t column, int32_t row) {
    const Box whole{0, 0, u.size, u.size};
    const Point centre = u.At(CellCentre(column), CellCentre(row));
    colour.Fill(whole, Ring{centre, u(10), u(27)}, {5, 6, 24}, 150);
    colour.Fill(whole, Ring{centre, u(13), u(24)}, {248, 250, 255});
}

// Below this size the design's board lines fall between pixels and its stars
// and glows blur into the marks, so the icon is laid out on whole pixels
// instead: the same tile, sky and marks on a board of one-pixel lines.
constexpr int32_t pixelLayoutBelow = 32;

// The board on whole pixels, about as wide as the design's: three cells, the
// middle one a pixel wider where that centres the board, with a line of one
// pixel between each two. The same for rows as for columns.
struct PixelBoard {
    int32_t start[3]; // each cell's first pixel
    int32_t width[3];

    explicit PixelBoard(int32_t size) {
        const int32_t outer = std::max(1, (size * (3 * cellUnits) / 256 - 2) / 3);
        const int32_t middle = outer + ((size - 3 * outer - 2) % 2 != 0 ? 1 : 0);
        start[0] = (size - 2 * outer - middle - 2) / 2;
        width[0] = outer;
        start[1] = start[0] + outer + 1;
        width[1] = middle;
        start[2] = start[1] + middle + 1;
        width[2] = outer;
    }
    int32_t End() const { return start[2] + width[2]; }
    Box Cell(int32_t column, int32_t row) const {
        return {start[column], start[row], start[column] + width[column], start[row] + width[row]};
    }
};

// The X's strokes a pixel thick along the cell's diagonals, shaded as the
// larger sizes shade them.
void PixelCross(Canvas& colour, Box cell) {
    const int32_t across = std::min(cell.x1 - cell.x0, cell.y1 - cell.y0);
    for (int32_t i = 0; i < across; ++i)
        colour.Put(cell.x1 - 1 - i, cell.y0 + i,
                   Mix({80, 130, 255}, {190, 190, 200}, i, std::max(1, across - 1)));
    for (int32_t i = 0; i < across; ++i)
        colour.Put(cell.x0 + i, cell.y0 + i,
                   Mix({255, 60, 60}, {70, 235, 90}, i, std::max(1, across - 1)));
}

void PixelNought(Canvas& colour, Box cell) {
    const Box whole{0, 0, colour.Width(), colour.Height()};
    const Sub across = Px(std::min(cell.x1 - cell.x0, cell.y1 - cell.y0));
    const Point centre{(Px(cell.x0) + Px(cell.x1)) / 2, (Px(cell.y0) + Px(cell.y1)) / 2};
    colour.Fill(whole, Ring{centre, across / 2 - sub * 7 / 8, across / 2}, {248, 250, 255});
}

RgbaPicture DrawPixelIcon(int32_t size) {
    const Design u{size};
    const Box whole{0, 0, size, size};
    RgbaPicture icon{Canvas(size, size, {}), Canvas(size, size, {})};

    // The tile fills the picture, its rim one pixel wide.
    const Sub radius = Px(size) * 3 / 16;
    icon.opacity.Fill(whole, RoundedBox{0, 0, Px(size), Px(size), radius}, {255, 255, 255});
    NightSky(icon.colour, u, false);
    const RoundedBox inside{Px(1), Px(1), Px(size - 1), Px(size - 1), radius - sub};
    icon.colour.Fill(
        whole, [&](Sub x, Sub y) { return !inside(x, y); }, {96, 124, 220}, 200);

    const PixelBoard board(size);
    for (const int32_t line : {board.start[1] - 1, board.start[2] - 1}) {
        for (int32_t along = board.start[0]; along < board.End(); ++along) {
            icon.colour.Put(line, along, {240, 36, 44});
            icon.colour.Put(along, line, {240, 36, 44});
        }
    }
    PixelCross(icon.colour, board.Cell(0, 0));
    PixelNought(icon.colour, board.Cell(2, 0));
    PixelCross(icon.colour, board.Cell(1, 1));
    PixelNought(icon.colour, board.Cell(0, 2));
    PixelCross(icon.colour, board.Cell(2, 2));
    return icon;
}

} // namespace

RgbaPicture DrawIcon(int32_t size) {
    if (size < pixelLayoutBelow) return DrawPixelIcon(size);
    const Design u{size};
    const Box whole{0, 0, size, size};
    RgbaPicture icon{Canvas(size, size, {}), Canvas(size, size, {})};

    // The tile, with a soft edge; the colour under the clear corners is the
    // tile's own, so that scaling the icon brings in no dark fringe.
    const RoundedBox tile{u(8), u(8), u(248), u(248), u(46)};
    icon.opacity.Fill(whole, tile, {255, 255, 255});

    NightSky(icon.colour, u, true);
    // A light rim just inside the edge, so that the tile shows on dark panels too.
    const RoundedBox inside{u(13), u(13), u(243), u(243), u(41)};
    icon.colour.Fill(
        whole, [&](Sub x, Sub y) { return !inside(x, y); }, {96, 124, 220}, 200);

    Board(icon.colour, u);
    Cross(icon.colour, u, 0, 0);
    Nought(icon.colour, u, 2, 0);
    Cross(icon.colour, u, 1, 1);
    Nought(icon.colour, u, 0, 2);
    Cross(icon.colour, u, 2, 2);
    return icon;
}
