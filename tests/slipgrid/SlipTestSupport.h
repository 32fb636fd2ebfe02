// Shared by the slip grid tests: the application object and a ledger-like layout (site name,
// 31 day columns and a line total; day and weekday headings; hour and money totals).
#pragma once

#include "platform/widgets/slipgrid/SlipGridLayout.h"
#include "tests/support/Application.h"

#include <QApplication>

namespace slipgrid_test {

inline QApplication& app() {
    return testsupport::qtApp();
}

inline plat::widgets::SlipGridLayout ledgerLayout(int rows = 9) {
    using namespace plat::widgets;
    SlipGridLayout l;
    l.rowHeight = 22;
    l.frozenColumns = 1;
    l.initialRows = rows;
    l.columns.push_back(textColumn("GName", 150, false));
    for (int d = 0; d <= 30; ++d)
        l.columns.push_back(numberColumn(indexedField("D", d), 40, "#0.0"));
    // The line total is the screen's to write.
    l.columns.push_back(numberColumn("D31", 58, "##0.0", false));

    l.heading.lineHeights = {20, 18};
    l.heading.cells.push_back(areaField("lG", 0, 0, 1, 2, {}, "現　　　　場　　　　名"));
    for (int d = 0; d <= 30; ++d) {
        l.heading.cells.push_back(areaField(indexedField("lD", d), 0, 1 + d));
        l.heading.cells.push_back(areaField(indexedField("a", d), 1, 1 + d));
    }
    l.heading.cells.push_back(areaField("lD31", 0, 32, 1, 2, {}, "合　計"));

    l.totals.lineHeights = {22, 22};
    l.totals.cells.push_back(areaCaption("　合計時間　", 0, 0));
    l.totals.cells.push_back(areaCaption("　合計金額　", 1, 0));
    for (int d = 0; d <= 31; ++d) {
        l.totals.cells.push_back(
            areaField(indexedField("TTime", d), 0, 1 + d, 1, 1, d == 31 ? "###0.0" : "##0.0"));
        l.totals.cells.push_back(areaField(indexedField("Total", d), 1, 1 + d, 1, 1, "###,##0"));
    }
    return l;
}

// The monthly inquiry: one row per site, day headings "1日(月)" on one line, one totals line.
inline plat::widgets::SlipGridLayout inquiryLayout() {
    using namespace plat::widgets;
    SlipGridLayout l;
    l.rowHeight = 20;
    l.frozenColumns = 1;
    l.columns.push_back(textColumn("GName", 160, false));
    for (int d = 0; d <= 30; ++d)
        l.columns.push_back(numberColumn(indexedField("D", d), 46, "#,##0.0", false));
    l.columns.push_back(numberColumn("D31", 64, "#,###,##0.0", false));
    l.heading.lineHeights = {22};
    l.heading.cells.push_back(areaField("lG", 0, 0, 1, 1, {}, "現　　　　場　　　　名"));
    for (int d = 0; d <= 31; ++d)
        l.heading.cells.push_back(areaField(indexedField("lD", d), 0, 1 + d));
    l.heading.cells.back().caption = "合　計";
    l.totals.lineHeights = {22};
    l.totals.cells.push_back(areaCaption("合　計", 0, 0));
    for (int d = 0; d <= 31; ++d)
        l.totals.cells.push_back(areaField(indexedField("TTime", d), 0, 1 + d, 1, 1,
                                           d == 31 ? "###,##0.0" : "##,##0.0"));
    return l;
}

} // namespace slipgrid_test
