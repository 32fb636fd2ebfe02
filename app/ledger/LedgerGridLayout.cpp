// The ledger grid's fields, headings and footers.
#include "app/ledger/LedgerGridLayout.h"

#include "app/ledger/LedgerSql.h"
#include "app/ledger/Texts.h"

namespace tamsel::ledger {

plat::widgets::SlipGridLayout ledgerGridLayout() {
    using namespace plat::widgets;
    const auto tr8 = [](const char* utf8) { return QString::fromUtf8(utf8); };
    constexpr int kTotalColumn = kDays + 1;
    SlipGridLayout l;
    // Sized so that the whole month, the totals and the buttons fit a 1,280-pixel screen at the
    // normal font: narrow day columns, and the day amounts on two lines, each amount beginning
    // under its day and running on under the next day (odd days above, even days below).
    l.rowHeight = 22;
    l.frozenColumns = 1;
    l.initialRows = kLines;
    l.columns.push_back(textColumn(QStringLiteral("GName"), 112, false));
    for (int d = 0; d < kDays; ++d)
        l.columns.push_back(numberColumn(indexedField("D", d), 30, "#0.0"));
    l.columns.push_back(numberColumn(QStringLiteral("D31"), 58, "##0.0", false));

    l.heading.lineHeights = {18, 18};
    l.heading.cells.push_back(
        areaField(QStringLiteral("lG"), 0, 0, 1, 2, {}, tr8(tamsel::texts::kGridSiteHeading)));
    for (int d = 0; d < kDays; ++d) {
        l.heading.cells.push_back(areaField(indexedField("lD", d), 0, 1 + d));
        l.heading.cells.push_back(areaField(indexedField("a", d), 1, 1 + d));
    }
    l.heading.cells.push_back(areaField(QStringLiteral("lD31"), 0, kTotalColumn, 1, 2, {},
                                        tr8(tamsel::texts::kGridTotalHeading)));

    l.totals.lineHeights = {22, 22, 22};
    l.totals.cells.push_back(areaCaption(tr8(texts::kHoursCaption), 0, 0));
    l.totals.cells.push_back(areaCaption(tr8(texts::kMoneyCaption), 1, 0, 1, 2));
    for (int d = 0; d <= kDays; ++d)
        l.totals.cells.push_back(
            areaField(indexedField("TTime", d), 0, 1 + d, 1, 1, d == kDays ? "###0.0" : "##0.0"));
    for (int d = 0; d < kDays; ++d) {
        SlipAreaCell money = areaField(indexedField("Total", d), 1 + d % 2, 1 + d, 2, 1, "###,##0");
        money.align = SlipAlign::Left;
        l.totals.cells.push_back(money);
    }
    // The month's money under the month's hours, on the lower line beside the last even day.
    l.totals.cells.push_back(areaField(indexedField("Total", kDays), 2, kTotalColumn, 1, 1,
                                       "###,##0"));
    return l;
}

} // namespace tamsel::ledger
