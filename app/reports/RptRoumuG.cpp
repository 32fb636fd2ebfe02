// Layout of the site labour-cost report.
#include "app/reports/RptRoumuG.h"

#include "app/reports/ReportPage.h"
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
constexpr int kAmountLeft = 7780;
constexpr int kAmountWidth = kPrintableWidth - kAmountLeft;
} // namespace

RptRoumuG::RptRoumuG(QString folder) : folder_(std::move(folder)) {
    caption = t::kRefRoumuCaption;
    useDatabaseSources(*this);
    setSideMargins(*this, kA4PortraitWidth, kPrintableWidth);

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

    addPageFooter(*this, kPrintableWidth / 2 - 700);

    Band& rf = addBand(BandKind::ReportFooter, "ReportFooter", 520);
    rf.addLabel("Label24", 0, 100, kAmountLeft, 320, t::kGrandTotal).align = Align::Center;
    Control& grand =
        rf.addField("AGTotal", kAmountLeft, 100, kAmountWidth - 100, 320, "GTotal", "#,##0");
    grand.summary = Summary::Report;
    grand.align = Align::Right;
    rf.addLine("Line3", 0, 500, kPrintableWidth, 500);

    addExportColumns();
}

RptRoumuG::RptRoumuG(QString folder, plat::jet::Database db) : RptRoumuG(std::move(folder)) {
    readThrough(*this, std::move(db));
}

void RptRoumuG::addExportColumns() {
    // One row per site, then the grand total row as the report footer prints it; the last column
    // tells the two kinds of row apart.
    ExportColumn month = exportColumn(t::kCsvMonth, ExportType::Month, "yyyy/mm");
    month.dataField = "Nengetu";
    month.totalRepeats = true;
    addExportColumn(std::move(month));
    ExportColumn number = exportColumn(t::kCsvSiteNumber, ExportType::Count, "0");
    number.dataField = "GenbaID";
    addExportColumn(std::move(number));
    ExportColumn site = exportColumn(t::kCsvSiteName, ExportType::Text, {});
    site.dataField = "GName";
    site.totalText = t::kGrandTotal;
    addExportColumn(std::move(site));
    ExportColumn amount = exportColumn(t::kCsvSiteAmount, ExportType::Money, "0");
    amount.control = "txtGTotal";
    amount.totalControl = "AGTotal";
    addExportColumn(std::move(amount));
    ExportColumn kind = exportColumn(t::kCsvRowKind, ExportType::Text, {});
    kind.value = [] { return std::string(t::kCsvDetailRow); };
    kind.totalText = t::kCsvTotalRow;
    addExportColumn(std::move(kind));
    setExportTotals("ReportFooter");
}

void RptRoumuG::ChgPrinter() {
    setPrinter(*this, orientation::kPortrait, paperSource::kAutomatic);
}

void RptRoumuG::onFormat(Band& band) {
    if (band.name == "PageHeader" && exportTable().title.empty())
        setExportTitle(band.control("txtNengetu").text,
                       displayText(band.control("txtNengetu").value, "yyyy/mm"));
}

void RptRoumuG::onReportStart() {
    readStoredQuery(*this, folder_, kSiteReportQuery);
}

} // namespace tamsel::reports
