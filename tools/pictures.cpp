#include "pictures.h"

#include <algorithm>

#include "letters.h"

namespace {

const char* const gameName = "KELMOT";

uint32_t Hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

// Repeatable chance: the same seed always gives the same numbers.
class Dice {
  public:
    explicit Dice(uint32_t seed) : state(Hash(seed)) {}
    uint32_t Next() { return Hash(state += 0x9e3779b9u); }
    // low..high inclusive.
    int32_t Between(int32_t low, int32_t high) {
        return low + int32_t(Next() % uint32_t(high - low + 1));
    }

  private:
    uint32_t state;
};

// 0..256 eased so that noise has no visible creases at the lattice lines.
int32_t Ease(int32_t t) { return t * t * (768 - 2 * t) / 65536; }

// Smooth noise, 0..255, from random values on a lattice cellPixels apart that
// repeats every `size` pixels, so pictures made from it tile.
int32_t Noise(int32_t x, int32_t y, int32_t size, int32_t cellPixels, uint32_t seed) {
    const int32_t cells = size / cellPixels;
    auto corner = [&](int32_t i, int32_t j) {
        return int32_t(Hash(uint32_t(i % cells) * 0x8da6b343u ^ Hash(uint32_t(j % cells) ^ seed)) &
                       255);
    };
    const int32_t i = x / cellPixels;
    const int32_t j = y / cellPixels;
    const int32_t tx = Ease(((x % cellPixels) * 2 + 1) * 128 / cellPixels);
    const int32_t ty = Ease(((y % cellPixels) * 2 + 1) * 128 / cellPixels);
    const int32_t top = corner(i, j) * 256 + (corner(i + 1, j) - corner(i, j)) * tx;
    const int32_t bottom = corner(i, j + 1) * 256 + (corner(i + 1, j + 1) - corner(i, j + 1)) * tx;
    return (top * 256 + (bottom - top) * ty) / 65536;
}

// A soft round star, position and radius in 256ths of a pixel, brightness 0..255.
void Star(Canvas& sky, int32_t x, int32_t y, int32_t radius, Colour tint, int32_t brightness) {
    const int64_t radiusSquared = int64_t(radius) * radius;
    for (int32_t py = (y - radius) >> 8; py <= (y + radius) >> 8; ++py) {
        for (int32_t px = (x - radius) >> 8; px <= (x + radius) >> 8; ++px) {
            const int64_t dx = px * 256 + 128 - x;
            const int64_t dy = py * 256 + 128 - y;
            const int64_t distance = dx * dx + dy * dy;
            if (distance >= radiusSquared) continue;
            const int64_t falloff = (radiusSquared - distance) * 256 / radiusSquared;
            const int32_t weight = int32_t(brightness * falloff * falloff / 256);
            sky.Add(px, py, Scale(tint, weight, 255 * 256));
        }
    }
}

// Four thin rays from the pixel (x, y), fading out over `length` pixels.
void Rays(Canvas& sky, int32_t x, int32_t y, int32_t length, Colour tint, int32_t brightness) {
    for (int32_t k = 1; k <= length; ++k) {
        const int32_t left = length + 1 - k;
        const Colour c = Scale(tint, brightness * left * left, 255 * (length + 1) * (length + 1));
        sky.Add(x + k, y, c);
        sky.Add(x - k, y, c);
        sky.Add(x, y + k, c);
        sky.Add(x, y - k, c);
    }
}

Colour StarTint(Dice& dice) {
    switch (dice.Between(0, 15)) {
    case 0:
        return {255, 180, 130}; // orange
    case 1:
        return {255, 236, 170}; // yellow
    case 2:
    case 3:
        return {165, 195, 255}; // blue
    default:
        return {228, 234, 255};
    }
}

// An X of two round-ended strokes centred on (x, y), in pixels.
auto Cross(int32_t x, int32_t y, int32_t reach, Sub halfWidth) {
    const Stroke down{{Px(x - reach), Px(y - reach)}, {Px(x + reach), Px(y + reach)}, halfWidth};
    const Stroke up{{Px(x - reach), Px(y + reach)}, {Px(x + reach), Px(y - reach)}, halfWidth};
    return [down, up](Sub sx, Sub sy) { return down(sx, sy) || up(sx, sy); };
}

Box Around(int32_t x, int32_t y, int32_t reach) {
    return {x - reach - 1, y - reach - 1, x + reach + 2, y + reach + 2};
}

// Paints from `top` at row y0 to `bottom` at row y1.
auto Gradient(Colour top, Colour bottom, int32_t y0, int32_t y1) {
    return
        [=](int32_t, int32_t y) { return Mix(top, bottom, std::clamp(y, y0, y1) - y0, y1 - y0); };
}

} // namespace

