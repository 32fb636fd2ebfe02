// Everything a slip grid holds, without the widget: rows of named fields with their values,
// display texts and enabled flags, the heading and totals cells, the current cell, and the
// moves between cells that skip what cannot be entered.
#pragma once

#include "platform/widgets/slipgrid/SlipGridLayout.h"
#include "platform/widgets/slipgrid/SlipValue.h"

#include <QColor>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace plat::widgets {

struct SlipCell {
    int row = 0;
    int column = 0;
    friend bool operator==(const SlipCell&, const SlipCell&) = default;
};

// Left/Right/Up/Down follow the arrow keys and skip disabled cells; Next/Previous follow
// Enter and Tab, run along the row and on into the next one, and also skip cells the user
// cannot type into (names the screen writes).
enum class SlipMove { Left, Right, Up, Down, Next, Previous, RowStart, RowEnd };

class SlipGridModel {
public:
    // Throws std::invalid_argument when the layout is faulty (see checkLayout).
    explicit SlipGridModel(SlipGridLayout layout);

    const SlipGridLayout& layout() const { return layout_; }
    int columnCount() const { return static_cast<int>(layout_.columns.size()); }
    const SlipColumn& column(int c) const { return layout_.columns.at(static_cast<size_t>(c)); }
    // -1 when no column has that field name.
    int columnIndex(const QString& field) const { return columnByName_.value(field, -1); }

    // Rows. Positions out of range throw std::out_of_range.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    void appendRow();
    void removeAllRows();
    void clearRow(int row);
    void clearAllRows();

    const SlipValue& value(int row, int column) const;
    const QString& displayText(int row, int column) const;
    // Stores the value (a text written to a number field is read as a number; a text that is
    // no number throws std::invalid_argument). Returns whether the stored value changed.
    bool setValue(int row, int column, const SlipValue& v);
    // The value as the field would store it, without storing it.
    SlipValue normalized(int column, const SlipValue& v) const;

    bool isEnabled(int row, int column) const;
    void setEnabled(int row, int column, bool on);
    bool isEditable(int row, int column) const;

    // The current cell; the row is -1 while the grid has no rows.
    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    void setCurrent(int row, int column);

    std::optional<SlipCell> step(SlipCell from, SlipMove move) const;

    // Heading and totals cells: heading cells first, then totals cells, in layout order.
    int areaCellCount() const { return static_cast<int>(areaCells_.size()); }
    const SlipAreaCell& areaCell(int i) const;
    bool isHeadingCell(int i) const { return areaCells_.at(static_cast<size_t>(i)).heading; }
    // -1 when no heading or totals cell has that field name.
    int areaIndex(const QString& field) const { return areaByName_.value(field, -1); }
    const SlipValue& areaValue(int i) const;
    const QString& areaDisplayText(int i) const;
    void setAreaValue(int i, const SlipValue& v);
    // An invalid colour means the grid's normal text colour.
    QColor areaColor(int i) const;
    void setAreaColor(int i, const QColor& c);

private:
    struct Row {
        std::vector<SlipValue> values;
        std::vector<QString> display;
        std::vector<bool> enabled;
    };
    struct AreaState {
        size_t index = 0; // within its area's cells
        bool heading = true;
        SlipValue value;
        QString display;
        QColor color;
    };

    Row& rowAt(int row);
    const Row& rowAt(int row) const;
    void checkColumn(int column) const;
    bool canStop(int row, int column, SlipMove move) const;

    SlipGridLayout layout_;
    QHash<QString, int> columnByName_;
    QHash<QString, int> areaByName_;
    std::vector<Row> rows_;
    std::vector<AreaState> areaCells_;
    int currentRow_ = -1;
    int currentColumn_ = 0;
};

} // namespace plat::widgets
