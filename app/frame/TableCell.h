// The read-only cell of the screens' result tables: selectable, not editable, numbers to the
// right unless told otherwise.
#pragma once

#include <QTableWidgetItem>

namespace tamsel {

inline QTableWidgetItem* readOnlyCell(const QString& text,
                                      Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace tamsel
