// Where every part of a slip grid lies on the widget: the heading area on top, the rows below
// it (scrolled by whole rows), the totals area right under the last shown row, and the row
// columns scrolled sideways except the frozen leading ones.
#pragma once

#include "platform/widgets/slipgrid/SlipGridLayout.h"
#include "platform/widgets/slipgrid/SlipGridModel.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

namespace plat::widgets {

// The scroll position and size of the visible part.
struct SlipView {
    int hOffset = 0; // pixels the unfrozen columns are scrolled to the left
    int topRow = 0;  // first row shown
    QSize viewport;
    int rowCount = 0;
};

class SlipGridGeometry {
public:
    explicit SlipGridGeometry(const SlipGridLayout& layout);

    int contentWidth() const { return contentWidth_; }
    int frozenWidth() const { return frozenWidth_; }
    int headingHeight() const { return headingHeight_; }
    int totalsHeight() const { return totalsHeight_; }
    int rowHeight() const { return rowHeight_; }
    int columnLeft(int column) const { return left_.at(static_cast<size_t>(column)); }
    int columnWidth(int column) const { return width_.at(static_cast<size_t>(column)); }
    bool isFrozen(int column) const { return column < frozenColumns_; }

    // The size that shows every column and the given number of rows without scrolling.
    QSize fullSize(int rowCount) const;
    // Rows that fit wholly between the heading and the totals.
    int rowsThatFit(int viewportHeight) const;
    int maxTopRow(const SlipView& v) const;
    int maxHOffset(int viewportWidth) const;

    int columnX(int column, const SlipView& v) const;
    QRect rowCellRect(int row, int column, const SlipView& v) const;
    // Top edge of the totals area: under the last shown row, or at the bottom when rows
    // overflow.
    int totalsTop(const SlipView& v) const;
    QRect areaCellRect(const SlipAreaCell& cell, bool heading, const SlipView& v) const;

    std::optional<SlipCell> rowCellAt(QPoint p, const SlipView& v) const;

    // The scroll position after bringing a cell into view, changing as little as possible.
    SlipView revealed(SlipCell cell, const SlipView& v) const;

private:
    std::vector<int> left_;
    std::vector<int> width_;
    std::vector<int> headingLineTop_;
    std::vector<int> totalsLineTop_;
    int contentWidth_ = 0;
    int frozenWidth_ = 0;
    int frozenColumns_ = 0;
    int headingHeight_ = 0;
    int totalsHeight_ = 0;
    int rowHeight_ = 1;
};

} // namespace plat::widgets
