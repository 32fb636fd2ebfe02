// Layout and rows of the overtime check report.
#include "app/overtime/RptZangyo.h"

#include "app/overtime/BreachWords.h"
#include "app/overtime/Texts.h"
#include "app/reports/ReportPage.h"
#include "app/reports/Texts.h"
#include "platform/text/Format.h"

#include <algorithm>
#include <memory>

namespace tamsel::overtime {

namespace t = texts;
using namespace plat::report;

namespace {
constexpr int kSideMargin = 500;
constexpr int kPrintableWidth = reports::kA4LandscapeWidth - 2 * kSideMargin;
// Columns: name, twelve months, the year's overtime, the months beyond 45 hours.
constexpr int kNameWidth = 2400;
constexpr int kMonthLeft = 2500;
constexpr int kMonthWidth = 930;
constexpr int kYearLeft = kMonthLeft + kMonthsInYear * kMonthWidth + 50;
constexpr int kYearWidth = 1100;
constexpr int kCountLeft = kYearLeft + kYearWidth + 50;
constexpr int kCountWidth = kPrintableWidth - kCountLeft;
static_assert(kCountWidth >= 600, "the last column must fit on A4 landscape");
constexpr int kPhraseHeight = 250;

std::string monthColumn(int m) {
    return "M" + std::to_string(m + 1);
}

// The report's title: the era year of the first month and the title's words.
std::string titleOf(const YearCheck& check) {
    const std::string era =
        plat::text::formatDate({yearOf(check.firstMonth), monthOf(check.firstMonth), 1}, "ggge");
    return era + t::kReportTitleSuffix;
}

// The first and last month of the agreement year.
std::string periodOf(const YearCheck& check) {
    const int last = check.firstMonth + kMonthsInYear - 1;
    return fillIn(t::kPeriodFormat, {std::to_string(yearOf(check.firstMonth)),
                                     std::to_string(monthOf(check.firstMonth)),
                                     std::to_string(yearOf(last)), std::to_string(monthOf(last))});
}

bool yearBroken(const EmployeeYear& y) {
    for (const Breach& b : y.breaches)
        if (b.rule == Rule::Year360 || b.rule == Rule::Year720)
            return true;
    return false;
}

bool countBroken(const EmployeeYear& y) {
    for (const Breach& b : y.breaches)
        if (b.rule == Rule::SixMonths)
            return true;
    return false;
}
} // namespace

std::string RptZangyo::monthCell(const EmployeeYear& year, int month) {
    const auto m = static_cast<std::size_t>(month);
    const char* mark = year.broken[m] ? t::kMarkBroken : (year.over45[m] ? t::kMarkOver45 : "");
    return mark + hoursText(year.months[m].overtime);
}

std::string RptZangyo::yearCell(const EmployeeYear& year) {
    return (yearBroken(year) ? t::kMarkBroken : "") + hoursText(year.yearOvertime);
}

std::string RptZangyo::countCell(const EmployeeYear& year) {
    return (countBroken(year) ? t::kMarkBroken : "") + std::to_string(year.monthsOver45);
}

RptZangyo::RptZangyo(const YearCheck& check) {
    caption = t::kCaption;
    reports::setSideMargins(*this, reports::kA4LandscapeWidth, kPrintableWidth);

    addPageHeader(check);
    addDetail();
    addBreachFooter(check);
    reports::addPageFooter(*this, kPrintableWidth / 2 - 800);

    addExportColumns(check);
    setExportTitle(titleOf(check), periodOf(check));
    addRows(check);
}

// The title, the period and settings, the caps that apply, the legend and the column headings.
void RptZangyo::addPageHeader(const YearCheck& check) {
    Band& ph = addBand(BandKind::PageHeader, "PageHeader", 1900);
    Control& title = ph.addLabel("lblTitle", 0, 100, kPrintableWidth, 520, titleOf(check));
    title.font.size = 18;
    title.align = Align::Center;
    const std::string period = periodOf(check);
    const std::string settings =
        fillIn(t::kPrintSettings, {t::kWeekdays[check.settings.holidayWeekday],
                                   check.settings.specialClause ? t::kYes : t::kNo});
    ph.addLabel("lblSettings", 0, 720, kPrintableWidth, 260, period + "　" + settings).font.size =
        9;
    ph.addLabel("lblCaps", 0, 990, kPrintableWidth, 260,
                check.settings.specialClause ? t::kCapsSpecial : t::kCapsPrinciple)
        .font.size = 9;
    Control& legend = ph.addLabel("lblLegend", 0, 1260, kPrintableWidth, 260, t::kPrintLegend);
    legend.font.size = 9;
    legend.align = Align::Right;
    ph.addLabel("lblName", 0, 1540, kNameWidth, 280, tamsel::texts::kEmployeeNameLabel);
    for (int m = 0; m < kMonthsInYear; ++m)
        ph.addLabel("lblM" + std::to_string(m + 1), kMonthLeft + m * kMonthWidth, 1540, kMonthWidth,
                    280, std::to_string(check.monthNumber(m)) + t::kMonthSuffix)
            .align = Align::Right;
    ph.addLabel("lblYear", kYearLeft, 1540, kYearWidth, 280, t::kYearTotalHeading).align =
        Align::Right;
    ph.addLabel("lblCount", kCountLeft, 1540, kCountWidth, 280, t::kOver45Heading).align =
        Align::Right;
    ph.addLine("Line1", 0, 1860, kPrintableWidth, 1860);
}

// One line per employee: the name, the twelve months, the year and the months beyond 45 hours.
void RptZangyo::addDetail() {
    Band& gh = addBand(BandKind::GroupHeader, "SyainIDGH", 0);
    gh.groupField = "SyainID";

    Band& d = addBand(BandKind::Detail, "Detail", 360);
    d.addField("txtSName", 0, 40, kNameWidth, 300, "SName");
    for (int m = 0; m < kMonthsInYear; ++m)
        d.addField("txt" + monthColumn(m), kMonthLeft + m * kMonthWidth, 40, kMonthWidth, 300,
                   monthColumn(m))
            .align = Align::Right;
    d.addField("txtYear", kYearLeft, 40, kYearWidth, 300, "YearOT").align = Align::Right;
    d.addField("txtCount", kCountLeft, 40, kCountWidth, 300, "Over45").align = Align::Right;
}

void RptZangyo::addBreachFooter(const YearCheck& check) {
    // The broken rules under the employee's line, one a line; the footer is as tall as the
    // longest list of the year and hidden for an employee who keeps the caps.
    std::size_t lines = 1;
    for (const EmployeeCheck& e : check.employees)
        lines = std::max(lines, breachPhrases(check, e.year).size());
    phraseLines_ = static_cast<int>(lines);
    Band& gf = addBand(BandKind::GroupFooter, "SyainIDGF", phraseLines_ * kPhraseHeight + 80);
    for (int k = 1; k <= phraseLines_; ++k)
        gf.addField("txtBreach" + std::to_string(k), kMonthLeft, (k - 1) * kPhraseHeight,
                    kPrintableWidth - kMonthLeft, kPhraseHeight, "Breach" + std::to_string(k))
            .font.size = 8;
    gf.addLine("Line2", 0, phraseLines_ * kPhraseHeight + 40, kPrintableWidth,
               phraseLines_ * kPhraseHeight + 40)
        .lineWidth = 5;
}

void RptZangyo::addExportColumns(const YearCheck& check) {
    // One row per employee: the month overtime, the year's overtime and the months beyond 45
    // hours (filled yellow and red where the screen colours them), the broken rules in words,
    // then per month the holiday work, overtime plus holiday work, and the highest 2- to 6-month
    // average with the months it averages: the figures the 100-hour and 80-hour caps are checked
    // on.
    auto column = [](std::string heading, std::string field, ExportType type, std::string format) {
        ExportColumn c;
        c.heading = std::move(heading);
        c.dataField = std::move(field);
        c.type = type;
        c.format = std::move(format);
        return c;
    };
    auto monthHeading = [&check](int m) {
        return plat::text::formatDate(
            {yearOf(check.firstMonth + m), monthOf(check.firstMonth + m), 1}, "yyyy/mm");
    };
    addExportColumn(column(reports::texts::kCsvEmployeeNumber, "SyainID", ExportType::Count, "0"));
    addExportColumn(column(tamsel::texts::kEmployeeNameLabel, "SName", ExportType::Text, {}));
    for (int m = 0; m < kMonthsInYear; ++m) {
        ExportColumn c =
            column(monthHeading(m), "OT" + std::to_string(m + 1), ExportType::Hours, "0.0");
        c.fillField = "Fill" + std::to_string(m + 1);
        addExportColumn(std::move(c));
    }
    ExportColumn year = column(t::kYearTotalHeading, "YearOTHours", ExportType::Hours, "0.0");
    year.fillField = "FillYear";
    addExportColumn(std::move(year));
    ExportColumn count = column(t::kOver45Heading, "Over45Count", ExportType::Count, "0");
    count.fillField = "FillCount";
    addExportColumn(std::move(count));
    addExportColumn(column(t::kCsvBreaches, "BreachLine", ExportType::Text, {}));
    for (int m = 0; m < kMonthsInYear; ++m) {
        const std::string n = std::to_string(m + 1);
        addExportColumn(
            column(monthHeading(m) + t::kCsvHoliday, "HD" + n, ExportType::Hours, "0.0"));
        addExportColumn(column(monthHeading(m) + t::kCsvOvertimeAndHoliday, "OH" + n,
                               ExportType::Hours, "0.0"));
        addExportColumn(
            column(monthHeading(m) + t::kCsvAverage, "AV" + n, ExportType::Hours, "0.00"));
        addExportColumn(
            column(monthHeading(m) + t::kCsvAverageSpan, "AS" + n, ExportType::Count, "0"));
    }
}

void RptZangyo::addRows(const YearCheck& check) {
    std::vector<std::string> columns = {"SyainID", "SName"};
    for (int m = 0; m < kMonthsInYear; ++m)
        columns.push_back(monthColumn(m));
    columns.insert(columns.end(), {"YearOT", "Over45"});
    for (int m = 0; m < kMonthsInYear; ++m)
        columns.push_back("OT" + std::to_string(m + 1));
    columns.insert(columns.end(), {"YearOTHours", "Over45Count", "BreachLine"});
    for (int k = 1; k <= phraseLines_; ++k)
        columns.push_back("Breach" + std::to_string(k));
    for (const char* figure : {"HD", "OH", "AV", "AS", "Fill"})
        for (int m = 0; m < kMonthsInYear; ++m)
            columns.push_back(figure + std::to_string(m + 1));
    columns.insert(columns.end(), {"FillYear", "FillCount"});
    auto source = std::make_unique<MemoryRecordSource>(columns);
    auto hours = [](Tenths t) { return Value::number(static_cast<double>(t) / kTenthsPerHour); };
    for (const EmployeeCheck& e : check.employees) {
        std::vector<Value> row = {Value::number(static_cast<double>(e.syainId)),
                                  Value::text(e.name)};
        for (int m = 0; m < kMonthsInYear; ++m)
            row.push_back(Value::text(monthCell(e.year, m)));
        row.push_back(Value::text(yearCell(e.year)));
        row.push_back(Value::text(countCell(e.year)));
        for (int m = 0; m < kMonthsInYear; ++m)
            row.push_back(hours(e.year.months[static_cast<std::size_t>(m)].overtime));
        row.push_back(hours(e.year.yearOvertime));
        row.push_back(Value::number(e.year.monthsOver45));
        std::vector<std::string> phrases = breachPhrases(check, e.year);
        row.push_back(Value::text(phrases.empty() ? std::string() : breachLine(check, e.year)));
        phrases.resize(static_cast<std::size_t>(phraseLines_));
        for (std::string& p : phrases)
            row.push_back(Value::text(std::move(p)));
        for (const MonthFigures& f : e.year.months)
            row.push_back(hours(f.holiday));
        for (const MonthFigures& f : e.year.months)
            row.push_back(hours(f.overtimeAndHoliday()));
        for (const Average& a : e.year.worstAverage)
            row.push_back(Value::number(
                a.span == 0 ? 0.0
                            : static_cast<double>(a.sum) /
                                  static_cast<double>(kTenthsPerHour * a.span)));
        for (const Average& a : e.year.worstAverage)
            row.push_back(Value::number(a.span));
        // The fills of the screen's cells: red where a cap that applies is broken, else yellow
        // beyond 45 hours.
        for (int m = 0; m < kMonthsInYear; ++m) {
            const auto at = static_cast<std::size_t>(m);
            row.push_back(Value::number(e.year.broken[at] ? 2 : e.year.over45[at] ? 1 : 0));
        }
        row.push_back(Value::number(yearBroken(e.year) ? 2 : 0));
        row.push_back(Value::number(countBroken(e.year) ? 2 : 0));
        source->addRow(std::move(row));
    }
    setRecordSource(std::move(source));
}

void RptZangyo::ChgPrinter() {
    reports::setPrinter(*this, orientation::kLandscape, paperSource::kAutomatic);
}

void RptZangyo::onFormat(Band& band) {
    if (band.kind == BandKind::GroupFooter)
        band.visible = !fieldValue("Breach1").asText().empty();
}

} // namespace tamsel::overtime
