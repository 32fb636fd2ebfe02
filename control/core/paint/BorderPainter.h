// The border and 3D-text painters shared by the control and its drop-down list: the 14 outer
// border styles as sequences of one-pixel frames, and the copies of a text that make its 3D
// effect.
#pragma once

#include "control/core/Enums.h"
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

// Draws outer border `style` on the outermost pixels of `r`, frame by frame from the outside
// in; returns `r` less the border. ItemBorder and ItemVertBorder number their line and 3D
// styles as BorderStyle does and are drawn as those.
Rect drawOuterBorder(Surface& s, const Rect& r, BorderStyleConstants style, const BorderWidths& w,
                     const BorderColors& c);

enum class TextRole { Text, Light, Shadow };

struct TextCopy {
    int dx;
    int dy;
    TextRole role;
    friend bool operator==(const TextCopy&, const TextCopy&) = default;
};

// Font3D and CaptionFont3D 7 has no constant of its own: four copies of the text in its own
// colour, one pixel apart, which thicken it.
inline constexpr Font3DConstants kFont3DThickened{7};

// The copies of a text that make 3D effect `effect` (lxf3d_なし .. kFont3DThickened), bottom
// first; an unknown effect draws the plain text.
std::vector<TextCopy> textEffectCopies(Font3DConstants effect);

struct TextColors {
    Rgb text;
    Rgb light;
    Rgb shadow;
};

// Runs `draw` once per copy of effect `effect` with the copy's offset origin and colour.
void drawWithEffect(Font3DConstants effect, Point origin, const TextColors& colors,
                    const std::function<void(Point, Rgb)>& draw);

// Draws `text` at `origin` with 3D effect `effect`.
void drawText3D(Surface& s, Font3DConstants effect, Point origin, std::string_view text,
                const TextColors& colors);

} // namespace vantil
