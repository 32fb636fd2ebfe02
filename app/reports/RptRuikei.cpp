// Layout and format code of the annual cumulative report.
#include "app/reports/RptRuikei.h"

#include "app/reports/ReportPage.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/Texts.h"
#include "platform/report/JetRecordSource.h"
#include "platform/text/Format.h"

namespace tamsel::reports {

namespace t = texts;
using namespace plat::report;

namespace {
constexpr int kPrintableWidth = 11280;
// Column positions: name, month, wage, hours, amount.
constexpr int kNameLeft = 0;
constexpr int kNameWidth = 3495;
constexpr int kMonthLeft = 3815;
constexpr int kWageLeft = 5145;
constexpr int kHoursLeft = 6510;
constexpr int kAmountLeft = 8745;
constexpr int kHoursWidth = kAmountLeft - kHoursLeft - 300;
constexpr int kAmountWidth = kPrintableWidth - kAmountLeft;

} // namespace

RptRuikei::RptRuikei(QString folder) : folder_(std::move(folder)) {
    caption = t::kPrtRuikeiCaption;
    useDatabaseSources(*this);
    setSideMargins(*this, kA4PortraitWidth, kPrintableWidth);

    Band& ph = addBand(BandKind::PageHeader, "PageHeader", 1500);
    Control& title = ph.addField("txtNengetu", 0, 200, kPrintableWidth, 520, {});
    title.font.size = 18;
    title.align = Align::Center;
    ph.addLabel("Label25", kNameLeft, 1050, kNameWidth, 320, t::kRuikeiName).align = Align::Center;
    ph.addLabel("Label27", kMonthLeft, 1050, 900, 320, t::kRuikeiMonth).align = Align::Center;
    ph.addLabel("Label28", kWageLeft, 1050, 1100, 320, t::kRuikeiWage).align = Align::Right;
    ph.addLabel("Label29", kHoursLeft, 1050, kHoursWidth, 320, t::kRuikeiHours).align =
        Align::Right;
    ph.addLabel("Label30", kAmountLeft, 1050, kAmountWidth - 100, 320, t::kRuikeiAmount).align =
        Align::Right;
    ph.addField("Nengetu", 0, 0, 10, 10, "Nengetu").visible = false;
    ph.addLine("Line1", 0, 1410, kPrintableWidth, 1410);
    ph.addLine("Line4", 0, 1460, kPrintableWidth, 1460);

    Band& gh = addBand(BandKind::GroupHeader, "SyainIDGH", 0);
    gh.groupField = "SyainID";

    Band& d = addBand(BandKind::Detail, "Detail", 380);
    d.addField("txtSName", kNameLeft + 100, 40, kNameWidth - 100, 300, "SName");
    Control& month = d.addField("GName1", kMonthLeft, 40, 500, 300, "Nengetu", "m");
    month.align = Align::Right;
    d.addLabel("Label26", kMonthLeft + 520, 40, 300, 300, t::kRuikeiMonth);
    d.addField("txtTMony", kWageLeft, 40, 1100, 300, "TMony", "#,##0").align = Align::Right;
    d.addField("txtRTime", kHoursLeft, 40, kHoursWidth, 300, "RTime", "#,##0.00").align =
        Align::Right;
    d.addField("txtMMony", kAmountLeft, 40, kAmountWidth - 100, 300, "MMony", "#,##0").align =
        Align::Right;

    Band& gf = addBand(BandKind::GroupFooter, "SyainIDGF", 520);
    Control& hours = gf.addField("GRTime", kHoursLeft, 100, kHoursWidth, 300, "RTime", "#,##0.00");
    hours.summary = Summary::Group;
    hours.align = Align::Right;
    Control& amount =
        gf.addField("GMMony", kAmountLeft, 100, kAmountWidth - 100, 300, "MMony", "#,##0");
    amount.summary = Summary::Group;
    amount.align = Align::Right;
    gf.addLine("Line2", kHoursLeft, 60, kPrintableWidth, 60);
    gf.addLine("Line5", 0, 500, kPrintableWidth, 500);

    addPageFooter(*this, kPrintableWidth / 2 - 700);

    Band& rf = addBand(BandKind::ReportFooter, "ReportFooter", 0);
    rf.addLabel("Label24", 0, 0, kNameWidth, 300, t::kGrandTotal);

    addExportColumns();
}

void RptRuikei::addExportColumns() {
    // One row per employee-month, then the employee's total row with the footer's sums of hours
    // and amount; the last column tells the two kinds of row apart. The name is in every row of
    // the table, also where the page leaves it out.
    ExportColumn number = exportColumn(t::kCsvEmployeeNumber, ExportType::Count, "0");
    number.dataField = "SyainID";
    number.totalRepeats = true;
    addExportColumn(std::move(number));
    ExportColumn name = exportColumn(t::kCsvEmployeeName, ExportType::Text, {});
    name.dataField = "SName";
    name.totalRepeats = true;
    addExportColumn(std::move(name));
    ExportColumn month = exportColumn(t::kCsvMonth, ExportType::Month, "yyyy/mm");
    month.dataField = "Nengetu";
    addExportColumn(std::move(month));
    ExportColumn wage = exportColumn(t::kCsvWage, ExportType::Money, "0");
    wage.control = "txtTMony";
    addExportColumn(std::move(wage));
    ExportColumn hours = exportColumn(t::kCsvHours, ExportType::Hours, "0.00");
    hours.control = "txtRTime";
    hours.totalControl = "GRTime";
    addExportColumn(std::move(hours));
    ExportColumn amount = exportColumn(t::kCsvAmount, ExportType::Money, "0");
    amount.control = "txtMMony";
    amount.totalControl = "GMMony";
    addExportColumn(std::move(amount));
    ExportColumn kind = exportColumn(t::kCsvRowKind, ExportType::Text, {});
    kind.value = [] { return std::string(t::kCsvDetailRow); };
    kind.totalText = t::kCsvTotalRow;
    addExportColumn(std::move(kind));
    setExportTotals("SyainIDGF");
}

void RptRuikei::ChgPrinter() {
    setPrinter(*this, orientation::kPortrait, paperSource::kCassette);
}

void RptRuikei::onReportStart() {
    readStoredQuery(*this, folder_, kYearReportQuery);
    NameState = 0;
}

void RptRuikei::onFormat(Band& band) {
    if (band.name == "PageHeader") {
        const plat::text::DateTime month = fieldValue("Nengetu").asDate();
        const std::string era = plat::text::formatDate(month, "ggge");
        band.control("txtNengetu").text = era + t::kRuikeiTitleSuffix;
        if (exportTable().title.empty()) {
            std::string period = t::kCsvYearPeriod;
            period.replace(period.find("%1"), 2, std::to_string(month.year));
            setExportTitle(band.control("txtNengetu").text, std::move(period));
        }
    } else if (band.name == "Detail") {
        Control& name = band.control("txtSName");
        if (NameState == 0 || NameState == 2) {
            name.visible = true;
            NameState = 1;
        } else {
            name.visible = false;
        }
    } else if (band.name == "SyainIDGF") {
        NameState = 0;
    }
}

void RptRuikei::onPageEnd() {
    NameState = 2;
}

} // namespace tamsel::reports
