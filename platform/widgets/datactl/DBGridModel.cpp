// Bound grid model over the data control's rows.
#include "platform/widgets/datactl/DBGridModel.h"

#include "platform/widgets/datactl/CellText.h"
#include "platform/widgets/datactl/DBCtl.h"

namespace plat::widgets {

namespace {
const QString kCurrentMark = QStringLiteral("▶");
} // namespace

DBGridModel::DBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void DBGridModel::setDataControl(DBCtl* control) {
    if (ctl_)
        disconnect(ctl_, nullptr, this, nullptr);
    ctl_ = control;
    if (ctl_) {
        connect(ctl_, &DBCtl::rowsReset, this, &DBGridModel::reset);
        connect(ctl_, &DBCtl::currentChanged, this, &DBGridModel::markCurrent);
    }
    reset();
}

void DBGridModel::setColumns(std::vector<DBGridColumn> columns) {
    columns_ = std::move(columns);
    reset();
}

void DBGridModel::reset() {
    beginResetModel();
    fieldIndex_.clear();
    for (const DBGridColumn& c : columns_)
        fieldIndex_.push_back(ctl_ ? ctl_->fieldIndex(c.field) : -1);
    current_ = ctl_ ? ctl_->currentRow() : -1;
    endResetModel();
}

void DBGridModel::markCurrent(int row) {
    const int old = current_;
    current_ = row;
    if (old >= 0 && old < rowCount())
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}

int DBGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !ctl_ ? 0 : ctl_->rowCount();
}

int DBGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DBGridModel::data(const QModelIndex& index, int role) const {
    if (!ctl_ || !index.isValid() || index.row() >= ctl_->rowCount())
        return {};
    const auto c = static_cast<std::size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole: {
        const int field = fieldIndex_[c];
        if (field < 0)
            return {};
        return cellText(ctl_->value(index.row(), field), columns_[c].format);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns_[c].alignment);
    default:
        return {};
    }
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        return columns_[static_cast<std::size_t>(section)].heading;
    }
    return section == current_ ? kCurrentMark : QString();
}

} // namespace plat::widgets
