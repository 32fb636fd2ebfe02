// The grid bound to a data control: lists every row of its record set, selects the current
// row and follows it, and makes a clicked (or arrow-key selected) row current. It shows rows
// only; editing goes through the screen's bound fields.
#pragma once

#include "platform/widgets/datactl/DBGridModel.h"

#include <QTableView>

namespace plat::widgets {

class DBCtl;

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setDataControl(DBCtl* control);
    DBCtl* dataControl() const { return model_->dataControl(); }
    void setColumns(std::vector<DBGridColumn> columns);
    DBGridModel* gridModel() const { return model_; }

private:
    void followCurrent(int row);
    void rowPicked(const QModelIndex& current);
    void applyWidths();

    DBGridModel* model_;
    bool following_ = false;
};

} // namespace plat::widgets
