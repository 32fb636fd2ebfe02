// The page set-up, footer and data source the report layouts share.
#include "app/reports/ReportPage.h"

#include "app/frame/ProgramFolder.h"
#include "app/reports/Texts.h"

namespace tamsel::reports {

using namespace plat::report;

void setPrinter(Report& report, int orientation, int paperSource) {
    report.pageSetup().paperSize = paper::kA4;
    report.pageSetup().orientation = orientation;
    report.pageSetup().paperSource = paperSource;
}

void setSideMargins(Report& report, int paperWidth, int printableWidth) {
    const int margin = (paperWidth - printableWidth) / 2;
    report.pageSetup().leftMargin = margin;
    report.pageSetup().rightMargin = margin;
}

Band& addPageFooter(Report& report, int numberLeft) {
    Band& pf = report.addBand(BandKind::PageFooter, "PageFooter", 500);
    Control& page = pf.addField("txtPage", numberLeft, 120, 500, 300, {});
    page.pageField = PageField::PageNumber;
    page.align = Align::Right;
    pf.addLabel("Label22", numberLeft + 500, 120, 300, 300, texts::kPageSlash).align =
        Align::Center;
    pf.addField("txtPages", numberLeft + 800, 120, 500, 300, {}).pageField = PageField::PageCount;
    pf.addLabel("Label23", numberLeft + 1300, 120, 800, 300, texts::kPageWord);
    return pf;
}

std::string reportDatabase(const QString& folder) {
    // The office database the program's screens use: a server database by its URI, else the
    // file (Roumu.MDB in the folder unless the environment names another).
    return databasePathIn(folder).toStdString();
}

void readStoredQuery(Report& report, const QString& folder, const std::string& queryName) {
    report.setDataSource(reportDatabase(folder), queryName);
}

} // namespace tamsel::reports
