// The list window as the drop-down logic sees it: shown and placed by the control, the
// highlighted row, the typed-text match and the row text a commit takes.
#include "control/core/CVantilCtrl.h"
#include "control/list/ListModel.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/QtConvert.h"

namespace vantil {

using namespace qtconv;

void CDxListCtrl::showAt(const Rect& screen) {
    moveTo(screen);
    show(); // an unmanaged window: shown above every other window
}

void CDxListCtrl::moveTo(const Rect& screen) {
    setGeometry(toQt(screen));
}

int CDxListCtrl::headerHeight() const {
    return logic_->geometry().headerHeight();
}

std::int32_t CDxListCtrl::itemCount() const {
    return logic_->geometry().grid().itemCount();
}

std::int32_t CDxListCtrl::columnCount() const {
    return logic_->geometry().grid().columnCount();
}

std::int32_t CDxListCtrl::highlighted() const {
    const ListGrid& grid = logic_->geometry().grid();
    return grid.isItemRow(grid.currentRow()) ? grid.currentRow() - 1 : -1;
}

void CDxListCtrl::setHighlighted(std::int32_t index) {
    const std::int32_t row = index < 0 ? -1 : index + 1;
    if (logic_->setCurrentRow(row) && row > 0 && isVisible()) {
        logic_->scrollIntoView(row);
    }
}

std::int32_t CDxListCtrl::matchText(std::string_view cp932) {
    if (model_ == nullptr) {
        return -1;
    }
    // The match only moves the highlight; the committed row stays until a commit.
    ControlProperties& p = control_.properties();
    const std::int32_t committed = p.listIndex;
    model_->matchTypedText(cp932);
    p.listIndex = committed;
    const std::int32_t found = highlighted();
    if (found >= 0 && isVisible()) {
        logic_->scrollIntoView(found + 1);
    }
    viewport()->update();
    return found;
}

void CDxListCtrl::moveHighlight(HighlightMove move) {
    switch (move) {
    case HighlightMove::Up:
        logic_->keyDown(ListKey::Up, false);
        break;
    case HighlightMove::Down:
        logic_->keyDown(ListKey::Down, false);
        break;
    case HighlightMove::PageUp:
        logic_->keyDown(ListKey::PageUp, false);
        break;
    case HighlightMove::PageDown:
        logic_->keyDown(ListKey::PageDown, false);
        break;
    }
}

std::string CDxListCtrl::itemText(std::int32_t index) const {
    const ListGrid& grid = logic_->geometry().grid();
    if (index < 0 || index >= grid.itemCount() || grid.item(index).cells.empty()) {
        return {};
    }
    return std::string(grid.item(index).cells[0].text.view());
}

void CDxListCtrl::releaseCapture() {
    capturePointer(false);
    stopAutoScroll();
}

void CDxListCtrl::trackHandedPointer(QPoint global, bool released) {
    const Point at = clientPoint(viewport()->mapFromGlobal(global));
    if (released) {
        releasedInside_ = rect().contains(mapFromGlobal(global));
        logic_->leftUp(at, releasedInside_);
    } else {
        logic_->mouseMove(at, true);
    }
}

} // namespace vantil
