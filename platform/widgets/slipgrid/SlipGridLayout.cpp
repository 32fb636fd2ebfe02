// Checks a slip grid layout before the grid is built from it.
#include "platform/widgets/slipgrid/SlipGridLayout.h"

#include <QSet>

#include <stdexcept>

namespace plat::widgets {
namespace {

[[noreturn]] void fail(const QString& what) {
    throw std::invalid_argument(("slip grid layout: " + what).toStdString());
}

void checkArea(const SlipArea& area, const char* areaName, int columnCount, QSet<QString>& names) {
    for (int h : area.lineHeights) {
        if (h < 1)
            fail(QString("%1 line height below 1").arg(areaName));
    }
    const int lines = static_cast<int>(area.lineHeights.size());
    for (const SlipAreaCell& c : area.cells) {
        const QString label = c.field.isEmpty() ? "caption '" + c.caption + "'" : c.field;
        if (c.columnSpan < 1 || c.lineSpan < 1)
            fail(label + ": span below 1");
        if (c.column < 0 || c.column + c.columnSpan > columnCount)
            fail(label + ": outside the columns");
        if (c.line < 0 || c.line + c.lineSpan > lines)
            fail(label + QString(": outside the %1 lines").arg(areaName));
        if (c.field.isEmpty())
            continue;
        if (names.contains(c.field))
            fail("duplicate field " + c.field);
        names.insert(c.field);
    }
}

} // namespace

void checkLayout(const SlipGridLayout& layout) {
    QSet<QString> names;
    for (const SlipColumn& c : layout.columns) {
        if (c.field.isEmpty())
            fail("column without a field name");
        if (names.contains(c.field))
            fail("duplicate field " + c.field);
        if (c.width < 1)
            fail(c.field + ": width below 1");
        names.insert(c.field);
    }
    if (layout.rowHeight < 1)
        fail("row height below 1");
    if (layout.initialRows < 0)
        fail("negative row count");
    const int columnCount = static_cast<int>(layout.columns.size());
    if (layout.frozenColumns < 0 || layout.frozenColumns > columnCount)
        fail("frozen columns past the last column");
    checkArea(layout.heading, "heading", columnCount, names);
    checkArea(layout.totals, "totals", columnCount, names);
}

} // namespace plat::widgets
