// The annual cumulative labour-cost report: per employee one line a month (wage, hours,
// amount) with the employee's totals, read from the stored query "Q_PrtRuikei" over the work
// table PRTRUIKEI. The name prints on an employee's first line and again at the top of every
// page the employee continues on. A4 portrait from the cassette.
#pragma once

#include "platform/report/Report.h"

#include <QString>

namespace tamsel::reports {

class RptRuikei : public plat::report::Report {
public:
    explicit RptRuikei(QString folder);

    // Printer set-up: A4, portrait, paper from the cassette.
    void ChgPrinter();

    // 0: the next detail line is an employee's first; 1: the name is printed on this page;
    // 2: a page has just ended.
    int NameState = 0;

protected:
    void onReportStart() override;
    void onFormat(plat::report::Band& band) override;
    void onPageEnd() override;

private:
    void addExportColumns();

    QString folder_;
};

} // namespace tamsel::reports
