// The table model behind the bound grid: one row per row of the data control's record set,
// one column per configured field, texts through the column's display format. It reads the
// control's copy of the rows, so it creates nothing per cell and stays fast with thousands.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QString>

#include <string>
#include <vector>

namespace plat::widgets {

class DBCtl;

struct DBGridColumn {
    QString field;
    QString heading;
    std::string format; // display format; empty: plain text
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int width = 100; // pixels
};

class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DBGridModel(QObject* parent = nullptr);

    void setDataControl(DBCtl* control);
    DBCtl* dataControl() const { return ctl_; }
    void setColumns(std::vector<DBGridColumn> columns);
    const std::vector<DBGridColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Column headings; the row header marks the current row with an arrow.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void reset();
    void markCurrent(int row);

    QPointer<DBCtl> ctl_;
    std::vector<DBGridColumn> columns_;
    std::vector<int> fieldIndex_;
    int current_ = -1;
};

} // namespace plat::widgets