Canvas DrawStars() {
    constexpr int32_t size = 512;
    Canvas sky(size, size, {}, Wrap::both);

    // A faint violet-to-teal nebula over a near-black blue.
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const int32_t cloud = (4 * Noise(x, y, size, 128, 1) + 2 * Noise(x, y, size, 64, 2) +
                                   Noise(x, y, size, 32, 3)) /
                                  7;
            const int32_t glow = std::max(0, cloud - 100);
            const Colour nebula = Mix({80, 26, 120}, {16, 78, 120}, Noise(x, y, size, 256, 4), 255);
            sky.Put(x, y, Mix({3, 4, 14}, nebula, glow * glow, 155 * 155));
        }
    }

    // Every roll gets its own statement: the order in which a call's arguments
    // are worked out differs between compilers, and the rolls must not.
    Dice dice(2024);
    for (int32_t i = 0; i < 1100; ++i) {
        const int32_t x = dice.Between(0, size * 256 - 1);
        const int32_t y = dice.Between(0, size * 256 - 1);
        const Colour tint = StarTint(dice);
        const int32_t brightness = dice.Between(40, 150);
        Star(sky, x, y, 256, tint, brightness);
    }
    for (int32_t i = 0; i < 160; ++i) {
        const int32_t x = dice.Between(0, size * 256 - 1);
        const int32_t y = dice.Between(0, size * 256 - 1);
        const int32_t radius = dice.Between(384, 512);
        const Colour tint = StarTint(dice);
        const int32_t brightness = dice.Between(150, 255);
        Star(sky, x, y, radius, tint, brightness);
    }
    for (int32_t i = 0; i < 16; ++i) {
        const int32_t x = dice.Between(0, size - 1);
        const int32_t y = dice.Between(0, size - 1);
        const Colour tint = StarTint(dice);
        const int32_t rays = dice.Between(5, 9);
        Star(sky, x * 256 + 128, y * 256 + 128, 4 * 256, tint, 70);
        Star(sky, x * 256 + 128, y * 256 + 128, 640, tint, 255);
        Rays(sky, x, y, rays, tint, 200);
    }
    return sky;
}

Canvas DrawMenuBackground() {
    constexpr int32_t size = 512;
    Canvas screen(size, size, {});
    const Box whole{0, 0, size, size};

    // A deep blue, darker towards the bottom and the corners.
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const int32_t dx = 2 * x + 1 - size;
            const int32_t dy = 2 * y + 1 - size;
            const int32_t shade = 256 - 120 * (dx * dx + dy * dy) / (2 * size * size);
            screen.Put(x, y, Scale(Mix({18, 26, 70}, {12, 12, 40}, y, size - 1), shade, 256));
        }
    }

    // A large, faint board with a few marks, well away from the middle.
    constexpr int32_t cell = 150;
    constexpr int32_t left = (size - 3 * cell) / 2;
    constexpr int32_t right = left + 3 * cell;
    const Sub halfWidth = Px(5);
    const Stroke lines[] = {
        {{Px(left + cell), Px(left + 12)}, {Px(left + cell), Px(right - 12)}, halfWidth},
        {{Px(left + 2 * cell), Px(left + 12)}, {Px(left + 2 * cell), Px(right - 12)}, halfWidth},
        {{Px(left + 12), Px(left + cell)}, {Px(right - 12), Px(left + cell)}, halfWidth},
        {{Px(left + 12), Px(left + 2 * cell)}, {Px(right - 12), Px(left + 2 * cell)}, halfWidth},
    };
    auto board = [&lines](Sub x, Sub y) {
        return std::any_of(std::begin(lines), std::end(lines),
                           [x, y](const Stroke& line) { return line(x, y); });
    };
    screen.Fill(whole, board, {130, 160, 255}, 22);

    const int32_t near = left + cell / 2;
    const int32_t far = right - cell / 2;
    for (auto [x, y] : {std::pair{near, near}, std::pair{far, far}})
        screen.Fill(Around(x, y, 48), Cross(x, y, 38, Px(7)), {255, 120, 110}, 22);
    for (auto [x, y] : {std::pair{far, near}, std::pair{near, far}})
        screen.Fill(Around(x, y, 48), Ring{{Px(x), Px(y)}, Px(34), Px(46)}, {230, 235, 255}, 20);
    return screen;
}

