// What the employee and the site master screens share: a data control over one table or
// stored query, the grid that lists it, bound edit fields, the comMove buttons 0-5 and comEnd,
// stepping keys in the fields, and storing a changed field when the clerk leaves it (the
// record set is then rebuilt and the stored row stays current). Database errors are shown as
// "number: description" boxes; the screen stays open and keeps the clerk's edit.
#pragma once

#include "app/frame/Screen.h"
#include "platform/widgets/datactl/DBCtl.h"
#include "platform/widgets/datactl/DBGridModel.h"

#include <vector>

class QGridLayout;

namespace plat::widgets {
class ButtonArray;
class CommandButton;
class DBGrid;
class NumericBox;
} // namespace plat::widgets

namespace tamsel {

class MasterScreen : public Screen {
    Q_OBJECT
public:
    plat::widgets::DBCtl* dbCtl() const { return ctl_; }
    plat::widgets::DBGrid* dbGrid() const { return grid_; }
    plat::widgets::ButtonArray* comMove() const { return comMove_; }
    plat::widgets::CommandButton* comEnd() const { return comEnd_; }

    // One row back / forward, never before the first or past the last row; a pending change
    // is stored first.
    void GoPrevious();
    void GoNext();

public slots:
    void comMove_Click(int index);

protected:
    MasterScreen(const QString& caption, const QString& recordSource, const QString& controlCaption,
                 QWidget* parent);

    // Adds a labelled edit field bound to column; Enter in it steps like Down when
    // enterSteps. The first field added gets the focus after every comMove button.
    void addField(const QString& label, QWidget* field, const QString& column, bool enterSteps,
                  int width);
    void setGridColumns(std::vector<plat::widgets::DBGridColumn> columns);

    void onLoad() override;
    void onActivate() override;
    bool onQueryUnload() override;
    void onUnload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Field {
        QWidget* widget;
        QString column;
        bool enterSteps;
        bool numeric;
    };

    const Field* fieldOf(QObject* watched) const;
    bool fieldChanged(const Field& f) const;
    // Takes the typed text of a wage box into its value; false (old value kept, message
    // shown) when the text is refused.
    bool commitAmount(const Field& f);
    void leaveField(const Field& f);
    void startNewWhenEmpty();
    void showDataError(plat::widgets::DBCtl::Step step, int number, const QString& description);

    QString recordSource_;
    plat::widgets::DBCtl* ctl_;
    plat::widgets::DBGrid* grid_;
    plat::widgets::ButtonArray* comMove_;
    plat::widgets::CommandButton* comEnd_;
    QGridLayout* fieldLayout_;
    std::vector<Field> fields_;
};

} // namespace tamsel
