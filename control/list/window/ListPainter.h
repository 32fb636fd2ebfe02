// Painting of the drop-down list: background, header cells with their bevel, item cells with
// odd-row, own, selected and disabled colours, item borders, pictures and aligned text, and
// the column-resize tracking line. Only the rows and columns of the visible range that meet
// the update rectangle are drawn.
#pragma once

#include "control/list/window/ListGeometry.h"
#include "control/list/window/ListStyle.h"

#include <optional>

namespace vantil {

// Where a cell's picture and text go.
struct CellLayout {
    std::optional<Rect> picture; // the square the picture is rendered into (already inset)
    std::optional<Rect> text;    // nullopt: no text is drawn
};

// The picture square and text rectangle of a cell of rectangle `cell`.
CellLayout layoutCell(const Rect& cell, bool hasPicture, std::int16_t displayItem,
                      std::uint32_t format);

// The inverse of a colour: red, green and blue each inverted.
inline Rgb inverted(Rgb c) {
    return Rgb{static_cast<std::uint8_t>(255 - c.r), static_cast<std::uint8_t>(255 - c.g),
               static_cast<std::uint8_t>(255 - c.b)};
}

struct ListPaint {
    const ListGeometry& geometry;
    const ListStyle& style;
    Rect update;
    std::optional<Rect> trackingLine; // the column-resize line, inverted over everything
};

void paintList(Surface& s, const ListPaint& paint);

} // namespace vantil
