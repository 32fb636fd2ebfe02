// The declarative description of a slip grid that a screen fills: the row columns (field name,
// width, display format, alignment) and the heading and totals areas, whose named cells sit
// under given columns or span them.
#pragma once

#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace plat::widgets {

// Auto puts numbers on the right; texts go left in rows and centred in the heading and totals.
enum class SlipAlign { Auto, Left, Center, Right };

enum class SlipKind { Number, Text };

struct SlipColumn {
    QString field;      // "GName", "D0" ...
    int width = 40;     // pixels
    std::string format; // number display format ("#0.0"); empty: plain decimal form
    SlipKind kind = SlipKind::Number;
    SlipAlign align = SlipAlign::Auto;
    bool editable = true; // false: the screen writes it, the user can only look
};

// One cell of the heading or totals area. A cell without a field name is a fixed caption.
struct SlipAreaCell {
    QString field;  // "lD0", "TTime0" ...; empty for a fixed caption
    int line = 0;   // line of the area, from 0
    int column = 0; // first row column it sits under
    int columnSpan = 1;
    int lineSpan = 1;
    QString caption;    // initial text
    std::string format; // display format for numbers written to the cell
    SlipAlign align = SlipAlign::Auto;
};

struct SlipArea {
    std::vector<int> lineHeights; // one entry per line of the area, pixels
    std::vector<SlipAreaCell> cells;
};

struct SlipGridLayout {
    std::vector<SlipColumn> columns;
    SlipArea heading;
    SlipArea totals;
    int rowHeight = 22;
    int frozenColumns = 0; // leading columns that stay in place when scrolling sideways
    int initialRows = 0;
};

// Short forms for filling a layout.
inline SlipColumn numberColumn(const QString& field, int width, std::string format,
                               bool editable = true) {
    SlipColumn c;
    c.field = field;
    c.width = width;
    c.format = std::move(format);
    c.editable = editable;
    return c;
}

inline SlipColumn textColumn(const QString& field, int width, bool editable = true) {
    SlipColumn c;
    c.field = field;
    c.width = width;
    c.kind = SlipKind::Text;
    c.editable = editable;
    return c;
}

// A named heading or totals cell; a caption given here shows until the screen writes it.
inline SlipAreaCell areaField(const QString& field, int line, int column, int columnSpan = 1,
                              int lineSpan = 1, std::string format = {},
                              const QString& caption = {}) {
    SlipAreaCell c;
    c.field = field;
    c.line = line;
    c.column = column;
    c.columnSpan = columnSpan;
    c.lineSpan = lineSpan;
    c.format = std::move(format);
    c.caption = caption;
    return c;
}

inline SlipAreaCell areaCaption(const QString& caption, int line, int column, int columnSpan = 1,
                                int lineSpan = 1) {
    return areaField(QString(), line, column, columnSpan, lineSpan, {}, caption);
}

// Throws std::invalid_argument naming the first fault: a duplicate or empty column name, a
// duplicate area field name, a cell outside its area or past the last column, a width or
// height below 1, a frozen count past the columns.
void checkLayout(const SlipGridLayout& layout);

// Field names built as prefix + decimal index, the way the screens address day cells.
inline QString indexedField(const char* prefix, int index) {
    return QString::fromLatin1(prefix) + QString::number(index);
}

} // namespace plat::widgets
