// Bound grid: a table view over the data control's rows that keeps the current row selected.
#include "platform/widgets/datactl/DBGrid.h"

#include "platform/widgets/UiFont.h"
#include "platform/widgets/datactl/DBCtl.h"

#include <QHeaderView>

namespace plat::widgets {

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), model_(new DBGridModel(this)) {
    setFont(uiFont());
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(22);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowPicked(current); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        if (DBCtl* c = dataControl())
            followCurrent(c->currentRow());
    });
}

void DBGrid::setDataControl(DBCtl* control) {
    if (DBCtl* old = dataControl())
        disconnect(old, nullptr, this, nullptr);
    model_->setDataControl(control);
    if (control)
        connect(control, &DBCtl::currentChanged, this, &DBGrid::followCurrent);
}

void DBGrid::setColumns(std::vector<DBGridColumn> columns) {
    model_->setColumns(std::move(columns));
    applyWidths();
}

void DBGrid::applyWidths() {
    const auto& cols = model_->columns();
    for (std::size_t i = 0; i < cols.size(); ++i)
        setColumnWidth(static_cast<int>(i), cols[i].width);
}

void DBGrid::followCurrent(int row) {
    following_ = true;
    if (row >= 0 && row < model_->rowCount()) {
        const QModelIndex index = model_->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    }
    following_ = false;
}

void DBGrid::rowPicked(const QModelIndex& current) {
    DBCtl* c = dataControl();
    if (following_ || !c || !current.isValid() || current.row() == c->currentRow())
        return;
    // A refused move (its pending change could not be stored) puts the selection back once
    // the view has finished selecting the picked row.
    if (!c->moveTo(current.row()))
        QMetaObject::invokeMethod(
            this, [this] { followCurrent(dataControl() ? dataControl()->currentRow() : -1); },
            Qt::QueuedConnection);
}

} // namespace plat::widgets
