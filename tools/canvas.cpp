#include "canvas.h"

#include <utility>

Colour Mix(Colour a, Colour b, int32_t weight, int32_t of) {
    auto mix = [&](int32_t p, int32_t q) { return (p * (of - weight) + q * weight + of / 2) / of; };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Colour Scale(Colour c, int32_t numerator, int32_t denominator) {
    auto scale = [&](int32_t v) { return std::clamp(v * numerator / denominator, 0, 255); };
    return {scale(c.r), scale(c.g), scale(c.b)};
}

Canvas::Canvas(int32_t width, int32_t height, Colour fill, Wrap wrap)
    : width(width), height(height), wrap(wrap), pixels(size_t(width) * size_t(height), fill) {}

bool Canvas::Locate(int32_t& x, int32_t& y) const {
    if (wrap != Wrap::none) x = ((x % width) + width) % width;
    if (wrap == Wrap::both) y = ((y % height) + height) % height;
    return x >= 0 && x < width && y >= 0 && y < height;
}

Colour Canvas::At(int32_t x, int32_t y) const {
    if (!Locate(x, y)) return {};
    return pixels[size_t(y) * size_t(width) + size_t(x)];
}

void Canvas::Put(int32_t x, int32_t y, Colour c) {
    if (!Locate(x, y)) return;
    pixels[size_t(y) * size_t(width) + size_t(x)] = {
        std::clamp(c.r, 0, 255), std::clamp(c.g, 0, 255), std::clamp(c.b, 0, 255)};
}

void Canvas::Cover(int32_t x, int32_t y, Colour c, int32_t weight) {
    Put(x, y, Mix(At(x, y), c, weight, 256));
}

void Canvas::Add(int32_t x, int32_t y, Colour c) {
    const Colour old = At(x, y);
    Put(x, y, {old.r + c.r, old.g + c.g, old.b + c.b});
}

namespace {

Sub Square(Sub v) { return v * v; }

// Twice the signed area of (a, b, p): positive when p lies left of a->b.
Sub Cross(Point a, Point b, Sub x, Sub y) {
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

} // namespace

bool Ring::operator()(Sub x, Sub y) const {
    const Sub d = Square(x - centre.x) + Square(y - centre.y);
    return d >= Square(inner) && d <= Square(outer);
}

bool Stroke::operator()(Sub x, Sub y) const {
    const Sub dx = to.x - from.x;
    const Sub dy = to.y - from.y;
    const Sub length = Square(dx) + Square(dy);
    const Sub along = (x - from.x) * dx + (y - from.y) * dy;
    if (along <= 0 || length == 0)
        return Square(x - from.x) + Square(y - from.y) <= Square(halfWidth);
    if (along >= length) return Square(x - to.x) + Square(y - to.y) <= Square(halfWidth);
    // Distance from the line squared is cross^2 / length.
    return Square(Cross(from, to, x, y)) <= Square(halfWidth) * length;
}

bool RoundedBox::operator()(Sub x, Sub y) const {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    const Sub nearX = std::clamp(x, x0 + radius, x1 - radius);
    const Sub nearY = std::clamp(y, y0 + radius, y1 - radius);
    return Square(x - nearX) + Square(y - nearY) <= Square(radius);
}

bool Triangle::operator()(Sub x, Sub y) const {
    const Sub turn = Cross(a, b, c.x, c.y) > 0 ? 1 : -1;
    for (auto [p, q] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}}) {
        // Distance from the edge is cross / |q - p|, kept squared.
        const Sub cross = turn * Cross(p, q, x, y);
        if (cross < 0 || Square(cross) < Square(margin) * (Square(q.x - p.x) + Square(q.y - p.y)))
            return false;
    }
    return true;
}
