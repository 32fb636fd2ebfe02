// Options, scrolling, the current row and the pointer of the drop-down list window (keys,
// the title tip and the view members are in ListWindowKeys.cpp).
#include "control/list/window/ListWindow.h"

#include "control/list/ListItems.h"

#include <algorithm>
#include <cstdlib>

namespace vantil {

namespace {

constexpr int kWheelNotch = 120;

} // namespace

ListOptions listOptionsFrom(const ControlProperties& p) {
    ListOptions o;
    // ScrollBars 4 has no constant and is read as none: no bar.
    using enum ScrollBarsConstants;
    o.horizontalBar = p.scrollBars == lxsb_水平 || p.scrollBars == lxsb_両方;
    o.verticalBar = p.scrollBars == lxsb_垂直 || p.scrollBars == lxsb_両方;
    o.allowResizeColumn = p.allowResizeColumn;
    o.titleTip = p.titleTip;
    o.locked = p.locked;
    o.displayItem = p.displayItem;
    o.font = FontRequest{p.font, 0};
    return o;
}

ListWindow::ListWindow(ListGrid& grid, ListWindowPort& port, const ListSettings& settings)
    : grid_(grid), port_(port), settings_(settings) {
    readSettings();
}

void ListWindow::applyOptions(const ListOptions& options) {
    const bool fontChanged = !(options.font == options_.font) || grid_.font() == nullptr;
    const bool barsChanged = options.horizontalBar != options_.horizontalBar ||
                             options.verticalBar != options_.verticalBar;
    options_ = options;
    if (fontChanged) {
        grid_.setFont(std::make_shared<const CellFont>(options.font.desc));
    }
    if (!options_.horizontalBar) {
        horizontal_ = 0;
    }
    if (barsChanged || rangesStale_) {
        updateRanges();
    }
    const Size c = port_.clientSize();
    port_.invalidate(Rect{0, 0, c.width, c.height});
}

void ListWindow::readSettings() {
    wheelLines_ = settings_.wheelScrollLines().value_or(kDefaultWheelLines);
}

ListGeometry ListWindow::geometry() const {
    // The common height is known from the last range update while the grid has not changed.
    return ListGeometry(grid_, port_.clientSize(), vertical_, horizontal_,
                        rangesStale_ ? 0 : uniformHeight_);
}

// ---- Scrolling ------------------------------------------------------------------------------

void ListWindow::rangesChanged() {
    rangesStale_ = true;
    if (!rangesPending_) {
        rangesPending_ = true;
        port_.scheduleRangeUpdate();
    }
}

void ListWindow::updateRanges() {
    rangesPending_ = false;
    uniformHeight_ = uniformRowHeight(grid_);
    rangesStale_ = false;
    const ListGeometry g = geometry();
    const int total[2] = {g.totalWidth(), g.totalHeight() - g.headerHeight()};
    bool moved = false;
    for (const ScrollAxis axis : {ScrollAxis::Vertical, ScrollAxis::Horizontal}) {
        const int i = index(axis);
        page_[i] = g.page(axis);
        maximum_[i] = page_[i] < total[i] ? total[i] - 1 : 0;
        limit_[i] = maximum_[i] == 0 ? 0 : std::max(0, maximum_[i] - page_[i] + 1);
        int& pos = axis == ScrollAxis::Vertical ? vertical_ : horizontal_;
        const int clamped = std::clamp(pos, 0, limit_[i]);
        moved = moved || clamped != pos;
        pos = clamped;
        showBar(axis);
    }
    if (moved) {
        const Size c = port_.clientSize();
        port_.invalidate(Rect{0, 0, c.width, c.height});
    }
}

void ListWindow::showBar(ScrollAxis axis) {
    const int i = index(axis);
    port_.setScrollBar(axis,
                       ScrollBarState{barExists(axis), maximum_[i], page_[i], position(axis)});
}

void ListWindow::setPosition(ScrollAxis axis, int position) {
    int& pos = axis == ScrollAxis::Vertical ? vertical_ : horizontal_;
    pos = std::clamp(position, 0, limit_[index(axis)]);
    showBar(axis);
}

void ListWindow::scroll(ScrollAxis axis, ScrollRequest request, int thumb) {
    // Without a horizontal bar the list does not scroll sideways; the vertical position is
    // kept by the list itself when its bar is off, so keys and the wheel still scroll.
    if (axis == ScrollAxis::Horizontal && !options_.horizontalBar) {
        return;
    }
    const ListGeometry g = geometry();
    const Size c = g.client();
    const bool vertical = axis == ScrollAxis::Vertical;
    const Rect area = vertical ? g.itemArea() : Rect{0, 0, c.width, c.height};
    const int pos = position(axis);
    switch (request) {
    case ScrollRequest::LineUp:
        lineScroll(axis, false, false);
        return;
    case ScrollRequest::LineDown:
        lineScroll(axis, true, false);
        return;
    case ScrollRequest::PageUp:
        setPosition(axis, pos - g.page(axis));
        break;
    case ScrollRequest::PageDown:
        setPosition(axis, pos + g.page(axis));
        break;
    case ScrollRequest::Top:
        setPosition(axis, 0);
        port_.invalidate(Rect{0, 0, c.width, c.height});
        return;
    case ScrollRequest::Bottom:
        setPosition(axis, maximum(axis));
        port_.invalidate(Rect{0, 0, c.width, c.height});
        return;
    case ScrollRequest::Thumb:
        setPosition(axis, thumb);
        break;
    case ScrollRequest::EndScroll:
        return;
    }
    if (position(axis) != pos) {
        port_.invalidate(area);
    }
}

void ListWindow::lineScroll(ScrollAxis axis, bool forward, bool quiet) {
    const ListGeometry g = geometry();
    const bool vertical = axis == ScrollAxis::Vertical;
    const int pos = position(axis);
    const std::int32_t first = vertical ? g.topRow() : g.leftColumn();
    const std::int32_t lowest = vertical ? 1 : 0;
    const auto extent = [&](std::int32_t i) {
        return vertical ? grid_.rowHeight(i) : grid_.columnWidth(i);
    };
    int next = pos;
    if (forward) {
        if (pos >= positionLimit(axis)) {
            return;
        }
        next = pos + extent(first);
    } else {
        if (pos <= 0 || first <= lowest) {
            return;
        }
        next = std::max(0, pos - extent(first - 1));
    }
    setPosition(axis, next);
    if (position(axis) == pos || quiet) {
        return;
    }
    // The view moves by the distance between the old and the new first row's tops.
    const ListGeometry after = geometry();
    const int shift = vertical ? g.rowPosition(first) - after.rowPosition(after.topRow())
                               : g.columnPosition(first) - after.columnPosition(after.leftColumn());
    const Size c = g.client();
    if (vertical) {
        // Right of the columns (and their one extra pixel) the list is the same colour at
        // every position: only the columns' pixels move.
        Rect area = g.itemArea();
        area.right = std::min(area.right, g.columnsRight() + 1);
        if (!area.empty()) {
            port_.scrollPixels(0, shift, area);
        }
    } else {
        port_.scrollPixels(shift, 0, Rect{0, 0, c.width, c.height});
    }
}

void ListWindow::wheel(int delta) {
    if (wheelLines_ == -1) {
        for (int i = std::abs(delta / kWheelNotch); i > 0; --i) {
            scroll(ScrollAxis::Vertical,
                   delta > 0 ? ScrollRequest::PageUp : ScrollRequest::PageDown);
        }
        return;
    }
    const int lines = wheelLines_ * delta / kWheelNotch;
    for (int i = std::abs(lines); i > 0; --i) {
        scroll(ScrollAxis::Vertical, lines > 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown);
    }
}

// ---- Current row ----------------------------------------------------------------------------

bool ListWindow::setCurrentRow(std::int32_t r) {
    const std::int32_t old = grid_.currentRow();
    if (r >= 0 && !grid_.setCurrentRow(r)) {
        return false;
    }
    if (r < 0) {
        grid_.setCurrentRow(-1);
    }
    if (old != grid_.currentRow()) {
        const ListGeometry g = geometry();
        for (const std::int32_t row : {old, grid_.currentRow()}) {
            if (row >= g.topRow() && row <= g.bottomRow()) {
                port_.invalidate(g.rowRect(row));
            }
        }
    }
    return true;
}

void ListWindow::scrollIntoView(std::int32_t row) {
    if (!grid_.isItemRow(row)) {
        return;
    }
    for (;;) {
        const ListGeometry g = geometry();
        const int before = vertical_;
        if (row < g.topRow()) {
            lineScroll(ScrollAxis::Vertical, false, true);
        } else if (row > g.topRow() && g.rowTop(row) + grid_.rowHeight(row) > g.client().height) {
            lineScroll(ScrollAxis::Vertical, true, true);
        }
        if (vertical_ == before) {
            break;
        }
    }
    const Size c = port_.clientSize();
    port_.invalidate(Rect{0, 0, c.width, c.height});
}

// ---- Pointer --------------------------------------------------------------------------------

bool ListWindow::forward(ListMouse message, Point at) {
    return listener_ == nullptr || listener_->listMouse(message, port_.mapToControl(at));
}

std::optional<ListWindow::Divider> ListWindow::dividerAt(Point at) const {
    const ListGeometry g = geometry();
    if (grid_.columnCount() == 0 || at.y < 0 || at.y >= g.headerHeight()) {
        return std::nullopt;
    }
    const CellHit hit = g.cellAt(at);
    const int left = g.columnLeft(hit.column);
    const int right = left + grid_.columnWidth(hit.column);
    if (at.x >= right) {
        return at.x - right < kResizeHotZone ? std::optional<Divider>({hit.column, left})
                                             : std::nullopt;
    }
    if (hit.column > 0 && at.x - left < kResizeHotZone) {
        return Divider{hit.column - 1, g.columnLeft(hit.column - 1)};
    }
    if (right - at.x <= kResizeHotZone) {
        return Divider{hit.column, left};
    }
    return std::nullopt;
}

CursorShape ListWindow::cursorAt(Point at) const {
    if (mode_ == MouseMode::ResizingColumn ||
        (options_.allowResizeColumn && dividerAt(at).has_value())) {
        return CursorShape::SizeWE;
    }
    return CursorShape::Arrow;
}

Rect ListWindow::trackingLineRect(int x) const {
    return Rect{x, 0, x + kTrackingLineWidth, port_.clientSize().height};
}

void ListWindow::moveTrackingLine(std::optional<int> x) {
    if (trackX_ == x) {
        return;
    }
    if (trackX_) {
        port_.invalidate(trackingLineRect(*trackX_));
    }
    trackX_ = x;
    if (trackX_) {
        port_.invalidate(trackingLineRect(*trackX_));
    }
}

void ListWindow::hover(Point at) {
    const CellHit hit = geometry().cellAt(at);
    if (hit.row >= 1) {
        // A row that may not become current leaves the highlight where it is.
        setCurrentRow(hit.row);
    }
}

void ListWindow::mouseMove(Point at, bool leftHeld) {
    if (!forward(ListMouse::Move, at)) {
        return;
    }
    if (options_.locked) {
        return;
    }
    if (mode_ == MouseMode::ResizingColumn && resizing_) {
        const int x = std::clamp(at.x, std::max(0, resizing_->columnLeft),
                                 std::max(0, port_.clientSize().width - 1));
        resizeMoved_ = resizeMoved_ || x != downPoint_.x;
        moveTrackingLine(x);
        return;
    }
    const ListGeometry g = geometry();
    const Size c = g.client();
    if (leftHeld) {
        // Outside the client area the auto-scroll timer does the work.
        if (at.y >= g.headerHeight() && at.y < c.height && at.x >= 0 && at.x < c.width) {
            hover(at);
            mode_ = MouseMode::SelectingRows;
        }
        return;
    }
    if (at.y < g.headerHeight()) {
        if (options_.allowResizeColumn && dividerAt(at)) {
            mode_ = MouseMode::OverColumnDivider;
            port_.setCursor(CursorShape::SizeWE);
        } else {
            if (mode_ == MouseMode::OverColumnDivider) {
                port_.setCursor(CursorShape::Arrow);
            }
            mode_ = MouseMode::None;
        }
    } else {
        if (mode_ == MouseMode::OverColumnDivider) {
            port_.setCursor(CursorShape::Arrow);
        }
        hover(at);
        mode_ = MouseMode::SelectingRows;
    }
    if (!port_.tipVisible() && port_.anyWindowFocused()) {
        if (const std::optional<TipRequest> tip = tipFor(at)) {
            port_.showTip(*tip);
        }
    }
}

void ListWindow::leftDown(Point at) {
    if (!forward(ListMouse::LeftDown, at)) {
        return;
    }
    if (options_.locked) {
        return;
    }
    const ListGeometry g = geometry();
    downCell_ = g.cellAt(at);
    downPoint_ = at;
    leftHeld_ = true;
    port_.capturePointer(true);
    if (options_.allowResizeColumn) {
        if (const std::optional<Divider> d = dividerAt(at)) {
            mode_ = MouseMode::ResizingColumn;
            resizing_ = d;
            resizeMoved_ = false;
            const Size c = g.client();
            port_.confinePointer(Rect{std::max(0, d->columnLeft), 0, c.width, c.height});
            moveTrackingLine(
                std::clamp(at.x, std::max(0, d->columnLeft), std::max(0, c.width - 1)));
            return;
        }
    }
    if (downCell_.row >= 1 && setCurrentRow(downCell_.row)) {
        mode_ = MouseMode::SelectingRows;
        port_.startAutoScroll(kAutoScrollMs);
    }
}

void ListWindow::endPointer() {
    leftHeld_ = false;
    port_.capturePointer(false);
    port_.stopAutoScroll();
}

void ListWindow::leftUp(Point at, bool insideWindow) {
    if (!forward(ListMouse::LeftUp, at)) {
        return;
    }
    if (options_.locked) {
        return;
    }
    endPointer();
    if (mode_ == MouseMode::ResizingColumn && resizing_) {
        const Divider d = *resizing_;
        const std::optional<int> x = trackX_;
        moveTrackingLine(std::nullopt);
        port_.confinePointer(std::nullopt);
        resizing_.reset();
        mode_ = MouseMode::None;
        if (resizeMoved_ && x) {
            grid_.setColumnWidth(d.column, *x - d.columnLeft);
            updateRanges();
            const Size c = port_.clientSize();
            port_.invalidate(Rect{0, 0, c.width, c.height});
            if (listener_) {
                listener_->listHeaderChanged();
            }
        }
        return;
    }
    if (!insideWindow) {
        mode_ = MouseMode::None;
        if (listener_) {
            (void)listener_->listPicked(); // the last step
        }
        return;
    }
    const ListGeometry g = geometry();
    const CellHit hit = g.cellAt(at);
    if (hit.row == 0 && downCell_.row == 0 && hit.insideColumns && hit.column == downCell_.column) {
        if (listener_) {
            (void)listener_->listColumnClicked(hit.column); // the last step
        }
        return;
    }
    if (hit.row >= 1 && hit.insideColumns && at.y < g.client().height) {
        // An item that may not become current is still a pick: the list closes and the
        // current item stays.
        setCurrentRow(hit.row);
        mode_ = MouseMode::None;
        port_.setCursor(CursorShape::Arrow);
        if (listener_) {
            (void)listener_->listPicked(); // the last step
        }
    }
}

void ListWindow::leftDoubleClick(Point at) {
    if (!forward(ListMouse::LeftDouble, at)) {
        return;
    }
    if (options_.locked || !options_.allowResizeColumn) {
        return;
    }
    if (const std::optional<Divider> d = dividerAt(at)) {
        fitColumn(d->column);
    }
}

void ListWindow::fitColumn(std::int32_t column) {
    if (grid_.itemCount() == 0) {
        return;
    }
    int widest = 0;
    for (std::int32_t row = 1; row < grid_.rowCount(); ++row) {
        const ListRow& r = grid_.row(row);
        const CListCell* cell = grid_.cell(row, column);
        if (cell == nullptr) {
            continue;
        }
        // The text is measured in the font of the row's column-0 cell.
        const std::shared_ptr<const CellFont>& own = r.cells.front().font();
        const FontRequest font{own ? *own : options_.font.desc, 0};
        int width = port_.textWidth(font, cell->text) + 2 * port_.textWidth(font, " ");
        if (options_.displayItem != DisplayItemConstants::lxdil_テキスト && cell->picture()) {
            width += r.height;
        }
        widest = std::max(widest, width);
    }
    grid_.setColumnWidth(column, widest);
    updateRanges();
    const Size c = port_.clientSize();
    port_.invalidate(Rect{0, 0, c.width, c.height});
    if (listener_) {
        listener_->listHeaderChanged();
    }
}

void ListWindow::otherButton(ListMouse message, Point at) {
    (void)forward(message, at); // the last step
}

void ListWindow::autoScrollTick(Point at) {
    if (!leftHeld_ || mode_ == MouseMode::ResizingColumn) {
        return;
    }
    const Size c = port_.clientSize();
    const int header = std::max(0, grid_.rowHeight(0));
    if (at.y >= c.height) {
        lineScroll(ScrollAxis::Vertical, true, false);
        setCurrentRow(geometry().bottomRow());
    } else if (at.y < header) {
        lineScroll(ScrollAxis::Vertical, false, false);
        setCurrentRow(geometry().topRow());
    }
    if (options_.horizontalBar) {
        if (at.x >= c.width) {
            lineScroll(ScrollAxis::Horizontal, true, false);
        } else if (at.x < 0) {
            lineScroll(ScrollAxis::Horizontal, false, false);
        }
    }
}

void ListWindow::hidden() {
    port_.stopAutoScroll();
    port_.hideTip();
    if (leftHeld_) {
        endPointer();
    }
    if (resizing_) {
        port_.confinePointer(std::nullopt);
        resizing_.reset();
    }
    trackX_.reset();
    mode_ = MouseMode::None;
}

} // namespace vantil
