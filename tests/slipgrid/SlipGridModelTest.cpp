// The slip grid's data without a widget: layout checks, values and their display texts,
// enabled flags, heading and totals cells, and the moves that skip what cannot be entered.
#include "SlipTestSupport.h"

#include "platform/widgets/slipgrid/SlipGridModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace plat::widgets;
using slipgrid_test::ledgerLayout;

namespace {

SlipGridLayout threeColumns(int rows) {
    SlipGridLayout l;
    l.columns = {textColumn("Name", 80, false), numberColumn("A", 40, "#0.0"),
                 numberColumn("B", 40, "#0.0")};
    l.initialRows = rows;
    return l;
}

TEST(SlipGridLayoutTest, RejectsFaultyLayouts) {
    struct Case {
        const char* what;
        std::function<void(SlipGridLayout&)> spoil;
    };
    const Case cases[] = {
        {"duplicate column", [](SlipGridLayout& l) { l.columns[2].field = "A"; }},
        {"empty column name", [](SlipGridLayout& l) { l.columns[1].field = ""; }},
        {"zero width", [](SlipGridLayout& l) { l.columns[1].width = 0; }},
        {"area name equal to a column",
         [](SlipGridLayout& l) {
             l.heading.lineHeights = {20};
             l.heading.cells.push_back(areaField("A", 0, 1));
         }},
        {"cell past the last column",
         [](SlipGridLayout& l) {
             l.heading.lineHeights = {20};
             l.heading.cells.push_back(areaField("h", 0, 2, 2));
         }},
        {"cell below the last line",
         [](SlipGridLayout& l) {
             l.totals.lineHeights = {20};
             l.totals.cells.push_back(areaField("t", 1, 0));
         }},
        {"duplicate area field",
         [](SlipGridLayout& l) {
             l.heading.lineHeights = {20};
             l.totals.lineHeights = {20};
             l.heading.cells.push_back(areaField("x", 0, 0));
             l.totals.cells.push_back(areaField("x", 0, 1));
         }},
        {"frozen past the end", [](SlipGridLayout& l) { l.frozenColumns = 4; }},
        {"zero row height", [](SlipGridLayout& l) { l.rowHeight = 0; }},
    };
    EXPECT_NO_THROW(checkLayout(threeColumns(1)));
    EXPECT_NO_THROW(checkLayout(ledgerLayout()));
    for (const Case& c : cases) {
        SlipGridLayout l = threeColumns(1);
        c.spoil(l);
        EXPECT_THROW(SlipGridModel{l}, std::invalid_argument) << c.what;
    }
}

TEST(SlipValueTest, FormatsNumbersByDisplayFormat) {
    struct Case {
        double value;
        const char* format;
        const char* shown;
    };
    const Case cases[] = {
        {7.5, "#0.0", "7.5"},
        {0, "#0.0", "0.0"},
        {24, "##0.0", "24.0"},
        {20250, "###,##0", "20,250"},
        {9375, "###,##0", "9,375"},
        {1234.56, "#,##0.0", "1,234.6"},
        {1234567, "#,###,##0.0", "1,234,567.0"},
        {359, "###0.0", "359.0"},
        {0.25, "", "0.25"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatSlipValue(SlipValue::number(c.value), c.format).toStdString(), c.shown)
            << c.value << " " << c.format;
    }
    EXPECT_EQ(formatSlipValue(SlipValue::empty(), "#0.0"), "");
    EXPECT_EQ(formatSlipValue(SlipValue::text("現場"), "#0.0"), "現場");
}

TEST(SlipValueTest, ReadsTypedAndWrittenNumbers) {
    EXPECT_EQ(parseSlipNumber("7.5"), SlipValue::number(7.5));
    EXPECT_EQ(parseSlipNumber(" 12 "), SlipValue::number(12));
    EXPECT_EQ(parseSlipNumber("１２．５"), SlipValue::number(12.5));
    EXPECT_EQ(parseSlipNumber(""), SlipValue::empty());
    EXPECT_EQ(parseSlipNumber("  "), SlipValue::empty());
    EXPECT_FALSE(parseSlipNumber("abc").has_value());
    EXPECT_FALSE(parseSlipNumber("1.2.3").has_value());
}

TEST(SlipGridModelTest, ValuesAreStoredFormattedAndReportChangesOnlyWhenDifferent) {
    SlipGridModel m(ledgerLayout());
    const int d0 = m.columnIndex("D0");
    const int name = m.columnIndex("GName");
    ASSERT_EQ(d0, 1);
    EXPECT_EQ(m.columnIndex("nope"), -1);
    EXPECT_TRUE(m.value(0, d0).isEmpty());
    EXPECT_EQ(m.value(0, d0).toNumber(), 0.0);

    EXPECT_TRUE(m.setValue(0, d0, SlipValue::number(7.5)));
    EXPECT_EQ(m.displayText(0, d0), "7.5");
    EXPECT_FALSE(m.setValue(0, d0, SlipValue::number(7.5)));
    EXPECT_TRUE(m.setValue(0, d0, SlipValue::text("8")));
    EXPECT_EQ(m.value(0, d0), SlipValue::number(8));
    EXPECT_THROW(m.setValue(0, d0, SlipValue::text("eight")), std::invalid_argument);
    EXPECT_EQ(m.value(0, d0), SlipValue::number(8));

    EXPECT_TRUE(m.setValue(3, name, SlipValue::text("本社ビル")));
    EXPECT_EQ(m.displayText(3, name), "本社ビル");
    EXPECT_TRUE(m.setValue(3, name, SlipValue::text("")));
    EXPECT_TRUE(m.value(3, name).isEmpty());

    EXPECT_THROW(m.value(9, d0), std::out_of_range);
    EXPECT_THROW(m.value(-1, d0), std::out_of_range);
    EXPECT_THROW(m.setValue(0, 33, SlipValue::number(1)), std::out_of_range);
}

TEST(SlipGridModelTest, RowsAppendClearAndRemove) {
    SlipGridModel m(threeColumns(0));
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_EQ(m.currentRow(), -1);
    m.appendRow();
    m.appendRow();
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.currentRow(), 0);
    m.setValue(0, 1, SlipValue::number(1));
    m.setValue(1, 1, SlipValue::number(2));
    m.setValue(1, 2, SlipValue::number(3));
    m.setEnabled(1, 2, false);

