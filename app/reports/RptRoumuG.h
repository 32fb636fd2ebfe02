// The site labour-cost report: one line per building site of a month with the month's labour
// cost, a grand total and page numbers, read from the stored query "Q_PrtRoumuG" of the
// database file in the program's folder. A4 portrait.
#pragma once

#include "platform/report/Report.h"

#include <QString>

namespace tamsel::reports {

class RptRoumuG : public plat::report::Report {
public:
    // folder: where Roumu.MDB lives (the program's folder).
    explicit RptRoumuG(QString folder);

    // Printer set-up: A4, portrait, automatic paper source.
    void ChgPrinter();

protected:
    void onReportStart() override;
    void onFormat(plat::report::Band& band) override;

private:
    void addExportColumns();

    QString folder_;
};

} // namespace tamsel::reports
