// Where things are in the drop-down list window, computed from the row heights and column
// widths of the grid, the client size and the two scroll positions: the header height, the
// scroll maxima, the top row and left column, the visible range, cell rectangles and the cell
// under a point. A geometry is made for one request; when every item row has the same height
// (`uniformRowHeight`, 0 when not known) row positions are computed, not summed, so a list
// scrolled to its end costs what one scrolled to its top does.
#pragma once

#include "control/list/ListGrid.h"
#include "control/list/window/ListWindowPort.h"

#include <cstdint>

namespace vantil {

struct CellHit {
    std::int32_t row = -1;    // 0 the header, -1 below the last row
    std::int32_t column = -1; // beyond the last column: the last column
    bool insideColumns = false;
    friend bool operator==(const CellHit&, const CellHit&) = default;
};

class ListGeometry {
public:
    ListGeometry(const ListGrid& grid, Size client, int verticalPosition, int horizontalPosition,
                 int uniformRowHeight = 0);

    const ListGrid& grid() const { return grid_; }
    Size client() const { return client_; }
    int headerHeight() const { return header_; }
    // Sum of all row heights (header included) and of all column widths.
    int totalHeight() const;
    int totalWidth() const;

    // The scroll bars' maxima and pages: the range of a bar is 0..maximum, and a position
    // never goes past maximum - page + 1 (the last page shows the end of the list).
    int maximum(ScrollAxis axis) const;
    int page(ScrollAxis axis) const;
    int positionLimit(ScrollAxis axis) const;

    std::int32_t topRow() const { return top_; }
    std::int32_t leftColumn() const { return left_; }
    // The last row and column that are at least partly visible; 0 / -1 when there are none.
    std::int32_t bottomRow() const;
    std::int32_t rightColumn() const;

    // Client coordinates of a row at or below the top row (row 0: the header strip) and of a
    // column; a column left of the left column has a negative edge.
    int rowTop(std::int32_t row) const;
    int columnLeft(std::int32_t column) const;
    // Right edge of the last column in client coordinates.
    int columnsRight() const { return columnLeft(grid_.columnCount()); }
    Rect cellRect(std::int32_t row, std::int32_t column) const;
    // The whole row across the client area.
    Rect rowRect(std::int32_t row) const;
    // The item area: the client area below the header.
    Rect itemArea() const { return Rect{0, header_, client_.width, client_.height}; }

    CellHit cellAt(Point p) const;

    // Scroll position of the top of item row `row` (sum of the heights of rows 1..row-1), and
    // of the left edge of column `column`.
    int rowPosition(std::int32_t row) const;
    int columnPosition(std::int32_t column) const;

private:
    const ListGrid& grid_;
    Size client_;
    int header_ = 0;
    std::int32_t top_ = 1;
    std::int32_t left_ = 0;
    int uniform_ = 0;
};

// The height every item row has, 0 when the heights differ or there are no items.
int uniformRowHeight(const ListGrid& grid);

// Calls f(row, height) for item rows from `from` on until f returns false.
template <class F> void forEachRowHeight(const ListGrid& grid, std::int32_t from, F&& f) {
    // The row store walks its chunks in order without locating each row afresh; the walk
    // only reads.
    auto& items = const_cast<ListGrid&>(grid).items();
    items.forEachFrom(from < 1 ? 0 : from - 1, [&](std::int32_t index, const ListRow& row) {
        return f(index + 1, static_cast<int>(row.height));
    });
}

} // namespace vantil
