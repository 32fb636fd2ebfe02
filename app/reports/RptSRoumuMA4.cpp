// Layout and format code of the employee labour-cost statement.
#include "app/reports/RptSRoumuMA4.h"

#include "app/closing/Texts.h"
#include "app/frame/Std_1.h"
#include "app/reports/ReportPage.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/Texts.h"
#include "platform/report/FieldText.h"
#include "platform/report/JetRecordSource.h"
#include "platform/text/Format.h"

#include <array>
#include <string>

namespace tamsel::reports {

namespace t = texts;
using namespace plat::report;

namespace {
// The layout's printable width on A4 landscape, between equal side margins.
constexpr int kPrintableWidth = 15300;
constexpr int kSiteWidth = 2640;
constexpr int kFirstDayLeft = 2657;
constexpr int kLastDayLeft = 13902;
constexpr int kDayWidth = 375;
constexpr int kTotalLeft = 14445;
constexpr int kTotalWidth = kPrintableWidth - kTotalLeft;
constexpr int kDays = 31;
constexpr double kDayFontSize = 7;

// The 31 columns spread evenly from the first to the last column's left edge.
constexpr int dayLeft(int day) {
    return kFirstDayLeft + ((day - 1) * (kLastDayLeft - kFirstDayLeft) + 15) / 30;
}
static_assert(dayLeft(31) == kLastDayLeft && dayLeft(31) + kDayWidth < kTotalLeft);

std::string numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

// The group footer's sum of day k: Field29 … Field56 for days 1 to 28, Total29 … Total31 after.
std::string daySumName(int day) {
    return day <= 28 ? numbered("Field", day + 28) : numbered("Total", day);
}

void small(Control& c, double size = kDayFontSize) {
    c.font.size = size;
}
} // namespace

RptSRoumuMA4::RptSRoumuMA4(QString folder) : folder_(std::move(folder)) {
    caption = t::kPrtSyainRoumuCaption;
    useDatabaseSources(*this);
    pageSetup().orientation = orientation::kLandscape;
    setSideMargins(*this, kA4LandscapeWidth, kPrintableWidth);

    addPageHeader();
    addGroupHeader();
    addDetail();
    addGroupFooter();
    addPageFooter(*this, kPrintableWidth / 2 - 700);

    addExportColumns();
}

// The month as the title.
void RptSRoumuMA4::addPageHeader() {
    Band& ph = addBand(BandKind::PageHeader, "PageHeader", 800);
    Control& title = ph.addField("txtNengetu", 0, 100, kPrintableWidth, 520, "Nengetu",
                                 t::kStatementTitleFormat);
    title.font.size = 16;
    title.align = Align::Center;
    Control& closed =
        ph.addLabel("txtSime", kPrintableWidth - 2400, 260, 2400, 320, closing::texts::kClosed);
    closed.align = Align::Right;
}

// A new page per employee: the name, then the headings of the sites, the 31 days and the line
// total.
void RptSRoumuMA4::addGroupHeader() {
    Band& gh = addBand(BandKind::GroupHeader, "SyainIDGH", 1100);
    gh.groupField = "SyainID";
    gh.newPage = NewPage::Before;
    gh.addLabel("Label25", 0, 80, 700, 320, t::kStatementNameLabel);
    gh.addField("txtSName", 700, 80, 5000, 320, "SName").font.size = 12;
    gh.addLine("Line1", 0, 520, kPrintableWidth, 520);
    gh.addLabel("Label1", 0, 620, kSiteWidth, 360, t::kStatementSiteHeading).align = Align::Center;
    for (int k = 1; k <= kDays; ++k) {
        Control& day = gh.addLabel(numbered("LD", k), dayLeft(k), 560, kDayWidth, 240, {});
        day.align = Align::Center;
        small(day);
        Control& weekday = gh.addLabel(numbered("LW", k), dayLeft(k), 800, kDayWidth, 240, {});
        weekday.align = Align::Center;
        small(weekday);
    }
    Control& lineTotalHeading =
        gh.addLabel("Label2", kTotalLeft, 620, kTotalWidth, 360, t::kStatementLineTotal);
    lineTotalHeading.align = Align::Center;
    small(lineTotalHeading, 8);
    gh.addLine("Line4", 0, 1080, kPrintableWidth, 1080);
}

// One line per site: its name over two lines and the hours of each day and in all.
void RptSRoumuMA4::addDetail() {
    Band& d = addBand(BandKind::Detail, "Detail", 520);
    d.addField("txtGName", 60, 20, kSiteWidth - 60, 240, "GName").visible = false;
    small(d.addField("GName1", 60, 20, kSiteWidth - 60, 240, {}), 8);
    small(d.addField("GName2", 60, 260, kSiteWidth - 60, 240, {}), 8);
    for (int k = 1; k <= kDays; ++k) {
        Control& hours = d.addField(numbered("txtD", k), dayLeft(k), 140, kDayWidth - 20, 240,
                                    numbered("D", k), "#,##0.0");
        hours.align = Align::Right;
        small(hours);
    }
    Control& lineTotal =
        d.addField("txtGTotal", kTotalLeft, 140, kTotalWidth - 60, 240, "GTotal", "#,##0.0");
    lineTotal.align = Align::Right;
    small(lineTotal, 8);
    d.addLine("Line2", 0, 510, kPrintableWidth, 510);
}

// The employee's sums of each day and in all, the wage and the amount to pay.
void RptSRoumuMA4::addGroupFooter() {
    Band& gf = addBand(BandKind::GroupFooter, "SyainIDGF", 1300);
    gf.addLabel("Label26", 0, 80, kSiteWidth, 300, t::kStatementGroupTotal).align = Align::Center;
    for (int k = 1; k <= kDays; ++k) {
        Control& sum = gf.addField(daySumName(k), dayLeft(k), 100, kDayWidth - 20, 240,
                                   numbered("D", k), "#,##0.0");
        sum.summary = Summary::Group;
        sum.align = Align::Right;
        small(sum, 6.5);
    }
    Control& groupTotal =
        gf.addField("TGTotal", kTotalLeft, 100, kTotalWidth - 60, 240, "GTotal", "#,##0.0");
    groupTotal.summary = Summary::Group;
    groupTotal.align = Align::Right;
    small(groupTotal, 8);
    gf.addLine("Line5", 0, 420, kPrintableWidth, 420);
    constexpr int kBlockLeft = 11000;
    gf.addLabel("Label28", kBlockLeft, 560, 1400, 300, t::kStatementWage).align = Align::Right;
    gf.addField("txtTMony", kBlockLeft + 1400, 560, kPrintableWidth - kBlockLeft - 1460, 300,
                "TMony", "#,##0")
        .align = Align::Right;
    gf.addLabel("Label27", kBlockLeft, 900, 1400, 300, t::kStatementAmount).align = Align::Right;
    gf.addField("TimeMony", kBlockLeft + 1400, 900, kPrintableWidth - kBlockLeft - 1460, 300, {})
        .align = Align::Right;
    gf.addLine("Line6", kBlockLeft, 880, kPrintableWidth, 880);
    gf.addLine("Line7", kBlockLeft, 1240, kPrintableWidth, 1240);
}

void RptSRoumuMA4::addExportColumns() {
    // One row per line as printed, then the employee's total row: the footer's day sums, total
    // hours and wage, and the amount to pay exactly as the footer shows it. The line amount is
    // on the lines only and the amount to pay on the total row only, so neither money column
    // counts twice; the last column tells the two kinds of row apart.
    ExportColumn month = exportColumn(t::kCsvMonth, ExportType::Month, "yyyy/mm");
    month.dataField = "Nengetu";
    month.totalRepeats = true;
    addExportColumn(std::move(month));
    ExportColumn number = exportColumn(t::kCsvEmployeeNumber, ExportType::Count, "0");
    number.dataField = "SyainID";
    number.totalRepeats = true;
    addExportColumn(std::move(number));
    ExportColumn name = exportColumn(t::kCsvEmployeeName, ExportType::Text, {});
    name.dataField = "SName";
    name.totalRepeats = true;
    addExportColumn(std::move(name));
    ExportColumn site = exportColumn(t::kCsvSiteName, ExportType::Text, {});
    site.dataField = "GName";
    site.totalText = t::kCsvTotalRow;
    addExportColumn(std::move(site));
    for (int k = 1; k <= kDays; ++k) {
        ExportColumn day =
            exportColumn(std::to_string(k) + t::kCsvDaySuffix, ExportType::Hours, "0.0");
        day.control = numbered("txtD", k);
        day.totalControl = daySumName(k);
        addExportColumn(std::move(day));
    }
    ExportColumn hours = exportColumn(t::kCsvLineHours, ExportType::Hours, "0.0");
    hours.control = "txtGTotal";
    hours.totalControl = "TGTotal";
    addExportColumn(std::move(hours));
    ExportColumn wage = exportColumn(t::kCsvWage, ExportType::Money, "0");
    wage.dataField = "TMony";
    wage.totalControl = "txtTMony";
    addExportColumn(std::move(wage));
    ExportColumn lineAmount = exportColumn(t::kCsvLineAmount, ExportType::Money, "0");
    lineAmount.value = [this] { return lineAmount_; };
    addExportColumn(std::move(lineAmount));
    ExportColumn amount = exportColumn(t::kCsvAmount, ExportType::Money, "0");
    amount.totalValue = [this] { return amountText_; };
    addExportColumn(std::move(amount));
    ExportColumn kind = exportColumn(t::kCsvRowKind, ExportType::Text, {});
    kind.value = [] { return std::string(t::kCsvDetailRow); };
    kind.totalText = t::kCsvTotalRow;
    addExportColumn(std::move(kind));
    setExportTotals("SyainIDGF");
}

void RptSRoumuMA4::ChgPrinter() {
    setPrinter(*this, orientation::kLandscape, paperSource::kAutomatic);
}

void RptSRoumuMA4::onReportStart() {
    readStoredQuery(*this, folder_, kStatementQuery);
    control("txtSime").visible = monthClosed;
}

void RptSRoumuMA4::onFormat(Band& band) {
    if (band.name == "PageHeader" && exportTable().title.empty())
        setExportTitle(band.control("txtNengetu").text,
                       plat::text::formatDate(shownMonth(), "yyyy/mm"));
    if (band.name == "SyainIDGH")
        formatGroupHeader(band);
    else if (band.name == "Detail")
        formatDetail(band);
    else if (band.name == "SyainIDGF")
        formatGroupFooter(band);
}

plat::text::DateTime RptSRoumuMA4::shownMonth() {
    const Value& month = control("txtNengetu").value;
    return (month.isNull() ? fieldValue("Nengetu") : month).asDate();
}

void RptSRoumuMA4::formatGroupHeader(Band& band) {
    plat::text::DateTime d = shownMonth();
    for (int k = 1; k <= kDays; ++k) {
        band.control(numbered("LD", k)).text = plat::text::formatDate(d, t::kDayNumberFormat);
        band.control(numbered("LW", k)).text = plat::text::formatDate(d, t::kWeekdayFormat);
        d = plat::text::addDays(d, 1);
    }
    HideDayHeadingsPastMonthEnd(band);
}

void RptSRoumuMA4::HideDayHeadingsPastMonthEnd(Band& band) {
    const int days = statementDays(shownMonth());
    for (int k = 29; k <= kDays; ++k) {
        band.control(numbered("LD", k)).visible = k <= days;
        band.control(numbered("LW", k)).visible = k <= days;
    }
}

void RptSRoumuMA4::HideDayCellsPastMonthEnd(Band& band) {
    const int days = statementDays(shownMonth());
    for (int k = 29; k <= kDays; ++k)
        band.control(numbered("txtD", k)).visible = k <= days;
}

void RptSRoumuMA4::formatDetail(Band& band) {
    HideDayCellsPastMonthEnd(band);
    const Value& name = band.control("txtGName").value;
    QString first;
    QString rest;
    SplitByWidth(name.isNull() ? QVariant() : QVariant(QString::fromStdString(name.asText())),
                 first, rest);
    band.control("GName1").text = first.toStdString();
    band.control("GName2").text = rest.toStdString();
    // The line's money as the ledger grid shows it: the printed line hours x the wage, cut to
    // whole yen.
    const plat::jet::Currency lineAmount = statementAmount(
        band.control("txtGTotal").text, plat::report::displayText(fieldValue("TMony"), "#,##0"));
    lineAmount_ = plat::text::formatCurrency(lineAmount.scaled, "0");
}

void RptSRoumuMA4::formatGroupFooter(Band& band) {
    const int days = statementDays(shownMonth());
    for (int k = 29; k <= kDays; ++k)
        band.control(daySumName(k)).visible = k <= days;
    const plat::jet::Currency amount =
        statementAmount(band.control("TGTotal").text, band.control("txtTMony").text);
    band.control("TimeMony").text = plat::text::formatCurrency(amount.scaled, "#,##0");
    amountText_ = plat::text::formatCurrency(amount.scaled, "0");
}

} // namespace tamsel::reports
