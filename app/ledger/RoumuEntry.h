// The ledger selection screen (RoumuEntry, "労務台帳入力"): the clerk picks an employee from the
// employee box and a month, sees the employee's name and hourly wage, and opens the ledger grid
// for them. The screen stays underneath, disabled, while the grid is open.
#pragma once

#include "app/frame/Screen.h"
#include "app/ledger/PickBox.h"
#include "platform/text/DateTime.h"

#include <cstdint>
#include <memory>
#include <optional>

class QLabel;

namespace plat::widgets {
class BannerLabel;
class ButtonArray;
class CommandButton;
class DateBox;
class NumericBox;
} // namespace plat::widgets

namespace tamsel {

class RoumuEntrySub2;

class RoumuEntry : public Screen {
    Q_OBJECT
public:
    explicit RoumuEntry(ledger::PickBoxFactory boxes, QWidget* parent = nullptr);
    ~RoumuEntry() override;

    ledger::PickBox& SyainID() const { return *syainId_; }
    plat::widgets::DateBox* Nengetu() const { return nengetu_; }
    plat::widgets::ButtonArray* comUD() const { return comUD_; }
    QLabel* SName() const { return sName_; }
    plat::widgets::NumericBox* TMony() const { return tMony_; }
    plat::widgets::CommandButton* comOpen() const { return comOpen_; }
    plat::widgets::CommandButton* comEnd() const { return comEnd_; }
    plat::widgets::BannerLabel* AcLbl() const { return acLbl_; }
    // The ledger grid once it was opened (it is reused on the next opening).
    RoumuEntrySub2* ledgerGrid() const { return grid_.get(); }

    // The day the month box starts from and counts its limit from; today unless a test fixes it.
    void setToday(const plat::text::DateTime& today);

protected:
    void onLoad() override;
    bool onQueryUnload() override;
    void onUnload() override;

private:
    void fillEmployees();
    void SyainID_CloseUp();
    void showEmployee(std::int64_t syainId);
    void comUD_Click(int index);
    void comOpen_Click();
    plat::text::DateTime today() const;

    ledger::PickBoxFactory boxes_;
    std::unique_ptr<ledger::PickBox> syainId_;
    plat::widgets::DateBox* nengetu_;
    plat::widgets::ButtonArray* comUD_;
    QLabel* sName_;
    plat::widgets::NumericBox* tMony_;
    plat::widgets::CommandButton* comOpen_;
    plat::widgets::CommandButton* comEnd_;
    plat::widgets::BannerLabel* acLbl_;
    std::unique_ptr<RoumuEntrySub2> grid_;
    std::optional<plat::text::DateTime> today_;
    // The employee whose name and wage the screen shows.
    std::optional<std::int64_t> shownEmployee_;
};

} // namespace tamsel
