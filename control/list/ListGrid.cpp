// The list grid's storage, current cell and selection.
#include "control/list/ListGrid.h"

#include <algorithm>

namespace vantil {

namespace {
constexpr std::int32_t kInitialRowHeight = 30;
}

ListGrid::ListGrid() {
    header_.height = kInitialRowHeight;
}

ListRow& ListGrid::row(std::int32_t r) {
    return r == 0 ? header_ : items_.at(r - 1);
}
const ListRow& ListGrid::row(std::int32_t r) const {
    return r == 0 ? header_ : items_.at(r - 1);
}

CListCell* ListGrid::cell(std::int32_t r, std::int32_t column) {
    if (r < 0 || r >= rowCount() || column < 0) {
        return nullptr;
    }
    ListRow& lr = row(r);
    return static_cast<std::size_t>(column) < lr.cells.size()
               ? &lr.cells[static_cast<std::size_t>(column)]
               : nullptr;
}

const CListCell* ListGrid::cell(std::int32_t r, std::int32_t column) const {
    return const_cast<ListGrid*>(this)->cell(r, column);
}

ListRow& ListGrid::insertRow(std::int32_t r, std::int32_t height) {
    r = std::clamp(r, 1, rowCount());
    // The new row's cells take their formats from the row above. While every item's formats
    // are its columns' header formats, the header (always at hand) serves instead, so a long
    // list does not fetch a row from elsewhere in memory for each insertion.
    const ListRow& above = formatsFollowHeader_ ? header_ : row(r - 1);
    auto fresh = std::make_unique<ListRow>();
    fresh->cells.resize(widths_.size());
    for (std::size_t c = 0; c < fresh->cells.size() && c < above.cells.size(); ++c) {
        fresh->cells[c].format = above.cells[c].format;
    }
    fresh->height = height;
    ListRow& result = *fresh;
    const bool hadSelection = !selected_.empty();
    if (hadSelection) {
        clearSelection();
    }
    items_.insert(r - 1, std::move(fresh));
    if (currentRow_ >= r) {
        ++currentRow_;
        if (hadSelection) {
            reselectCurrentRow();
        }
    }
    recomputeScrollRanges();
    return result;
}

std::unique_ptr<ListRow> ListGrid::takeRow(std::int32_t r) {
    if (!isItemRow(r)) {
        return nullptr;
    }
    const bool hadSelection = !selected_.empty();
    if (hadSelection) {
        clearSelection();
    }
    std::unique_ptr<ListRow> taken = items_.erase(r - 1);
    if (items_.empty()) {
        formatsFollowHeader_ = true;
    }
    if (currentRow_ == r) {
        resetCurrentCell();
    } else if (currentRow_ > r) {
        --currentRow_;
        if (hadSelection) {
            reselectCurrentRow();
        }
    }
    recomputeScrollRanges();
    return taken;
}

bool ListGrid::removeRow(std::int32_t r) {
    return takeRow(r) != nullptr;
}

void ListGrid::insertColumn(std::int32_t column, std::int32_t width, std::uint32_t format) {
    column = std::clamp(column, 0, columnCount());
    clearSelection();
    widths_.insert(widths_.begin() + column, width);
    auto addCell = [&](ListRow& lr) {
        CListCell c;
        c.format = format;
        const auto at = std::min<std::size_t>(static_cast<std::size_t>(column), lr.cells.size());
        lr.cells.insert(lr.cells.begin() + static_cast<std::ptrdiff_t>(at), std::move(c));
    };
    addCell(header_);
    items_.forEachFrom(0, [&](std::int32_t, ListRow& lr) {
        addCell(lr);
        return true;
    });
    if (currentColumn_ >= column) {
        ++currentColumn_;
    }
    reselectCurrentRow();
    recomputeScrollRanges();
}

bool ListGrid::removeColumn(std::int32_t column) {
    if (!isColumn(column)) {
        return false;
    }
    clearSelection();
    widths_.erase(widths_.begin() + column);
    auto dropCell = [&](ListRow& lr) {
        if (static_cast<std::size_t>(column) < lr.cells.size()) {
            lr.cells.erase(lr.cells.begin() + column);
        }
    };
    dropCell(header_);
    items_.forEachFrom(0, [&](std::int32_t, ListRow& lr) {
        dropCell(lr);
        return true;
    });
    if (currentColumn_ == column) {
        resetCurrentCell();
    } else if (currentColumn_ > column) {
        --currentColumn_;
    }
    reselectCurrentRow();
    recomputeScrollRanges();
    return true;
}

std::int32_t ListGrid::columnWidth(std::int32_t column) const {
    return isColumn(column) ? widths_[static_cast<std::size_t>(column)] : -1;
}

void ListGrid::setColumnWidth(std::int32_t column, std::int32_t width) {
    if (isColumn(column)) {
        widths_[static_cast<std::size_t>(column)] = width;
        recomputeScrollRanges();
    }
}

std::int32_t ListGrid::rowHeight(std::int32_t r) const {
    return r >= 0 && r < rowCount() ? row(r).height : -1;
}

void ListGrid::setRowHeight(std::int32_t r, std::int32_t height) {
    if (r >= 0 && r < rowCount()) {
        row(r).height = height;
        recomputeScrollRanges();
    }
}

bool ListGrid::readCell(ListCellInfo& info) const {
    const CListCell* c = cell(info.row, info.column);
    if (c == nullptr) {
        return false;
    }
    const std::uint32_t m = info.mask;
    if (m & LCIF_TEXT)
        info.text = c->text;
    if (m & LCIF_PICTURE)
        info.picture = c->picture();
    if (m & LCIF_PARAM)
        info.param = c->param;
    if (m & LCIF_STATE)
        info.state = c->state;
    if (m & LCIF_BACKCOLOR)
        info.backColor = c->backColor;
    if (m & LCIF_FORECOLOR)
        info.foreColor = c->foreColor;
    if (m & LCIF_FORMAT)
        info.format = c->format;
    if (m & LCIF_FONT)
        info.font = c->font();
    if (info.column == 0) {
        info.item = row(info.row).item;
    } else {
        info.item = ItemAttributes{};
    }
    info.fontObject = c->fontObject();
    return true;
}

bool ListGrid::writeCell(const ListCellInfo& info) {
    CListCell* c = cell(info.row, info.column);
    if (c == nullptr) {
        return false;
    }
    const std::uint32_t m = info.mask;
    if (m & LCIF_TEXT)
        c->text = info.text;
    if (m & LCIF_PICTURE)
        c->setPicture(info.picture);
    if (m & LCIF_PARAM)
        c->param = info.param;
    if (m & LCIF_STATE) {
        c->state = info.state;
        if ((info.state & LCIS_SELECTED) != 0) {
            selected_.insert(selectionKey(info.row, info.column));
        } else {
            selected_.erase(selectionKey(info.row, info.column));
        }
    }
    if (m & LCIF_BACKCOLOR)
        c->backColor = info.backColor;
    if (m & LCIF_FORECOLOR)
        c->foreColor = info.foreColor;
    if ((m & LCIF_FORMAT) && c->format != info.format) {
        const CListCell* head = cell(0, info.column);
        if (info.row > 0 ? head == nullptr || info.format != head->format : !items_.empty()) {
            formatsFollowHeader_ = false;
        }
        c->format = info.format;
    }
    if (m & LCIF_FONT)
        c->setFont(info.font);
    if (info.column == 0) {
        ListRow& lr = row(info.row);
        lr.item = info.item;
        if ((m & LCIF_TEXT) && info.row > 0) {
            items_.keyAt(info.row - 1).invalidate();
        }
    }
    c->setFontObject(info.fontObject);
    return true;
}

bool ListGrid::isSelectable(std::int32_t r) const {
    if (!isItemRow(r)) {
        return false;
    }
    const ItemAttributes& a = row(r).item;
    return a.enabled && !a.masked;
}

void ListGrid::select(std::int32_t r, std::int32_t column, bool on) {
    CListCell* c = cell(r, column);
    if (c == nullptr) {
        return;
    }
    if (on) {
        c->state |= LCIS_SELECTED;
        selected_.insert(selectionKey(r, column));
    } else {
        c->state &= ~LCIS_SELECTED;
        selected_.erase(selectionKey(r, column));
    }
}

void ListGrid::clearSelection() {
    for (std::uint32_t key : selected_) {
        const auto column = static_cast<std::int32_t>(key / 65536u);
        const auto low = static_cast<std::int32_t>(key & 0xFFFFu);
        // Rows beyond 65535 share their low word; clear every row that matches it.
        for (std::int32_t r = low; r < rowCount(); r += 65536) {
            if (CListCell* c = cell(r, column)) {
                c->state &= ~LCIS_SELECTED;
            }
        }
    }
    selected_.clear();
}

void ListGrid::resetCurrentCell() {
    clearSelection();
    currentRow_ = -1;
    currentColumn_ = -1;
}

bool ListGrid::setCurrentRow(std::int32_t r) {
    if (r < 0) {
        resetCurrentCell();
        return true;
    }
    if (!isSelectable(r)) {
        return false;
    }
    clearSelection();
    currentRow_ = r;
    currentColumn_ = 0;
    for (std::int32_t c = 0; c < static_cast<std::int32_t>(row(r).cells.size()); ++c) {
        select(r, c, true);
    }
    return true;
}

void ListGrid::reselectCurrentRow() {
    clearSelection();
    if (isItemRow(currentRow_)) {
        for (std::int32_t c = 0; c < static_cast<std::int32_t>(row(currentRow_).cells.size());
             ++c) {
            select(currentRow_, c, true);
        }
    }
}

bool ListGrid::isSelected(std::int32_t r, std::int32_t column) const {
    const CListCell* c = cell(r, column);
    return c != nullptr && (c->state & LCIS_SELECTED) != 0;
}

void ListGrid::setFont(std::shared_ptr<const CellFont> font) {
    font_ = std::move(font);
    auto reset = [](ListRow& lr) {
        for (CListCell& c : lr.cells) {
            c.setFont(nullptr);
        }
    };
    reset(header_);
    items_.forEachFrom(0, [&](std::int32_t, ListRow& lr) {
        reset(lr);
        return true;
    });
}

void ListGrid::recomputeScrollRanges() {
    if (scrollHook_) {
        scrollHook_();
    }
}

} // namespace vantil
