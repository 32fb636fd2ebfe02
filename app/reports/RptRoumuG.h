// The site labour-cost report: one line per building site of a month with the month's labour
// cost, a grand total and page numbers, read from the stored query "Q_PrtRoumuG" of the
// database in the program's folder. A4 portrait.
#pragma once

#include "platform/jet/Database.h"
#include "platform/report/Report.h"

#include <QString>

namespace tamsel::reports {

class RptRoumuG : public plat::report::Report {
public:
    // folder: where Roumu.MDB lives (the program's folder).
    explicit RptRoumuG(QString folder);
    // Reads the query through `db`, the handle that rewrote it for the month to print: on a
    // server database the query is that session's own (buildSiteReportQuery).
    RptRoumuG(QString folder, plat::jet::Database db);

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
