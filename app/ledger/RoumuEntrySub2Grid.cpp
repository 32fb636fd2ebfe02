// The ledger grid screen, the grid itself: typed hours, their validation, line and column
// totals with the money row, the overtime line under the grid, and deleting a line.
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/ledger/LedgerRules.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/ledger/Texts.h"
#include "app/overtime/CapCheck.h"
#include "app/overtime/LedgerHours.h"
#include "app/overtime/OvertimeSettings.h"
#include "platform/jet/Error.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include <QLabel>

namespace tamsel {

namespace t = ledger::texts;
using ledger::kDays;
using ledger::kLines;
using plat::widgets::indexedField;

namespace {
const QColor kOverDay(255, 0, 0);
} // namespace

// Hours -----------------------------------------------------------------------------------

void RoumuEntrySub2::DGrid_Change(int row, const QString& field) {
    if (state() != Ready || quiet_ > 0 || field == QLatin1String("GName"))
        return;
    const int column = QStringView(field).mid(1).toInt();
    columnTotal(column);
    if (column < kDays)
        lineTotal(row);
    showOvertime();
    markDirty();
}

void RoumuEntrySub2::DGrid_Committing(plat::widgets::SlipValue& value) {
    if (value.isEmpty())
        value = plat::widgets::SlipValue::number(0);
}

// A day cell takes 0 to 24 hours with one decimal; anything else keeps the former value, the
// refused text stays in the open entry and the status line says what is allowed (the grid
// beeps).
void RoumuEntrySub2::DGrid_Validating(const plat::widgets::SlipValue& value, bool& refuse) {
    if (value.isEmpty() || (value.isNumber() && ledger::isDayHours(value.toNumber()))) {
        clearStatus();
        return;
    }
    refuse = true;
    showStatus(t::kHoursRefused);
}

// Enter on the last day of a line whose next line has no site yet goes on to that line's
// site box, so a month is typed without leaving the keyboard. True when it did.
bool RoumuEntrySub2::enterAtLineEnd() {
    const int row = grid_->currentRow();
    if (row < 0 || row + 1 >= kLines ||
        grid_->currentField() != indexedField("D", daysInMonth_ - 1))
        return false;
    if (!GenbaID(row + 1).widget()->isEnabled() || !boxText(row + 1).isEmpty())
        return false;
    if (grid_->commitEdit())
        focusBox(row + 1);
    return true;
}

// Totals ----------------------------------------------------------------------------------

void RoumuEntrySub2::lineTotal(int line) {
    float sum = 0;
    for (int d = 0; d < kDays; ++d)
        sum += static_cast<float>(grid_->number(line, indexedField("D", d)));
    grid_->setNumber(line, QStringLiteral("D31"), ledger::shownHours(sum));
}

// The lines down to the first empty site box count; column 31 sums the line totals, so the
// month's money is the wage times the month's hours, cut once.
void RoumuEntrySub2::columnTotal(int column) {
    const QString field = indexedField("D", column);
    float sum = 0;
    for (int l = 0; l < kLines && !boxText(l).isEmpty(); ++l)
        sum += static_cast<float>(grid_->number(l, field));
    const double hours = ledger::shownHours(sum);
    const QString hoursField = indexedField("TTime", column);
    grid_->setTotal(hoursField, hours);
    grid_->setTotal(indexedField("Total", column),
                    static_cast<double>(
                        ledger::moneyOf(plat::jet::Currency::fromDouble(tMony_->value()), hours)));
    if (column < kDays)
        grid_->setHeadingColor(hoursField, ledger::isOverDay(hours) ? kOverDay : QColor());
}

void RoumuEntrySub2::allTotals() {
    for (int l = 0; l < kLines; ++l)
        lineTotal(l);
    for (int c = 0; c <= kDays; ++c)
        columnTotal(c);
    showOvertime();
}

void RoumuEntrySub2::readOvertimeBasis() {
    const LedgerKeyData& key = RoumuM().LedgerKey;
    previousLines_.clear();
    holidayWeekday_ = 0;
    try {
        holidayWeekday_ = overtime::loadSettings(*RoumuM().RoumuDb).holidayWeekday;
        previousLines_ = overtime::readMonthLines(*RoumuM().RoumuDb, key.SyainID,
                                                  plat::text::addMonths(key.Nengetu, -1));
    } catch (const plat::jet::Error&) {
        // The line is a help, not part of the ledger: without the month before it counts this
        // month's weeks from the first of the month.
    }
}

// Counted over the same lines as the day totals, so it follows every typed hour.
void RoumuEntrySub2::showOvertime() {
    std::vector<overtime::LineHours> lines;
    for (int l = 0; l < kLines && !boxText(l).isEmpty(); ++l) {
        overtime::LineHours& h = lines.emplace_back();
        for (int d = 0; d < kDays; ++d)
            h[static_cast<size_t>(d)] = grid_->number(l, indexedField("D", d));
    }
    const overtime::MonthFigures f = overtime::monthFiguresOfLines(
        RoumuM().LedgerKey.Nengetu, lines, previousLines_, holidayWeekday_);
    const auto hours = [](overtime::Tenths t) {
        return QString::number(static_cast<double>(t) / overtime::kTenthsPerHour, 'f', 1);
    };
    overtime_->setText(tr8(t::kOvertimeLine).arg(hours(f.overtime), hours(f.holiday)));
    QPalette p = overtime_->palette();
    p.setColor(QPalette::WindowText, f.overtime > overtime::kMonthPrinciple
                                         ? kOverDay
                                         : palette().color(QPalette::WindowText));
    overtime_->setPalette(p);
}

// Line deletion -----------------------------------------------------------------------------

void RoumuEntrySub2::clearLine(int line) {
    Quiet quiet(*this);
    GenbaID(line).setText(QString());
    grid_->clearRow(line);
}

void RoumuEntrySub2::deleteLine() {
    const int d = grid_->currentRow();
    if (d < 0 || d >= kLines)
        return;
    showMessage(t::kDeletingLine, true);
    // Removing a site is a change to save even though the clearing itself raises none.
    if (!boxText(d).isEmpty() && state() == Ready)
        markDirty();
    clearLine(d);
    if (d == kLines - 1) {
        enableDays(d, false);
    } else if (boxText(d + 1).isEmpty()) {
        enableDays(d, false);
        enableBox(d + 1, false);
    } else {
        moveLineUp(d);
    }
    allTotals();
    updateCopyButton();
}

// Moves the lines below `to` up by one; the line that ends up empty is the input line.
void RoumuEntrySub2::moveLineUp(int to) {
    for (int a = to; a < kLines - 1; ++a) {
        const int from = a + 1;
        GenbaID(a).setText(boxText(from));
        grid_->setValue(a, QStringLiteral("GName"), grid_->value(from, QStringLiteral("GName")));
        for (int d = 0; d < kDays; ++d) {
            const QString field = indexedField("D", d);
            grid_->setValue(a, field, grid_->value(from, field));
        }
        if (boxText(from).isEmpty()) {
            enableDays(a, false);
            enableBox(from, false);
            return;
        }
        clearLine(from);
    }
    // The last line moved up: line 8 is the new input line, without hours until it has a site.
    enableDays(kLines - 1, false);
}

} // namespace tamsel
