// The control core's value types, shared by the key rules, painting and the list window: a
// pixel point, a rectangle with exclusive right and bottom edges, and a resolved colour. The
// window-system layer converts them in one place.
#pragma once

#include <algorithm>
#include <cstdint>

namespace vantil {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Covers the pixels left <= x < right, top <= y < bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    // Shrinks by the given amounts; a rectangle never turns inside out, it collapses to empty.
    Rect deflated(int dx, int dy) const { return deflated(dx, dy, dx, dy); }
    Rect deflated(int l, int t, int r, int b) const {
        Rect out{left + l, top + t, right - r, bottom - b};
        out.right = std::max(out.right, out.left);
        out.bottom = std::max(out.bottom, out.top);
        return out;
    }
    Rect intersected(const Rect& o) const {
        Rect out{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                 std::min(bottom, o.bottom)};
        if (out.empty()) {
            return Rect{out.left, out.top, out.left, out.top};
        }
        return out;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as drawn: red, green and blue, after system colours were resolved.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    // From a plain colour value 0x00BBGGRR.
    static constexpr Rgb fromColorRef(std::uint32_t v) {
        return Rgb{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                   static_cast<std::uint8_t>((v >> 16) & 0xFF)};
    }
    constexpr std::uint32_t colorRef() const {
        return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
               (static_cast<std::uint32_t>(b) << 16);
    }
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

} // namespace vantil
