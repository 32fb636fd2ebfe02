// Geometry of the list window from the grid's row-height and column-width arrays.
#include "control/list/window/ListGeometry.h"

#include <algorithm>

namespace vantil {

ListGeometry::ListGeometry(const ListGrid& grid, Size client, int verticalPosition,
                           int horizontalPosition, int uniformRowHeight)
    : grid_(grid), client_(client), header_(std::max(0, grid.rowHeight(0))),
      uniform_(grid.itemCount() > 0 ? std::max(0, uniformRowHeight) : 0) {
    // The top row is the first row whose top is not above the position (the last row at most).
    const std::int32_t last = grid.rowCount() - 1;
    int sum = 0;
    top_ = 1;
    if (uniform_ > 0) {
        const int above = verticalPosition <= 0 ? 0 : (verticalPosition + uniform_ - 1) / uniform_;
        top_ = std::min(1 + above, last);
    } else {
        forEachRowHeight(grid, 1, [&](std::int32_t row, int height) {
            if (sum >= verticalPosition || row >= last) {
                top_ = row;
                return false;
            }
            sum += height;
            top_ = row + 1;
            return true;
        });
    }
    const std::int32_t lastColumn = grid.columnCount() - 1;
    sum = 0;
    left_ = 0;
    while (left_ < lastColumn && sum < horizontalPosition) {
        sum += grid.columnWidth(left_);
        ++left_;
    }
}

int uniformRowHeight(const ListGrid& grid) {
    int uniform = -1;
    forEachRowHeight(grid, 1, [&](std::int32_t, int height) {
        uniform = uniform < 0 || uniform == height ? height : 0;
        return uniform != 0;
    });
    return std::max(0, uniform);
}

int ListGeometry::totalHeight() const {
    if (uniform_ > 0) {
        return header_ + uniform_ * grid_.itemCount();
    }
    int sum = header_;
    forEachRowHeight(grid_, 1, [&](std::int32_t, int height) {
        sum += height;
        return true;
    });
    return sum;
}

int ListGeometry::totalWidth() const {
    int sum = 0;
    for (std::int32_t c = 0; c < grid_.columnCount(); ++c) {
        sum += grid_.columnWidth(c);
    }
    return sum;
}

int ListGeometry::maximum(ScrollAxis axis) const {
    const int content = axis == ScrollAxis::Vertical ? totalHeight() - header_ : totalWidth();
    return page(axis) < content ? content - 1 : 0;
}

int ListGeometry::page(ScrollAxis axis) const {
    return std::max(0, axis == ScrollAxis::Vertical ? client_.height - header_ : client_.width);
}

int ListGeometry::positionLimit(ScrollAxis axis) const {
    const int max = maximum(axis);
    return max == 0 ? 0 : std::max(0, max - page(axis) + 1);
}

std::int32_t ListGeometry::bottomRow() const {
    if (grid_.itemCount() == 0) {
        return 0;
    }
    int sum = header_;
    std::int32_t bottom = top_;
    forEachRowHeight(grid_, top_, [&](std::int32_t row, int height) {
        bottom = row;
        sum += height;
        return sum < client_.height;
    });
    return bottom;
}

std::int32_t ListGeometry::rightColumn() const {
    if (grid_.columnCount() == 0) {
        return -1;
    }
    int sum = 0;
    std::int32_t c = left_;
    for (; c < grid_.columnCount() - 1; ++c) {
        sum += grid_.columnWidth(c);
        if (sum >= client_.width) {
            break;
        }
    }
    return c;
}

int ListGeometry::rowTop(std::int32_t row) const {
    if (row <= 0) {
        return 0;
    }
    int y = header_;
    forEachRowHeight(grid_, top_, [&](std::int32_t r, int height) {
        if (r >= row || y >= client_.height) {
            return false;
        }
        y += height;
        return true;
    });
    return y;
}

int ListGeometry::columnLeft(std::int32_t column) const {
    int x = 0;
    if (column >= left_) {
        for (std::int32_t c = left_; c < column && c < grid_.columnCount(); ++c) {
            x += grid_.columnWidth(c);
        }
    } else {
        for (std::int32_t c = column; c < left_; ++c) {
            x -= grid_.columnWidth(c);
        }
    }
    return x;
}

Rect ListGeometry::cellRect(std::int32_t row, std::int32_t column) const {
    const int top = rowTop(row);
    const int left = columnLeft(column);
    return Rect{left, top, left + grid_.columnWidth(column), top + grid_.rowHeight(row)};
}

Rect ListGeometry::rowRect(std::int32_t row) const {
    const int top = rowTop(row);
    return Rect{0, top, client_.width, top + grid_.rowHeight(row)};
}

CellHit ListGeometry::cellAt(Point p) const {
    CellHit hit;
    const std::int32_t columns = grid_.columnCount();
    if (columns > 0) {
        int x = 0;
        hit.column = left_;
        while (hit.column < columns - 1 && x + grid_.columnWidth(hit.column) <= p.x) {
            x += grid_.columnWidth(hit.column);
            ++hit.column;
        }
        hit.insideColumns = p.x >= 0 && p.x < x + grid_.columnWidth(hit.column);
    }
    if (p.y < header_) {
        hit.row = 0;
        return hit;
    }
    int y = header_;
    hit.row = -1;
    forEachRowHeight(grid_, top_, [&](std::int32_t row, int height) {
        if (p.y < y + height) {
            hit.row = row;
            return false;
        }
        y += height;
        return y <= p.y;
    });
    return hit;
}

int ListGeometry::rowPosition(std::int32_t row) const {
    if (uniform_ > 0) {
        return uniform_ * (std::clamp(row, 1, grid_.itemCount() + 1) - 1);
    }
    int sum = 0;
    forEachRowHeight(grid_, 1, [&](std::int32_t r, int height) {
        if (r >= row) {
            return false;
        }
        sum += height;
        return true;
    });
    return sum;
}

int ListGeometry::columnPosition(std::int32_t column) const {
    int sum = 0;
    for (std::int32_t c = 0; c < column && c < grid_.columnCount(); ++c) {
        sum += grid_.columnWidth(c);
    }
    return sum;
}

} // namespace vantil