    m.clearRow(1);
    EXPECT_EQ(m.value(0, 1), SlipValue::number(1));
    EXPECT_TRUE(m.value(1, 1).isEmpty());
    EXPECT_EQ(m.displayText(1, 2), "");
    EXPECT_FALSE(m.isEnabled(1, 2)) << "clearing keeps the enabled flags";

    m.clearAllRows();
    EXPECT_TRUE(m.value(0, 1).isEmpty());

    m.setCurrent(1, 2);
    m.removeAllRows();
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_EQ(m.currentRow(), -1);
    EXPECT_THROW(m.setCurrent(0, 0), std::out_of_range);
}

TEST(SlipGridModelTest, HeadingAndTotalsCellsHoldTextsValuesAndColours) {
    SlipGridModel m(ledgerLayout());
    const int lg = m.areaIndex("lG");
    const int total = m.areaIndex("Total5");
    ASSERT_GE(lg, 0);
    ASSERT_GE(total, 0);
    EXPECT_EQ(m.areaIndex("D0"), -1);
    EXPECT_TRUE(m.isHeadingCell(lg));
    EXPECT_FALSE(m.isHeadingCell(total));
    EXPECT_EQ(m.areaDisplayText(lg), "現　　　　場　　　　名");
    EXPECT_FALSE(m.areaColor(lg).isValid());

    m.setAreaValue(total, SlipValue::number(20250));
    EXPECT_EQ(m.areaDisplayText(total), "20,250");
    m.setAreaValue(total, SlipValue::empty());
    EXPECT_EQ(m.areaDisplayText(total), "");

    const int sunday = m.areaIndex("lD3");
    m.setAreaValue(sunday, SlipValue::text("4日"));
    m.setAreaColor(sunday, QColor(255, 0, 0));
    EXPECT_EQ(m.areaDisplayText(sunday), "4日");
    EXPECT_EQ(m.areaColor(sunday), QColor(255, 0, 0));
}

// Moves on a 3 x 4 grid ("Name" read-only, A, B, C) with some cells disabled:
//   row 0:  Name  A    B-   C
//   row 1:  Name  A-   B-   C-
//   row 2:  Name  A    B    C
TEST(SlipGridModelTest, MovesSkipDisabledCellsAndEnterSkipsReadOnlyOnes) {
    SlipGridLayout l = threeColumns(3);
    l.columns.push_back(numberColumn("C", 40, "#0.0"));
    SlipGridModel m(l);
    m.setEnabled(0, 2, false);
    m.setEnabled(1, 1, false);
    m.setEnabled(1, 2, false);
    m.setEnabled(1, 3, false);

    struct Case {
        SlipCell from;
        SlipMove move;
        std::optional<SlipCell> to;
    };
    const Case cases[] = {
        {{0, 1}, SlipMove::Right, SlipCell{0, 3}},
        {{0, 3}, SlipMove::Right, std::nullopt},
        {{0, 3}, SlipMove::Left, SlipCell{0, 1}},
        {{0, 1}, SlipMove::Left, SlipCell{0, 0}}, // arrows reach the read-only name
        {{0, 1}, SlipMove::Down, SlipCell{2, 1}}, // over the disabled row 1
        {{2, 2}, SlipMove::Up, std::nullopt},     // B is disabled in rows 0 and 1
        {{2, 0}, SlipMove::Up, SlipCell{1, 0}},
        {{0, 1}, SlipMove::Next, SlipCell{0, 3}},
        {{0, 3}, SlipMove::Next, SlipCell{2, 1}}, // Enter wraps past the name and row 1
        {{2, 3}, SlipMove::Next, std::nullopt},
        {{2, 1}, SlipMove::Previous, SlipCell{0, 3}},
        {{0, 1}, SlipMove::Previous, std::nullopt},
        {{2, 2}, SlipMove::RowStart, SlipCell{2, 0}},
        {{0, 0}, SlipMove::RowEnd, SlipCell{0, 3}},
        {{1, 0}, SlipMove::RowEnd, SlipCell{1, 0}},
    };
    for (const Case& c : cases) {
        const auto got = m.step(c.from, c.move);
        ASSERT_EQ(got.has_value(), c.to.has_value())
            << c.from.row << "," << c.from.column << " move " << int(c.move);
        if (got) {
            EXPECT_EQ(*got, *c.to) << c.from.row << "," << c.from.column << " move " << int(c.move)
                                   << " gave " << got->row << "," << got->column;
        }
    }
}

} // namespace
