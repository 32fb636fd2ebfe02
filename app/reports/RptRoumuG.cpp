// Layout of the site labour-cost report.
#include "app/reports/RptRoumuG.h"

#include "app/frame/ProgramFolder.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/Texts.h"
#include "platform/report/FieldText.h"
#include "platform/report/JetRecordSource.h"

namespace tamsel::reports {

namespace t = texts;
using namespace plat::report;

namespace {
// The layout's printable width on A4 (11,906 twips wide) leaves equal side margins.
constexpr int kPrintableWidth = 11280;
constexpr int kSideMargin = (11906 - kPrintableWidth) / 2;
constexpr int kAmountLeft = 7780;
constexpr int kAmountWidth = kPrintableWidth - kAmountLeft;
} // namespace

RptRoumuG::RptRoumuG(QString folder) : folder_(std::move(folder)) {
    caption = t::kRefRoumuCaption;
    useDatabaseSources(*this);
    pageSetup().leftMargin = kSideMargin;
    pageSetup().rightMargin = kSideMargin;

    Band& ph = addBand(BandKind::PageHeader, "PageHeader", 1500);
    Control& title =
        ph.addField("txtNengetu", 0, 200, kPrintableWidth, 520, "Nengetu", t::kRoumuGTitleFormat);
    title.font.size = 18;
    title.align = Align::Center;
    ph.addLabel("Label1", 0, 1050, kAmountLeft, 320, t::kRoumuGSiteHeading).align = Align::Center;
    ph.addLabel("Label2", kAmountLeft, 1050, kAmountWidth, 320, t::kRoumuGTotalHeading).align =
        Align::Center;
    ph.addLine("Line1", 0, 1410, kPrintableWidth, 1410);
    ph.addLine("Line4", 0, 1460, kPrintableWidth, 1460);

    Band& d = addBand(BandKind::Detail, "Detail", 460);
    d.addField("GName1", 100, 80, kAmountLeft - 200, 320, "GName");
    Control& amount =
        d.addField("txtGTotal", kAmountLeft, 80, kAmountWidth - 100, 320, "GTotal", "#,##0");
    amount.align = Align::Right;
    d.addLine("Line2", 0, 450, kPrintableWidth, 450);
    d.addLabel("GName2", 100, 80, 1000, 320, {}).visible = false;
    d.addField("txtGName", 1200, 80, 1000, 320, "GName").visible = false;

    Band& pf = addBand(BandKind::PageFooter, "PageFooter", 500);
    Control& page = pf.addField("txtPage", 4940, 120, 500, 300, {});
    page.pageField = PageField::PageNumber;
    page.align = Align::Right;
    pf.addLabel("Label22", 5440, 120, 300, 300, t::kPageSlash).align = Align::Center;
    pf.addField("txtPages", 5740, 120, 500, 300, {}).pageField = PageField::PageCount;
    pf.addLabel("Label23", 6240, 120, 800, 300, t::kPageWord);

    Band& rf = addBand(BandKind::ReportFooter, "ReportFooter", 520);
    rf.addLabel("Label24", 0, 100, kAmountLeft, 320, t::kGrandTotal).align = Align::Center;
    Control& grand =
        rf.addField("AGTotal", kAmountLeft, 100, kAmountWidth - 100, 320, "GTotal", "#,##0");
    grand.summary = Summary::Report;
    grand.align = Align::Right;
    rf.addLine("Line3", 0, 500, kPrintableWidth, 500);

    addExportColumns();
}

void RptRoumuG::addExportColumns() {
    // One row per site, then the grand total row as the report footer prints it; the last column
    // tells the two kinds of row apart.
    auto column = [](std::string heading, ExportType type, std::string format) {
        ExportColumn c;
        c.heading = std::move(heading);
        c.type = type;
        c.format = std::move(format);
        return c;
    };
    ExportColumn month = column(t::kCsvMonth, ExportType::Month, "yyyy/mm");
    month.dataField = "Nengetu";
    month.totalRepeats = true;
    addExportColumn(std::move(month));
    ExportColumn number = column(t::kCsvSiteNumber, ExportType::Count, "0");
    number.dataField = "GenbaID";
    addExportColumn(std::move(number));
    ExportColumn site = column(t::kCsvSiteName, ExportType::Text, {});
    site.dataField = "GName";
    site.totalText = t::kGrandTotal;
    addExportColumn(std::move(site));
    ExportColumn amount = column(t::kCsvSiteAmount, ExportType::Money, "0");
    amount.control = "txtGTotal";
    amount.totalControl = "AGTotal";
    addExportColumn(std::move(amount));
    ExportColumn kind = column(t::kCsvRowKind, ExportType::Text, {});
    kind.value = [] { return std::string(t::kCsvDetailRow); };
    kind.totalText = t::kCsvTotalRow;
    addExportColumn(std::move(kind));
    setExportTotals("ReportFooter");
}

void RptRoumuG::ChgPrinter() {
    pageSetup().paperSize = paper::kA4;
    pageSetup().orientation = orientation::kPortrait;
    pageSetup().paperSource = paperSource::kAutomatic;
}

void RptRoumuG::onFormat(Band& band) {
    if (band.name == "PageHeader" && exportTable().title.empty())
        setExportTitle(band.control("txtNengetu").text,
                       displayText(band.control("txtNengetu").value, "yyyy/mm"));
}

void RptRoumuG::onReportStart() {
    // On a server the query is the server database's; a file is the program folder's.
    setDataSource(tamsel::databaseIsServer()
                      ? tamsel::databasePath().toStdString()
                      : (folder_ + QStringLiteral("\\Roumu.MDB")).toStdString(),
                  kSiteReportQuery);
}

} // namespace tamsel::reports
