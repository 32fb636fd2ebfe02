// Positions of columns, rows and heading and totals cells of the slip grid.
#include "platform/widgets/slipgrid/SlipGridGeometry.h"

#include <algorithm>

namespace plat::widgets {
namespace {

std::vector<int> lineTops(const SlipArea& area, int& total) {
    std::vector<int> tops;
    total = 0;
    for (int h : area.lineHeights) {
        tops.push_back(total);
        total += h;
    }
    tops.push_back(total);
    return tops;
}

} // namespace

SlipGridGeometry::SlipGridGeometry(const SlipGridLayout& layout)
    : frozenColumns_(layout.frozenColumns), rowHeight_(std::max(1, layout.rowHeight)) {
    int x = 0;
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        left_.push_back(x);
        width_.push_back(layout.columns[c].width);
        x += layout.columns[c].width;
        if (static_cast<int>(c) + 1 == frozenColumns_)
            frozenWidth_ = x;
    }
    contentWidth_ = x;
    headingLineTop_ = lineTops(layout.heading, headingHeight_);
    totalsLineTop_ = lineTops(layout.totals, totalsHeight_);
}

QSize SlipGridGeometry::fullSize(int rowCount) const {
    return QSize(contentWidth_, headingHeight_ + rowCount * rowHeight_ + totalsHeight_);
}

int SlipGridGeometry::rowsThatFit(int viewportHeight) const {
    return std::max(0, (viewportHeight - headingHeight_ - totalsHeight_) / rowHeight_);
}

int SlipGridGeometry::maxTopRow(const SlipView& v) const {
    return std::max(0, v.rowCount - std::max(1, rowsThatFit(v.viewport.height())));
}

int SlipGridGeometry::maxHOffset(int viewportWidth) const {
    return std::max(0, contentWidth_ - viewportWidth);
}

int SlipGridGeometry::columnX(int column, const SlipView& v) const {
    return columnLeft(column) - (isFrozen(column) ? 0 : v.hOffset);
}

QRect SlipGridGeometry::rowCellRect(int row, int column, const SlipView& v) const {
    return QRect(columnX(column, v), headingHeight_ + (row - v.topRow) * rowHeight_,
                 columnWidth(column), rowHeight_);
}

int SlipGridGeometry::totalsTop(const SlipView& v) const {
    const int shown = std::max(0, v.rowCount - v.topRow) * rowHeight_;
    const int room = std::max(0, v.viewport.height() - headingHeight_ - totalsHeight_);
    return headingHeight_ + std::min(shown, room);
}

QRect SlipGridGeometry::areaCellRect(const SlipAreaCell& cell, bool heading,
                                     const SlipView& v) const {
    const std::vector<int>& tops = heading ? headingLineTop_ : totalsLineTop_;
    const int base = heading ? 0 : totalsTop(v);
    const int last = cell.column + cell.columnSpan - 1;
    const int x = columnX(cell.column, v);
    const int right = columnX(last, v) + columnWidth(last);
    const int y = base + tops.at(static_cast<size_t>(cell.line));
    const int bottom = base + tops.at(static_cast<size_t>(cell.line + cell.lineSpan));
    return QRect(x, y, right - x, bottom - y);
}

std::optional<SlipCell> SlipGridGeometry::rowCellAt(QPoint p, const SlipView& v) const {
    if (p.y() < headingHeight_ || p.y() >= totalsTop(v) || p.x() < 0)
        return std::nullopt;
    const int row = v.topRow + (p.y() - headingHeight_) / rowHeight_;
    if (row >= v.rowCount)
        return std::nullopt;
    const int contentX = p.x() < frozenWidth_ ? p.x() : p.x() + v.hOffset;
    for (size_t c = 0; c < left_.size(); ++c) {
        const bool frozen = static_cast<int>(c) < frozenColumns_;
        if (frozen != (p.x() < frozenWidth_))
            continue;
        if (contentX >= left_[c] && contentX < left_[c] + width_[c])
            return SlipCell{row, static_cast<int>(c)};
    }
    return std::nullopt;
}

SlipView SlipGridGeometry::revealed(SlipCell cell, const SlipView& v) const {
    SlipView r = v;
    const int fit = std::max(1, rowsThatFit(v.viewport.height()));
    if (cell.row < r.topRow)
        r.topRow = cell.row;
    else if (cell.row >= r.topRow + fit)
        r.topRow = cell.row - fit + 1;
    r.topRow = std::clamp(r.topRow, 0, maxTopRow(r));
    if (!isFrozen(cell.column)) {
        const int left = columnLeft(cell.column) - frozenWidth_;
        const int right = columnLeft(cell.column) + columnWidth(cell.column);
        const int visibleRight = r.hOffset + v.viewport.width();
        if (left < r.hOffset)
            r.hOffset = left;
        else if (right > visibleRight)
            r.hOffset = std::min(left, right - v.viewport.width());
        r.hOffset = std::clamp(r.hOffset, 0, maxHOffset(v.viewport.width()));
    }
    return r;
}

} // namespace plat::widgets
