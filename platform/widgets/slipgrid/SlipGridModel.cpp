// Rows, fields, heading and totals cells and cell moves of the slip grid.
#include "platform/widgets/slipgrid/SlipGridModel.h"

#include <stdexcept>

namespace plat::widgets {

SlipGridModel::SlipGridModel(SlipGridLayout layout) : layout_(std::move(layout)) {
    checkLayout(layout_);
    for (int c = 0; c < columnCount(); ++c)
        columnByName_.insert(layout_.columns[static_cast<size_t>(c)].field, c);
    auto addArea = [this](const SlipArea& area, bool heading) {
        for (size_t k = 0; k < area.cells.size(); ++k) {
            const SlipAreaCell& cell = area.cells[k];
            AreaState s;
            s.index = k;
            s.heading = heading;
            s.value = SlipValue::text(cell.caption);
            s.display = cell.caption;
            if (!cell.field.isEmpty())
                areaByName_.insert(cell.field, static_cast<int>(areaCells_.size()));
            areaCells_.push_back(s);
        }
    };
    addArea(layout_.heading, true);
    addArea(layout_.totals, false);
    for (int r = 0; r < layout_.initialRows; ++r)
        appendRow();
}

SlipGridModel::Row& SlipGridModel::rowAt(int row) {
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("slip grid: row " + std::to_string(row) + " of " +
                                std::to_string(rowCount()));
    return rows_[static_cast<size_t>(row)];
}

const SlipGridModel::Row& SlipGridModel::rowAt(int row) const {
    return const_cast<SlipGridModel*>(this)->rowAt(row);
}

void SlipGridModel::checkColumn(int column) const {
    if (column < 0 || column >= columnCount())
        throw std::out_of_range("slip grid: column " + std::to_string(column) + " of " +
                                std::to_string(columnCount()));
}

void SlipGridModel::appendRow() {
    Row r;
    const auto n = static_cast<size_t>(columnCount());
    r.values.resize(n);
    r.display.resize(n);
    r.enabled.assign(n, true);
    rows_.push_back(std::move(r));
    if (currentRow_ < 0)
        currentRow_ = 0;
}

void SlipGridModel::removeAllRows() {
    rows_.clear();
    currentRow_ = -1;
}

void SlipGridModel::clearRow(int row) {
    Row& r = rowAt(row);
    for (size_t c = 0; c < r.values.size(); ++c) {
        r.values[c] = SlipValue::empty();
        r.display[c].clear();
    }
}

void SlipGridModel::clearAllRows() {
    for (int r = 0; r < rowCount(); ++r)
        clearRow(r);
}

const SlipValue& SlipGridModel::value(int row, int column) const {
    const Row& r = rowAt(row);
    checkColumn(column);
    return r.values[static_cast<size_t>(column)];
}

const QString& SlipGridModel::displayText(int row, int column) const {
    const Row& r = rowAt(row);
    checkColumn(column);
    return r.display[static_cast<size_t>(column)];
}

SlipValue SlipGridModel::normalized(int column, const SlipValue& v) const {
    checkColumn(column);
    const SlipColumn& col = layout_.columns[static_cast<size_t>(column)];
    if (col.kind == SlipKind::Number && v.isText()) {
        std::optional<SlipValue> n = parseSlipNumber(v.toText());
        if (!n)
            throw std::invalid_argument(
                ("slip grid: '" + v.toText() + "' is no number for " + col.field).toStdString());
        return *n;
    }
    return v;
}

bool SlipGridModel::setValue(int row, int column, const SlipValue& v) {
    Row& r = rowAt(row);
    const SlipValue stored = normalized(column, v);
    const auto c = static_cast<size_t>(column);
    if (r.values[c] == stored)
        return false;
    r.values[c] = stored;
    r.display[c] = formatSlipValue(stored, layout_.columns[c].format);
    return true;
}

bool SlipGridModel::isEnabled(int row, int column) const {
    const Row& r = rowAt(row);
    checkColumn(column);
    return r.enabled[static_cast<size_t>(column)];
}

void SlipGridModel::setEnabled(int row, int column, bool on) {
    Row& r = rowAt(row);
    checkColumn(column);
    r.enabled[static_cast<size_t>(column)] = on;
}

bool SlipGridModel::isEditable(int row, int column) const {
    return isEnabled(row, column) && layout_.columns[static_cast<size_t>(column)].editable;
}

void SlipGridModel::setCurrent(int row, int column) {
    rowAt(row);
    checkColumn(column);
    currentRow_ = row;
    currentColumn_ = column;
}

bool SlipGridModel::canStop(int row, int column, SlipMove move) const {
    if (move == SlipMove::Next || move == SlipMove::Previous)
        return isEditable(row, column);
    return isEnabled(row, column);
}

std::optional<SlipCell> SlipGridModel::step(SlipCell from, SlipMove move) const {
    const int rows = rowCount();
    const int cols = columnCount();
    if (from.row < 0 || from.row >= rows || cols == 0)
        return std::nullopt;
    auto scanRow = [&](int row, int start, int dir) -> std::optional<SlipCell> {
        for (int c = start; c >= 0 && c < cols; c += dir) {
            if (canStop(row, c, move))
                return SlipCell{row, c};
        }
        return std::nullopt;
    };
    switch (move) {
    case SlipMove::Left:
        return scanRow(from.row, from.column - 1, -1);
    case SlipMove::Right:
        return scanRow(from.row, from.column + 1, +1);
    case SlipMove::RowStart:
        return scanRow(from.row, 0, +1);
    case SlipMove::RowEnd:
        return scanRow(from.row, cols - 1, -1);
    case SlipMove::Up:
    case SlipMove::Down: {
        const int dir = move == SlipMove::Up ? -1 : +1;
        for (int r = from.row + dir; r >= 0 && r < rows; r += dir) {
            if (isEnabled(r, from.column))
                return SlipCell{r, from.column};
        }
        return std::nullopt;
    }
    case SlipMove::Next:
    case SlipMove::Previous: {
        const int dir = move == SlipMove::Next ? +1 : -1;
        if (auto c = scanRow(from.row, from.column + dir, dir))
            return c;
        for (int r = from.row + dir; r >= 0 && r < rows; r += dir) {
            if (auto c = scanRow(r, dir > 0 ? 0 : cols - 1, dir))
                return c;
        }
        return std::nullopt;
    }
    }
    return std::nullopt;
}

const SlipAreaCell& SlipGridModel::areaCell(int i) const {
    const AreaState& s = areaCells_.at(static_cast<size_t>(i));
    return (s.heading ? layout_.heading : layout_.totals).cells[s.index];
}

const SlipValue& SlipGridModel::areaValue(int i) const {
    return areaCells_.at(static_cast<size_t>(i)).value;
}

const QString& SlipGridModel::areaDisplayText(int i) const {
    return areaCells_.at(static_cast<size_t>(i)).display;
}

void SlipGridModel::setAreaValue(int i, const SlipValue& v) {
    AreaState& s = areaCells_.at(static_cast<size_t>(i));
    s.value = v;
    s.display = formatSlipValue(v, areaCell(i).format);
}

QColor SlipGridModel::areaColor(int i) const {
    return areaCells_.at(static_cast<size_t>(i)).color;
}

void SlipGridModel::setAreaColor(int i, const QColor& c) {
    areaCells_.at(static_cast<size_t>(i)).color = c;
}

} // namespace plat::widgets
