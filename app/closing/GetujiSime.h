// The month closing screen (GetujiSime, "月締め処理"), opened from the frame window's menu bar:
// the months that have ledger lines, newest first, with their hours, amount and state; "締める"
// closes the selected month after a question (only months before the current one), "締め解除"
// opens it again after a sterner one.
#pragma once

#include "app/closing/ClosedMonths.h"
#include "app/frame/Screen.h"

#include <vector>

class QLabel;
class QTableWidget;

namespace plat::widgets {
class BannerLabel;
class ButtonArray;
} // namespace plat::widgets

namespace tamsel {

class GetujiSime : public Screen {
    Q_OBJECT
public:
    // Indexes of the comFunc buttons.
    enum Func { CloseMonth = 0, OpenMonth = 1, End = 2 };
    enum { MonthColumn = 0, HoursColumn, AmountColumn, StateColumn, ClosedAtColumn, ColumnCount };

    explicit GetujiSime(QWidget* parent = nullptr);

    QTableWidget* DGrid() const { return grid_; }
    plat::widgets::ButtonArray* comFunc() const { return comFunc_; }
    QLabel* MSG() const { return msg_; }
    const std::vector<closing::MonthSummary>& months() const { return months_; }

    // Reads the months again and selects `month` when it is listed (else the newest month
    // before the current one); false (after the error box) when the database could not be read.
    bool ShowMonths(const plat::text::DateTime& month = {});
    // Selects the row of `month`; false when it is not listed.
    bool selectMonth(const plat::text::DateTime& month);

protected:
    void onLoad() override;
    void onUnload() override;

private:
    void comFunc_Click(int index);
    void closeSelected();
    void openSelected();
    void updateButtons();
    const closing::MonthSummary* selected() const;

    plat::widgets::BannerLabel* acLbl_;
    QLabel* rule_;
    QTableWidget* grid_;
    QLabel* msg_;
    plat::widgets::ButtonArray* comFunc_;
    std::vector<closing::MonthSummary> months_;
};

} // namespace tamsel
