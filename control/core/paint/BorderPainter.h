// The border and 3D-text painters shared by the control and its drop-down list: the 14 outer
// border styles as sequences of one-pixel frames, and the copies of a text that make its 3D
// effect.
#pragma once

#include "control/core/paint/Surface.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vantil {

struct BorderColors {
    Rgb border; // BorderColor: line frames
    Rgb back;   // BackColor: gap frames
    Rgb light;  // LightColor
    Rgb shadow; // ShadowColor
    Rgb darkShadow3D;
    Rgb light3D;
};

struct BorderWidths {
    int width = 1;
    int inner = 1;
    int outer = 1;
};

// Draws outer border `style` (0..13) on the outermost pixels of `r`, frame by frame from the
// outside in; returns `r` less the border.
Rect drawOuterBorder(Surface& s, const Rect& r, std::int16_t style, const BorderWidths& w,
                     const BorderColors& c);

enum class TextRole { Text, Light, Shadow };

struct TextCopy {
    int dx;
    int dy;
    TextRole role;
    friend bool operator==(const TextCopy&, const TextCopy&) = default;
};

// The copies of a text that make 3D effect `effect` (0..7), bottom first; an unknown effect
// draws the plain text.
std::vector<TextCopy> textEffectCopies(std::int16_t effect);

struct TextColors {
    Rgb text;
    Rgb light;
    Rgb shadow;
};

// Runs `draw` once per copy of effect `effect` with the copy's offset origin and colour.
void drawWithEffect(std::int16_t effect, Point origin, const TextColors& colors,
                    const std::function<void(Point, Rgb)>& draw);

// Draws `text` at `origin` with 3D effect `effect`.
void drawText3D(Surface& s, std::int16_t effect, Point origin, std::string_view text,
                const TextColors& colors);

} // namespace vantil