Canvas DrawNameStrip() {
    constexpr int32_t width = 512;
    constexpr int32_t height = 32;
    Canvas strip(width, height, {}, Wrap::across);

    // A blue band with bright rims and faint slanted stripes. The stripes repeat
    // every 16 pixels, which divides the width, so they run on across the ends.
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            Colour c = Mix({52, 100, 215}, {24, 54, 160}, y, height - 1);
            if ((x + y) % 16 < 8) c = Mix(c, {110, 160, 255}, 1, 12);
            if (y == 1 || y == height - 2) c = {90, 150, 250};
            if (y == 0 || y == height - 1) c = {16, 34, 100};
            strip.Put(x, y, c);
        }
    }

    // The name twice, with an X and an O between; the pair at x = 0 runs across
    // the ends of the strip.
    constexpr int32_t cell = 3;
    const Lettering measure(gameName, {0, 0}, cell);
    const Sub textTop = Px(height - measure.HeightPixels()) / 2;
    for (int32_t centre : {0, width / 2}) {
        const int32_t nameCentre = centre + width / 4;
        const Point topLeft{Px(nameCentre) - Px(measure.WidthPixels()) / 2, textTop};
        const Lettering shadow(gameName, {topLeft.x + Px(1), topLeft.y + Px(1)}, cell);
        strip.Fill(shadow.Bounds(), shadow, {10, 24, 80}, 200);
        const Lettering name(gameName, topLeft, cell);
        strip.Paint(name.Bounds(), name,
                    Gradient({240, 245, 255}, {170, 200, 255}, height / 2 - 10, height / 2 + 10));

        strip.Fill(Around(centre - 13, height / 2, 6), Cross(centre - 13, height / 2, 5, 12),
                   {255, 175, 130});
        strip.Fill(Around(centre + 13, height / 2, 7),
                   Ring{{Px(centre + 13), Px(height / 2)}, Px(4), Px(6) + 4}, {240, 245, 255});
    }
    return strip;
}

Canvas DrawPointer() {
    constexpr int32_t size = 64;
    Canvas pointer(size, size, {});
    const Box whole{0, 0, size, size};

    // An arrow with a dark rim; its tip is the middle of the bottom edge.
    auto arrow = [](Sub inset) {
        const RoundedBox shaft{Px(22) + inset, Px(3) + inset, Px(42) - inset, Px(40),
                               Px(4) - inset / 2};
        const Triangle head{{Px(4), Px(26)}, {Px(60), Px(26)}, {Px(32), Px(64)}, inset};
        return [shaft, head](Sub x, Sub y) { return shaft(x, y) || head(x, y); };
    };
    pointer.Fill(whole, arrow(0), {130, 44, 0});
    pointer.Paint(whole, arrow(Px(3) - 4), Gradient({255, 246, 130}, {255, 116, 16}, 6, 56));
    // A gleam down the left of the shaft.
    pointer.Fill(whole, Stroke{{Px(28), Px(9)}, {Px(28), Px(28)}, 12}, {255, 255, 235}, 140);
    return pointer;
}

Canvas DrawPointerMask(const Canvas& pointer) {
    Canvas mask(pointer.Width(), pointer.Height(), {255, 255, 255});
    for (int32_t y = 0; y < pointer.Height(); ++y) {
        for (int32_t x = 0; x < pointer.Width(); ++x) {
            const Colour c = pointer.At(x, y);
            if (c.r != 0 || c.g != 0 || c.b != 0) mask.Put(x, y, {0, 0, 0});
        }
    }
    return mask;
}

Canvas DrawDialogBanner() {
    constexpr int32_t width = 360;
    constexpr int32_t height = 139;
    Canvas banner(width, height, {});
    const Box whole{0, 0, width, height};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            banner.Put(x, y, Mix({238, 238, 242}, {214, 216, 222}, y, height - 1));

    // A rounded blue band with a soft shadow and a light rim.
    const Sub radius = Px(18);
    banner.Fill(whole, RoundedBox{Px(12), Px(13), Px(352), Px(130), radius}, {90, 92, 110}, 60);
    banner.Fill(whole, RoundedBox{Px(10), Px(10), Px(350), Px(127), radius}, {140, 182, 250});
    banner.Paint(whole, RoundedBox{Px(12), Px(12), Px(348), Px(125), radius - Px(2)},
                 Gradient({76, 132, 228}, {26, 62, 168}, 12, 125));

    constexpr int32_t cell = 6;
    const Lettering measure(gameName, {0, 0}, cell);
    const Point topLeft{Px(width - measure.WidthPixels()) / 2, Px(26)};
    const Lettering shadow(gameName, {topLeft.x + Px(2), topLeft.y + Px(2)}, cell);
    banner.Fill(shadow.Bounds(), shadow, {14, 34, 100}, 200);
    const Lettering name(gameName, topLeft, cell);
    banner.Paint(name.Bounds(), name, Gradient({255, 255, 255}, {200, 220, 255}, 26, 68));

    // A row of marks under the name, X's and O's in turn.
    constexpr int32_t marksY = 98;
    for (int32_t k = -3; k <= 3; ++k) {
        const int32_t x = width / 2 + 30 * k;
        if (k % 2 == 0)
            banner.Fill(Around(x, marksY, 8), Cross(x, marksY, 6, 14), {255, 130, 100});
        else
            banner.Fill(Around(x, marksY, 8), Ring{{Px(x), Px(marksY)}, Px(5), Px(7) + 4},
                        {245, 248, 255});
    }
    return banner;
}
