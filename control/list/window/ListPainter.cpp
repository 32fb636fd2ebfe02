// The list's painting on the control's drawing surface.
#include "control/list/window/ListPainter.h"

#include "control/core/paint/CaptionText.h"

#include <algorithm>

namespace vantil {

namespace {

constexpr int kPictureInset = 4;

bool meets(const Rect& a, const Rect& b) {
    return !a.intersected(b).empty();
}

void fillPart(Surface& s, const Rect& r, const Rect& update, Rgb colour) {
    if (const Rect part = r.intersected(update); !part.empty()) {
        s.fillRect(part, colour);
    }
}

Rect extended(const Rect& r) {
    return Rect{r.left, r.top, r.right + 1, r.bottom + 1};
}

// ItemBorder and ItemVertBorder number their styles as BorderStyle does.
BorderStyleConstants asBorderStyle(ItemBorderConstants b) {
    return BorderStyleConstants{static_cast<std::int16_t>(b)};
}
BorderStyleConstants asBorderStyle(ItemVertBorderConstants b) {
    return BorderStyleConstants{static_cast<std::int16_t>(b)};
}

// The line styles (thin, thick, double) run along one edge of a cell; the 3D styles frame it.
bool isLineStyle(BorderStyleConstants b) {
    return b >= BorderStyleConstants::lxbs_細線 && b <= BorderStyleConstants::lxbs_二重線;
}

// Text of one cell inside `area`, aligned by the cell's format, with the 3D effect.
void drawCellText(Surface& s, const Rect& area, std::string_view text, std::uint32_t format,
                  const TextColors& colors, Font3DConstants font3D) {
    if (text.empty() || area.empty()) {
        return;
    }
    const int lineHeight = std::max(1, s.lineHeight());
    std::vector<std::string> lines;
    if ((format & kFormatSingleLine) != 0) {
        lines.push_back(withoutLineBreaks(text));
    } else {
        lines = cutLines(text, area.width(), [&](std::string_view ch) { return s.textWidth(ch); });
    }
    const int block = lineHeight * static_cast<int>(lines.size());
    int y = area.top;
    if ((format & kFormatBottom) != 0) {
        y = area.bottom - block;
    } else if ((format & kFormatVCenter) != 0) {
        y = area.top + (area.height() - block) / 2;
    }
    bool clipped = block > area.height();
    std::vector<int> xs;
    for (const std::string& line : lines) {
        const int w = s.textWidth(line);
        clipped = clipped || w > area.width();
        int x = area.left;
        if ((format & kFormatRight) != 0) {
            x = area.right - w;
        } else if ((format & kFormatCenter) != 0) {
            x = area.left + (area.width() - w) / 2;
        }
        xs.push_back(x);
    }
    if (clipped) {
        s.setClip(area);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        drawText3D(s, font3D, Point{xs[i], y + lineHeight * static_cast<int>(i)}, lines[i], colors);
    }
    if (clipped) {
        s.clearClip();
    }
}

// The item borders of a cell on its rectangle extended by one pixel right and down.
void drawItemBorders(Surface& s, const Rect& cell, const ListStyle& st) {
    const ListColors& c = st.colors;
    const auto colors = [&](Rgb line) {
        return BorderColors{line, c.gap, c.light, c.shadow, c.darkShadow3D, c.light3D};
    };
    const auto widths = [](BorderStyleConstants style) {
        return BorderWidths{style == BorderStyleConstants::lxbs_太線 ? 2 : 1, 1, 1};
    };
    const Rect r = extended(cell);
    const BorderStyleConstants item = asBorderStyle(st.itemBorder);
    if (st.itemVertBorder == ItemVertBorderConstants::lxivb_指定なし) {
        drawOuterBorder(s, r, item, widths(item), colors(c.itemBorder));
        return;
    }
    // Line styles along one edge: a frame reaching past the other edges, clipped to the cell.
    constexpr int kReach = 8;
    if (isLineStyle(item)) {
        s.setClip(r);
        drawOuterBorder(s, Rect{r.left - kReach, r.top - kReach, r.right + kReach, r.bottom}, item,
                        widths(item), colors(c.itemBorder));
        s.clearClip();
    } else if (item > BorderStyleConstants::lxbs_二重線) {
        drawOuterBorder(s, r, item, widths(item), colors(c.itemBorder));
    }
    const BorderStyleConstants vertical = asBorderStyle(st.itemVertBorder);
    if (item >= BorderStyleConstants::lxbs_なし && item <= BorderStyleConstants::lxbs_二重線 &&
        isLineStyle(vertical)) {
        s.setClip(r);
        drawOuterBorder(s, Rect{r.left - kReach, r.top - kReach, r.right, r.bottom + kReach},
                        vertical, widths(vertical), colors(c.itemVertBorder));
        s.clearClip();
    }
}

bool hasItemBorders(const ListStyle& st) {
    return st.itemBorder != ItemBorderConstants::lxib_なし ||
           st.itemVertBorder != ItemVertBorderConstants::lxivb_指定なし;
}

void paintHeader(Surface& s, const ListPaint& p) {
    const ListGeometry& g = p.geometry;
    const ListGrid& grid = g.grid();
    const ListStyle& st = p.style;
    if (g.headerHeight() <= 0) {
        return;
    }
    const CListCell* first = grid.cell(0, 0);
    const bool ownFont = first != nullptr && first->font();
    s.setFont(ownFont ? FontRequest{*first->font(), 0} : st.font);
    const std::int32_t right = g.rightColumn();
    for (std::int32_t c = g.leftColumn(); c <= right; ++c) {
        const Rect r = g.cellRect(0, c);
        if (!meets(r, p.update)) {
            continue;
        }
        const CListCell& cell = *grid.cell(0, c);
        s.fillRect(r, cell.backColor != CLR_CELL_DEFAULT ? Rgb::fromColorRef(cell.backColor)
                                                         : st.colors.headerBack);
        if (st.inputAreaBorder == InputAreaBorderConstants::lxipab_3D) {
            s.frameRect(r, st.colors.light, st.colors.shadow);
        } else {
            s.line(Point{r.right - 1, r.top}, Point{r.right - 1, r.bottom - 1}, st.colors.shadow);
            s.line(Point{r.left, r.bottom - 1}, Point{r.right - 1, r.bottom - 1}, st.colors.shadow);
        }
        const Rect inner = r.deflated(1, 1).deflated(st.cellMargin, 0);
        const Rgb text = cell.foreColor != CLR_CELL_DEFAULT ? Rgb::fromColorRef(cell.foreColor)
                                                            : st.colors.headerText;
        drawCellText(s, inner, cell.text, cell.format,
                     TextColors{text, st.colors.light, st.colors.shadow}, st.font3D);
    }
}

// With item borders, items are painted in two passes: every cell's background first, then
// the borders, pictures and texts, so that the line along a cell's bottom and right edge, drawn
// on the pixel its neighbour begins with, is not covered by that neighbour's background.
// Without them one pass does both.
enum class ItemPass { Background, Content, Both };

void paintItem(Surface& s, const ListPaint& p, std::int32_t row, const Rect& cellRect,
               std::int32_t column, ItemPass pass) {
    const ListGrid& grid = p.geometry.grid();
    const ListStyle& st = p.style;
    const ListColors& colors = st.colors;
    const ListRow& lr = grid.row(row);
    const CListCell& cell = lr.cells[static_cast<std::size_t>(column)];
    const CListCell& first = lr.cells.front();
    // Column 0 speaks for the item: its flags and its colours when the cell has none.
    const std::uint32_t ownBack =
        cell.backColor != CLR_CELL_DEFAULT ? cell.backColor : first.backColor;
    const std::uint32_t ownFore =
        cell.foreColor != CLR_CELL_DEFAULT ? cell.foreColor : first.foreColor;
    const bool odd = (row - 1) % 2 == 1;
    Rgb back = colors.itemBack;
    if (ownBack != CLR_CELL_DEFAULT) {
        back = Rgb::fromColorRef(ownBack);
    } else if (odd && st.oddRowBack) {
        back = *st.oddRowBack;
    }
    Rgb text = colors.itemText;
    if (ownFore != CLR_CELL_DEFAULT) {
        text = Rgb::fromColorRef(ownFore);
    } else if (odd && st.oddRowFore) {
        text = *st.oddRowFore;
    }
    if (lr.item.masked || !lr.item.enabled) {
        text = colors.disabled;
    }
    const bool selected = (cell.state & LCIS_SELECTED) != 0;
    if (pass != ItemPass::Content) {
        s.fillRect(extended(cellRect), selected ? colors.selection : back);
        if (pass == ItemPass::Background) {
            return;
        }
    }
    if (selected) {
        text = inverted(text);
    }
    if (hasItemBorders(st)) {
        drawItemBorders(s, cellRect, st);
    }
    const CellLayout layout = layoutCell(cellRect, cell.picture() != nullptr,
                                         static_cast<std::int16_t>(st.displayItem), cell.format);
    if (layout.picture) {
        s.drawPicture(*layout.picture, *cell.picture());
    }
    if (layout.text) {
        const std::shared_ptr<const CellFont>& font = first.font();
        s.setFont(font ? FontRequest{*font, 0} : st.font);
        drawCellText(s, *layout.text, cell.text, cell.format,
                     TextColors{text, colors.light, colors.shadow}, st.font3D);
    }
}

} // namespace

CellLayout layoutCell(const Rect& cell, bool hasPicture, std::int16_t displayItem,
                      std::uint32_t format) {
    using enum DisplayItemConstants;
    const DisplayItemConstants shown{displayItem};
    if (!hasPicture || shown == lxdil_テキスト) {
        return CellLayout{std::nullopt, cell};
    }
    const int w = cell.width();
    const int h = cell.height();
    const int side = std::min(w, h);
    Rect square{cell.left, cell.top, cell.left + side, cell.top + side};
    bool atRight = false;
    if (h > w) {
        square.top = cell.top + (h - side) / 2;
        square.bottom = square.top + side;
    } else if (shown == lxdil_ピクチャ) {
        square.left = cell.left + (w - side) / 2;
        square.right = square.left + side;
    } else if ((format & kFormatRight) != 0) {
        square.left = cell.right - side;
        square.right = cell.right;
        atRight = true;
    }
    CellLayout out{square.deflated(kPictureInset, kPictureInset), std::nullopt};
    if (shown == lxdil_両方 && w > h) {
        out.text = atRight ? cell.deflated(0, 0, side, 0) : cell.deflated(side, 0, 0, 0);
    }
    return out;
}

void paintList(Surface& s, const ListPaint& p) {
    const ListGeometry& g = p.geometry;
    const ListGrid& grid = g.grid();
    const ListStyle& st = p.style;
    const Size c = g.client();
    const int header = g.headerHeight();
    const int columnsRight = std::min(c.width, g.columnsRight());

    // Background: the header strip, and what lies right of the columns or below the rows.
    fillPart(s, Rect{0, 0, c.width, header}, p.update, st.colors.headerBack);
    fillPart(s, Rect{columnsRight, header, c.width, c.height}, p.update, st.colors.empty);
    paintHeader(s, p);

    const std::int32_t left = g.leftColumn();
    const std::int32_t right = g.rightColumn();
    const std::int32_t lastRow = grid.rowCount() - 1;
    const std::int32_t lastColumn = grid.columnCount() - 1;
    // A cell paints one pixel past its right and bottom edges, but the cell after it paints
    // its background over that pixel again; without item borders only the last row's and the
    // last column's extra pixel is theirs alone, and a cell that meets the update only there
    // is left out, so a scrolled strip repaints the rows inside it and not the row above.
    // With item borders the extra pixel holds the cell's line, and the cell repaints it.
    const bool borders = hasItemBorders(st);
    int y = header;
    auto forUpdatedCells = [&](auto&& f) {
        y = header;
        forEachRowHeight(grid, g.topRow(), [&](std::int32_t row, int height) {
            const int below = borders || row == lastRow ? 1 : 0;
            if (meets(Rect{0, y, c.width, y + height + below}, p.update)) {
                int x = g.columnLeft(left);
                for (std::int32_t col = left; col <= right; ++col) {
                    const int w = grid.columnWidth(col);
                    const int beside = borders || col == lastColumn ? 1 : 0;
                    if (meets(Rect{x, y, x + w + beside, y + height + below}, p.update)) {
                        f(row, Rect{x, y, x + w, y + height}, col);
                    }
                    x += w;
                }
            }
            y += height;
            return y < c.height;
        });
    };
    if (right >= 0 && grid.itemCount() > 0) {
        auto paintPass = [&](ItemPass pass) {
            forUpdatedCells([&](std::int32_t row, const Rect& cell, std::int32_t col) {
                paintItem(s, p, row, cell, col, pass);
            });
        };
        if (borders) {
            paintPass(ItemPass::Background);
            paintPass(ItemPass::Content);
        } else {
            paintPass(ItemPass::Both);
        }
    }
    fillPart(s, Rect{0, y, columnsRight, c.height}, p.update, st.colors.empty);
    if (p.trackingLine) {
        s.invertRect(*p.trackingLine);
    }
}

} // namespace vantil
