// The employee labour-cost statement: for one month, per employee the ledger lines (one per
// site) with the hours of every day and the line totals, the employee's day totals, hourly wage
// and the amount to pay, read from the stored query "Q_SRoumuM" over the work table PRTROUMUM.
// Every employee's statement starts a page. A4 landscape, paper chosen automatically.
#pragma once

#include "platform/report/Report.h"

#include <QString>

#include <string>

namespace tamsel::reports {

class RptSRoumuMA4 : public plat::report::Report {
public:
    // folder: where Roumu.MDB lives (the program's folder).
    explicit RptSRoumuMA4(QString folder);

    // Printer set-up: A4, landscape, automatic paper source.
    void ChgPrinter();
    // The month was closed: "締め済み" is printed beside the title.
    bool monthClosed = false;

protected:
    void onReportStart() override;
    void onFormat(plat::report::Band& band) override;

private:
    void addPageHeader();
    void addGroupHeader();
    void addDetail();
    void addGroupFooter();
    void addExportColumns();
    void formatGroupHeader(plat::report::Band& band);
    void formatDetail(plat::report::Band& band);
    void formatGroupFooter(plat::report::Band& band);
    // Day columns past the end of the shown month are hidden: headings, cells and group sums.
    void HideDayHeadingsPastMonthEnd(plat::report::Band& band);
    void HideDayCellsPastMonthEnd(plat::report::Band& band);
    // The month of the title field (txtNengetu).
    plat::text::DateTime shownMonth();

    QString folder_;
    // The exported money of the line and of the employee being formatted, as plain digits.
    std::string lineAmount_;
    std::string amountText_;
};

} // namespace tamsel::reports
