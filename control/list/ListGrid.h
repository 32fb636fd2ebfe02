// The list grid: one header row (grid row 0) and one row per item (item i is grid row i + 1),
// a CListCell per row and column, row heights, column widths, the current cell and the set of
// selected cells. Out-of-range rows and columns are ignored; reads give empty values.
#pragma once

#include "control/list/ListCell.h"
#include "control/list/RowStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

namespace vantil {

class ListGrid {
public:
    static constexpr std::int32_t kDefaultColumnWidth = 100;

    ListGrid();

    // Rows count the header row; items do not.
    std::int32_t rowCount() const { return items_.size() + 1; }
    std::int32_t itemCount() const { return items_.size(); }
    std::int32_t columnCount() const { return static_cast<std::int32_t>(widths_.size()); }
    bool isItemRow(std::int32_t row) const { return row >= 1 && row < rowCount(); }
    bool isColumn(std::int32_t column) const { return column >= 0 && column < columnCount(); }

    // The row of grid row `row` (0 = header); precondition: 0 <= row < rowCount().
    ListRow& row(std::int32_t row);
    const ListRow& row(std::int32_t row) const;
    // The item row of item `index`; precondition: 0 <= index < itemCount().
    ListRow& item(std::int32_t index) { return items_.at(index); }
    const ListRow& item(std::int32_t index) const { return items_.at(index); }
    RowStore& items() { return items_; }

    // nullptr outside the grid. A cell's format is changed through writeCell only.
    CListCell* cell(std::int32_t row, std::int32_t column);
    const CListCell* cell(std::int32_t row, std::int32_t column) const;

    // Inserts an item row at grid row `row` (1..rowCount()) with one cell per column, each
    // taking the format of the cell above it; returns the new row.
    ListRow& insertRow(std::int32_t row, std::int32_t height);
    // Removes an item row; the current cell and the selection follow. False outside the items.
    bool removeRow(std::int32_t row);
    std::unique_ptr<ListRow> takeRow(std::int32_t row);

    // Inserts a column at `column` (clamped to 0..columnCount()): a new cell in every row.
    void insertColumn(std::int32_t column, std::int32_t width, std::uint32_t format);
    bool removeColumn(std::int32_t column);

    std::int32_t columnWidth(std::int32_t column) const;
    void setColumnWidth(std::int32_t column, std::int32_t width);
    std::int32_t rowHeight(std::int32_t row) const;
    void setRowHeight(std::int32_t row, std::int32_t height);

    // Reads the cell with the given mask (item attributes always); false outside the grid.
    bool readCell(ListCellInfo& info) const;
    bool writeCell(const ListCellInfo& info);

    // ---- Current cell and selection ----
    std::int32_t currentRow() const { return currentRow_; }
    std::int32_t currentColumn() const { return currentColumn_; }
    // An item row whose item is enabled and not masked.
    bool isSelectable(std::int32_t row) const;
    // r < 0 clears the current cell and the selection; a row that is not selectable leaves
    // everything as it is and answers false.
    bool setCurrentRow(std::int32_t r);
    void resetCurrentCell();
    void clearSelection();
    bool isSelected(std::int32_t row, std::int32_t column) const;
    std::size_t selectedCellCount() const { return selected_.size(); }

    // The list's font: copied into every cell (cells without a font of their own use it).
    const std::shared_ptr<const CellFont>& font() const { return font_; }
    void setFont(std::shared_ptr<const CellFont> font);

    // Recomputes the scroll ranges; the list window hooks in here.
    void setScrollRangeHook(std::function<void()> hook) { scrollHook_ = std::move(hook); }

private:
    static std::uint32_t selectionKey(std::int32_t row, std::int32_t column) {
        return static_cast<std::uint32_t>(column) * 65536u +
               (static_cast<std::uint32_t>(row) & 0xFFFFu);
    }
    void select(std::int32_t row, std::int32_t column, bool on);
    // The selection marks every cell of the current row again after rows or columns moved.
    void reselectCurrentRow();
    void recomputeScrollRanges();

    ListRow header_;
    RowStore items_;
    std::vector<std::int32_t> widths_;
    std::int32_t currentRow_ = -1;
    std::int32_t currentColumn_ = -1;
    std::unordered_set<std::uint32_t> selected_;
    // Every item cell has the format of its column's header cell (so has a new row).
    bool formatsFollowHeader_ = true;
    std::shared_ptr<const CellFont> font_;
    std::function<void()> scrollHook_;
};

} // namespace vantil
