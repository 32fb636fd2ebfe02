// The monthly inquiry screen (RefRoumu, "現場別労務費一覧表"): the hours per building site and
// day of one month summed over all employees, with site, day and grand totals, the month
// buttons, and printing of the site labour-cost report for the month in the month box.
#pragma once

#include "app/frame/Screen.h"
#include "app/reports/ReportData.h"
#include "platform/text/DateTime.h"

#include <vector>

class QLabel;

namespace plat::widgets {
class ButtonArray;
class CheckBox;
class CommandButton;
class DateBox;
class SlipGrid;
} // namespace plat::widgets

namespace tamsel {

class RefRoumu : public Screen {
    Q_OBJECT
public:
    explicit RefRoumu(QWidget* parent = nullptr);

    plat::widgets::DateBox* Nengetu() const { return nengetu_; }
    plat::widgets::SlipGrid* DGrid() const { return grid_; }
    plat::widgets::ButtonArray* comUD() const { return comUD_; }
    plat::widgets::CommandButton* comDisp() const { return comDisp_; }
    plat::widgets::CommandButton* comPrt() const { return comPrt_; }
    plat::widgets::CheckBox* PrtPreview() const { return prtPreview_; }
    QLabel* MSG() const { return msg_; }
    // "締め済み" beside the month when the month shown is closed.
    QLabel* Sime() const { return sime_; }

    // The day the month limits are counted from; the current date unless a test fixes it.
    void setToday(const plat::text::DateTime& today) { today_ = today; }

    void ClearRows();
    void SetDayHeadings();
    void ClearDayTotals();
    void ShowMonth();
    void FillRows(const std::vector<reports::InquiryRow>& rows);
    void SumDays();
    bool BuildSiteReportQuery();
    void PrintSiteReport();

protected:
    void onLoad() override;
    void onUnload() override;

private:
    void comUD_Click(int index);
    void comDisp_Click();
    void comPrt_Click();
    void display();
    plat::text::DateTime today() const;

    plat::widgets::DateBox* nengetu_;
    plat::widgets::SlipGrid* grid_;
    plat::widgets::ButtonArray* comUD_;
    plat::widgets::CommandButton* comDisp_;
    plat::widgets::CommandButton* comPrt_;
    plat::widgets::CheckBox* prtPreview_;
    QLabel* msg_;
    QLabel* sime_;
    plat::widgets::CommandButton* comEnd_;
    plat::text::DateTime today_{};
};

} // namespace tamsel
