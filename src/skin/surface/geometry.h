#pragma once
#include <algorithm>
#include <cstdint>

namespace stellaro {

// A position in pixels.
struct Point {
    int32_t x = 0;
    int32_t y = 0;

    friend constexpr Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend constexpr bool operator==(Point a, Point b) = default;
};

// An extent in pixels; rectangles are an origin and a size, right and bottom exclusive.
struct Size {
    int32_t width = 0;
    int32_t height = 0;

    friend constexpr bool operator==(Size a, Size b) = default;
};

constexpr Point operator+(Point origin, Size size) { return {origin.x + size.width, origin.y + size.height}; }

constexpr Point max_point(Point a, Point b) { return {std::max(a.x, b.x), std::max(a.y, b.y)}; }
constexpr Point min_point(Point a, Point b) { return {std::min(a.x, b.x), std::min(a.y, b.y)}; }

} // namespace stellaro
