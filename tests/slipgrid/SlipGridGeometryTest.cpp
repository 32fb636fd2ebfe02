// Where cells lie: columns side by side with the frozen name column staying put, the totals
// area under the last shown row, hits, and scrolling that brings a cell into view.
#include "SlipTestSupport.h"

#include "platform/widgets/slipgrid/SlipGridGeometry.h"

#include <gtest/gtest.h>

using namespace plat::widgets;
using slipgrid_test::ledgerLayout;

namespace {

const SlipAreaCell& areaCell(const SlipGridLayout& l, const QString& field) {
    for (const auto* area : {&l.heading, &l.totals})
        for (const SlipAreaCell& c : area->cells)
            if (c.field == field)
                return c;
    throw std::logic_error("no such cell");
}

SlipView viewOf(int width, int height, int rows, int hOffset = 0, int topRow = 0) {
    SlipView v;
    v.viewport = QSize(width, height);
    v.rowCount = rows;
    v.hOffset = hOffset;
    v.topRow = topRow;
    return v;
}

TEST(SlipGridGeometryTest, LaysOutColumnsAreasAndRows) {
    const SlipGridLayout l = ledgerLayout();
    const SlipGridGeometry g(l);
    EXPECT_EQ(g.contentWidth(), 150 + 31 * 40 + 58);
    EXPECT_EQ(g.frozenWidth(), 150);
    EXPECT_EQ(g.headingHeight(), 38);
    EXPECT_EQ(g.totalsHeight(), 44);
    EXPECT_EQ(g.fullSize(9), QSize(1448, 38 + 9 * 22 + 44));

    const SlipView all = viewOf(1448, 280, 9);
    EXPECT_EQ(g.rowCellRect(0, 1, all), QRect(150, 38, 40, 22));
    EXPECT_EQ(g.rowCellRect(8, 32, all), QRect(150 + 31 * 40, 38 + 8 * 22, 58, 22));
    EXPECT_EQ(g.totalsTop(all), 38 + 9 * 22);
    EXPECT_EQ(g.areaCellRect(areaCell(l, "lG"), true, all), QRect(0, 0, 150, 38));
    EXPECT_EQ(g.areaCellRect(areaCell(l, "a2"), true, all), QRect(230, 20, 40, 18));
    EXPECT_EQ(g.areaCellRect(areaCell(l, "Total31"), false, all),
              QRect(150 + 31 * 40, 38 + 9 * 22 + 22, 58, 22));

    // Fewer rows: the totals follow the last row instead of sitting at the bottom.
    EXPECT_EQ(g.totalsTop(viewOf(1448, 600, 2)), 38 + 2 * 22);
    // More rows than fit: the totals keep to the bottom, a part row shown above them.
    EXPECT_EQ(g.totalsTop(viewOf(1448, 38 + 44 + 5 * 22 + 10, 9)), 38 + 5 * 22 + 10);
    EXPECT_EQ(g.rowsThatFit(38 + 44 + 5 * 22 + 10), 5);
}

TEST(SlipGridGeometryTest, HitsCellsWithFrozenColumnsAndScrolling) {
    const SlipGridGeometry g(ledgerLayout());
    const SlipView scrolled = viewOf(600, 280, 9, 200, 0);
    EXPECT_EQ(g.rowCellAt(QPoint(10, 40), scrolled), (SlipCell{0, 0})); // frozen name
    // x 150 on screen is content x 350: "D5" (150 + 5 * 40), column 6.
    EXPECT_EQ(g.rowCellAt(QPoint(150, 40 + 22), scrolled), (SlipCell{1, 6}));
    EXPECT_FALSE(g.rowCellAt(QPoint(160, 10), scrolled).has_value()) << "heading";
    EXPECT_FALSE(g.rowCellAt(QPoint(160, 38 + 9 * 22 + 5), scrolled).has_value()) << "totals";

    const SlipView fewRows = viewOf(600, 400, 2);
    EXPECT_EQ(g.rowCellAt(QPoint(160, 38 + 22 + 5), fewRows), (SlipCell{1, 1}));
    EXPECT_FALSE(g.rowCellAt(QPoint(160, 38 + 2 * 22 + 44 + 20), fewRows).has_value());
}

TEST(SlipGridGeometryTest, RevealScrollsJustEnough) {
    const SlipGridGeometry g(ledgerLayout());
    // 450 px wide: 300 px for days beside the 150 px name column; 3 rows fit.
    const SlipView start = viewOf(450, 38 + 44 + 3 * 22, 9);

    SlipView v = g.revealed(SlipCell{0, 8}, start); // "D7" ends at 150 + 7 * 40 + 40 = 470
    EXPECT_EQ(v.hOffset, 20);
    v = g.revealed(SlipCell{0, 32}, v);
    EXPECT_EQ(v.hOffset, g.maxHOffset(450));
    v = g.revealed(SlipCell{0, 1}, v);
    EXPECT_EQ(v.hOffset, 0);
    v = g.revealed(SlipCell{0, 0}, g.revealed(SlipCell{0, 20}, start));
    EXPECT_GT(v.hOffset, 0) << "the frozen name column needs no scrolling";

    v = g.revealed(SlipCell{5, 1}, start);
    EXPECT_EQ(v.topRow, 3);
    v = g.revealed(SlipCell{1, 1}, v);
    EXPECT_EQ(v.topRow, 1);
    v = g.revealed(SlipCell{8, 1}, v);
    EXPECT_EQ(v.topRow, 6);
}

} // namespace
