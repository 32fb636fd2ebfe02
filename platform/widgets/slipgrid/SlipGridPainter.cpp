// Painting of the slip grid: one function over model, geometry, style and scroll state.
#include "platform/widgets/slipgrid/SlipGridPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace plat::widgets {
namespace {

Qt::Alignment alignmentOf(SlipAlign align, const SlipValue& v, bool area) {
    switch (align) {
    case SlipAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case SlipAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case SlipAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case SlipAlign::Auto:
        break;
    }
    if (v.isNumber())
        return Qt::AlignRight | Qt::AlignVCenter;
    return (area ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
}

QFont scaledFont(QFont f, double scale) {
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * scale);
    else
        f.setPixelSize(std::max(1, int(f.pixelSize() * scale)));
    return f;
}

// Text that fits is drawn on one line. A name too wide for its cell ends in an ellipsis (the
// whole name shows as a tool tip); a caption too wide for a cell of two or more lines wraps
// (anywhere: Japanese has no spaces to break at); anything else, numbers above all, shrinks
// to fit rather than lose digits.
// Text being typed keeps its end in view instead.
enum class Overflow { Shrink, Elide, ElideStart, WrapOrShrink };

// One line placed by hand: much cheaper than laying the text out in a rectangle, and a
// grid draws several hundred of them per frame.
void drawOneLine(QPainter& p, const QFontMetrics& fm, const QRect& box, Qt::Alignment align,
                 const QString& text, int width) {
    int x = box.left();
    if (align.testFlag(Qt::AlignRight))
        x = box.right() + 1 - width;
    else if (align.testFlag(Qt::AlignHCenter))
        x = box.left() + (box.width() - width) / 2;
    const int y = box.top() + (box.height() - fm.height()) / 2 + fm.ascent();
    p.drawText(QPoint(x, y), text);
}

void drawText(QPainter& p, const QRect& cell, int padding, Qt::Alignment align, const QString& text,
              const QColor& colour, Overflow overflow) {
    if (text.isEmpty())
        return;
    p.setPen(colour);
    const QFontMetrics fm = p.fontMetrics();
    const QRect box = cell.adjusted(padding, 0, -padding, 0);
    const int width = fm.horizontalAdvance(text);
    if (width <= box.width()) {
        drawOneLine(p, fm, box, align, text, width);
        return;
    }
    if (overflow == Overflow::Elide || overflow == Overflow::ElideStart) {
        const Qt::TextElideMode mode = overflow == Overflow::Elide ? Qt::ElideRight : Qt::ElideLeft;
        p.drawText(box, int(align) | Qt::TextSingleLine, fm.elidedText(text, mode, box.width()));
        return;
    }
    if (overflow == Overflow::WrapOrShrink && box.height() >= 2 * fm.height()) {
        p.drawText(box, int(align) | Qt::TextWrapAnywhere, text);
        return;
    }
    const QRect tight = cell.adjusted(1, 0, -1, 0);
    const double scale = std::max(0.5, double(tight.width()) / width);
    p.save();
    p.setFont(scaledFont(p.font(), scale));
    p.drawText(tight, int(align) | Qt::TextSingleLine, text);
    p.restore();
}

void paintRowCell(QPainter& p, const SlipGridModel& m, const SlipGridGeometry& g,
                  const SlipGridStyle& s, const SlipPaintState& st, int row, int column) {
    const QRect r = g.rowCellRect(row, column, st.view);
    if (!st.dirty.isNull() && !r.intersects(st.dirty))
        return;
    const bool enabled = m.isEnabled(row, column);
    const bool current = row == m.currentRow() && column == m.currentColumn();
    QColor fill = s.background;
    if (!enabled)
        fill = s.disabledBackground;
    else if (!m.column(column).editable)
        fill = s.readOnlyBackground;
    // A faint band along the current row helps the eye across 31 days.
    if (enabled && st.focused && row == m.currentRow())
        fill = s.currentRowFill;
    if (current && st.editing)
        fill = s.editBackground;
    else if (current && st.focused && enabled)
        fill = s.currentFill;
    p.fillRect(r, fill);
    p.setPen(s.gridLine);
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    const SlipColumn& col = m.column(column);
    if (current && st.editing) {
        const Qt::Alignment a = col.kind == SlipKind::Number && col.align == SlipAlign::Auto
                                    ? Qt::AlignRight | Qt::AlignVCenter
                                    : alignmentOf(col.align, SlipValue::text(st.editText), false);
        // A caret bar after the typed text shows that the cell is being entered.
        drawText(p, r.adjusted(0, 0, -2, 0), s.padding, a, st.editText, s.text,
                 col.kind == SlipKind::Number ? Overflow::Shrink : Overflow::ElideStart);
        const int w = p.fontMetrics().horizontalAdvance(st.editText);
        const int x = a.testFlag(Qt::AlignRight)
                          ? r.right() - s.padding - 1
                          : std::min(r.left() + s.padding + w + 1, r.right() - s.padding);
        p.fillRect(QRect(x, r.top() + 4, 1, r.height() - 8), s.text);
    } else {
        const SlipValue& v = m.value(row, column);
        drawText(p, r, s.padding, alignmentOf(col.align, v, false), m.displayText(row, column),
                 enabled ? s.text : s.disabledText,
                 v.isNumber() ? Overflow::Shrink : Overflow::Elide);
    }
    if (current) {
        p.setPen(QPen(st.focused ? s.currentFrame : s.currentFrameUnfocused, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(1, 1, -1, -1));
    }
}

void paintAreaCell(QPainter& p, const SlipGridModel& m, const SlipGridGeometry& g,
                   const SlipGridStyle& s, const SlipPaintState& st, int i) {
    const bool heading = m.isHeadingCell(i);
    const SlipAreaCell& cell = m.areaCell(i);
    const QRect r = g.areaCellRect(cell, heading, st.view);
    if (!st.dirty.isNull() && !r.intersects(st.dirty))
        return;
    p.fillRect(r, heading ? s.headingBackground : s.totalsBackground);
    p.setPen(s.areaLine);
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    const QColor colour = m.areaColor(i).isValid() ? m.areaColor(i) : s.text;
    drawText(p, r, s.padding, alignmentOf(cell.align, m.areaValue(i), true), m.areaDisplayText(i),
             colour, m.areaValue(i).isNumber() ? Overflow::Shrink : Overflow::WrapOrShrink);
}

// One font for the whole heading: the grid's font, made smaller only as far as the widest
// one-line heading needs, so every heading (10日 beside 9日) is drawn alike and fits its cell.
// A caption in a cell tall enough to wrap keeps the font and wraps instead.
QFont headingFont(const QPainter& p, const SlipGridModel& m, const SlipGridGeometry& g,
                  const SlipGridStyle& s, const SlipView& view) {
    const QFont base = p.font();
    const QFontMetricsF baseMetrics(base, p.device());
    std::vector<std::pair<QString, double>> lines; // text, room
    double scale = 1.0;
    for (int i = 0; i < m.areaCellCount(); ++i) {
        if (!m.isHeadingCell(i) || m.areaValue(i).isNumber())
            continue;
        const QString text = m.areaDisplayText(i);
        if (text.isEmpty())
            continue;
        const QRect r = g.areaCellRect(m.areaCell(i), true, view);
        if (r.height() >= 2 * baseMetrics.height())
            continue;
        const double room = r.width() - 2.0 * s.padding;
        const double width = baseMetrics.horizontalAdvance(text);
        lines.emplace_back(text, room);
        if (width > room)
            scale = std::min(scale, room / width);
    }
    if (scale >= 1.0)
        return base;
    // Sizes do not scale exactly with the glyphs' widths: step down until every line fits.
    scale = std::max(scale, 0.5);
    QFont f = scaledFont(base, scale);
    for (int step = 0; step < 20 && scale > 0.5; ++step) {
        const QFontMetrics fm(f, p.device()); // as drawText() measures
        const bool fits = std::all_of(lines.begin(), lines.end(), [&](const auto& l) {
            return fm.horizontalAdvance(l.first) <= l.second;
        });
        if (fits)
            break;
        scale = std::max(0.5, scale - 0.02);
        f = scaledFont(base, scale);
    }
    return f;
}

// Unfrozen cells first, clipped to the right of the frozen columns; frozen ones on top.
template <typename PaintOne>
void inTwoLayers(QPainter& p, const SlipGridGeometry& g, const QRect& band, PaintOne paintOne) {
    p.save();
    p.setClipRect(QRect(g.frozenWidth(), band.top(), band.width(), band.height()));
    paintOne(false);
    p.restore();
    p.save();
    p.setClipRect(band);
    paintOne(true);
    p.restore();
}

} // namespace

void paintSlipGrid(QPainter& p, const SlipGridModel& m, const SlipGridGeometry& g,
                   const SlipGridStyle& s, const SlipPaintState& st) {
    const int width = st.view.viewport.width();
    p.fillRect(st.dirty.isNull() ? QRect(QPoint(0, 0), st.view.viewport) : st.dirty, s.background);

    const int rowsTop = g.headingHeight();
    const int totalsTop = g.totalsTop(st.view);
    const QRect rowsBand(0, rowsTop, width, totalsTop - rowsTop);
    const int lastRow =
        std::min(m.rowCount(), st.view.topRow + rowsBand.height() / g.rowHeight() + 1);
    inTwoLayers(p, g, rowsBand, [&](bool frozen) {
        for (int row = st.view.topRow; row < lastRow; ++row) {
            for (int c = 0; c < m.columnCount(); ++c) {
                if (g.isFrozen(c) == frozen)
                    paintRowCell(p, m, g, s, st, row, c);
            }
        }
    });

    auto paintArea = [&](bool heading, const QRect& band) {
        inTwoLayers(p, g, band, [&](bool frozen) {
            for (int i = 0; i < m.areaCellCount(); ++i) {
                if (m.isHeadingCell(i) == heading && g.isFrozen(m.areaCell(i).column) == frozen)
                    paintAreaCell(p, m, g, s, st, i);
            }
        });
    };
    p.save();
    p.setFont(headingFont(p, m, g, s, st.view));
    paintArea(true, QRect(0, 0, width, g.headingHeight()));
    p.restore();
    paintArea(false, QRect(0, totalsTop, width, g.totalsHeight()));

    // A firmer line closes the frozen columns and the grid's outer edge.
    p.setPen(s.areaLine);
    const int bottom = totalsTop + g.totalsHeight() - 1;
    if (g.frozenWidth() > 0)
        p.drawLine(g.frozenWidth() - 1, 0, g.frozenWidth() - 1, bottom);
    const int right = std::min(width, g.contentWidth() - st.view.hOffset) - 1;
    p.drawRect(QRect(0, 0, right, bottom));
}

} // namespace plat::widgets
