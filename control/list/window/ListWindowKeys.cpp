// Keys, the title-tip decision and the members that read the view of the drop-down list
// window.
#include "control/list/window/ListWindow.h"

#include "control/list/ListItems.h"

#include <algorithm>
#include <cstdlib>

namespace vantil {

using plat::automation::Dispatch;
using plat::automation::Variant;

namespace {

constexpr int kTwipsPerInch = 1440;

Variant nothing() {
    return Variant(std::shared_ptr<Dispatch>());
}

} // namespace

// ---- Keyboard -------------------------------------------------------------------------------

std::int32_t ListWindow::firstSelectable(std::int32_t from, int step) const {
    for (std::int32_t r = from; grid_.isItemRow(r); r += step) {
        if (grid_.isSelectable(r)) {
            return r;
        }
    }
    return -1;
}

bool ListWindow::moveTo(std::int32_t row) {
    if (!grid_.isItemRow(row) || !setCurrentRow(row)) {
        return false;
    }
    scrollIntoView(row);
    return true;
}

bool ListWindow::keyLocked(ListKey key) {
    switch (key) {
    case ListKey::Up:
        scroll(ScrollAxis::Vertical, ScrollRequest::LineUp);
        return true;
    case ListKey::Down:
        scroll(ScrollAxis::Vertical, ScrollRequest::LineDown);
        return true;
    case ListKey::PageUp:
        scroll(ScrollAxis::Vertical, ScrollRequest::PageUp);
        return true;
    case ListKey::PageDown:
        scroll(ScrollAxis::Vertical, ScrollRequest::PageDown);
        return true;
    case ListKey::Home:
        scroll(ScrollAxis::Vertical, ScrollRequest::Top);
        return true;
    case ListKey::End:
        scroll(ScrollAxis::Vertical, ScrollRequest::Bottom);
        return true;
    default:
        return false;
    }
}

void ListWindow::pageKey(bool down) {
    const std::int32_t current = grid_.currentRow();
    const ListGeometry g = geometry();
    const std::int32_t top = g.topRow();
    const std::int32_t edge = down ? g.bottomRow() : top;
    if (down ? current < edge : current > edge) {
        moveTo(edge);
        return;
    }
    scroll(ScrollAxis::Vertical, down ? ScrollRequest::PageDown : ScrollRequest::PageUp);
    const std::int32_t moved = std::abs(geometry().topRow() - top);
    const std::int32_t last = grid_.rowCount() - 1;
    if (moved == 0) {
        moveTo(down ? last : 1);
    } else {
        moveTo(down ? std::min(last, current + moved) : std::max(1, current - moved));
    }
}

bool ListWindow::keyDown(ListKey key, bool alt) {
    if (options_.locked) {
        return keyLocked(key);
    }
    const bool vertical = key == ListKey::Up || key == ListKey::Down || key == ListKey::PageUp ||
                          key == ListKey::PageDown;
    if (vertical && !grid_.isItemRow(grid_.currentRow())) {
        if (const std::int32_t first = firstSelectable(1, 1); first > 0) {
            moveTo(first);
        }
        return true;
    }
    const std::int32_t current = grid_.currentRow();
    switch (key) {
    case ListKey::Up:
        if (const std::int32_t r = firstSelectable(current - 1, -1); r > 0) {
            moveTo(r);
        }
        return true;
    case ListKey::Down:
        if (const std::int32_t r = firstSelectable(current + 1, 1); r > 0) {
            moveTo(r);
        }
        return true;
    case ListKey::PageUp:
        pageKey(false);
        return true;
    case ListKey::PageDown:
        pageKey(true);
        return true;
    case ListKey::Home:
        scroll(ScrollAxis::Vertical, ScrollRequest::Top);
        moveTo(1);
        return true;
    case ListKey::End:
        scroll(ScrollAxis::Vertical, ScrollRequest::Bottom);
        moveTo(grid_.rowCount() - 1);
        return true;
    case ListKey::Left:
    case ListKey::Right:
        if (alt) {
            scroll(ScrollAxis::Horizontal,
                   key == ListKey::Left ? ScrollRequest::LineUp : ScrollRequest::LineDown);
        }
        return alt;
    }
    return false;
}

// ---- Title tip ------------------------------------------------------------------------------

std::optional<TipRequest> ListWindow::tipFor(Point at) {
    if (!options_.titleTip || leftHeld_) {
        return std::nullopt;
    }
    const ListGeometry g = geometry();
    const CellHit hit = g.cellAt(at);
    const CListCell* cell = grid_.cell(hit.row, hit.column);
    if (cell == nullptr || !hit.insideColumns || (cell->format & kFormatSingleLine) == 0) {
        return std::nullopt;
    }
    const Rect r = g.cellRect(hit.row, hit.column);
    const Size c = g.client();
    if (r.intersected(Rect{0, 0, c.width, c.height}).empty() || !r.contains(at)) {
        return std::nullopt;
    }
    std::string padded = " " + std::string(cell->text.view()) + " ";
    const int width = port_.textWidth(options_.font, padded);
    if (width <= r.width()) {
        return std::nullopt;
    }
    return TipRequest{r, std::move(padded), width};
}

// ---- Members that read the view -------------------------------------------------------------

Variant ListWindow::itemObject(std::int32_t row) {
    if (!items_ || !grid_.isItemRow(row)) {
        return nothing();
    }
    return Variant(std::shared_ptr<Dispatch>(items_->itemAt(row - 1)));
}

std::int16_t ListWindow::visibleCount() const {
    return static_cast<std::int16_t>(geometry().bottomRow());
}

Variant ListWindow::firstVisible() {
    return itemObject(geometry().topRow());
}

Variant ListWindow::hitTest(std::int32_t xTwips, std::int32_t yTwips) {
    // Both coordinates use the host window's vertical resolution.
    const std::int64_t ppi = port_.hostPixelsPerInch();
    const Point p = port_.mapFromControl(Point{static_cast<int>(xTwips * ppi / kTwipsPerInch),
                                               static_cast<int>(yTwips * ppi / kTwipsPerInch)});
    const ListGeometry g = geometry();
    const Size c = g.client();
    if (p.x < 0 || p.y < 0 || p.x >= c.width || p.y >= c.height) {
        return nothing();
    }
    const CellHit hit = g.cellAt(p);
    return hit.insideColumns ? itemObject(hit.row) : nothing();
}

} // namespace vantil
