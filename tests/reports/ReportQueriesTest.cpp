// The pure pieces: month limits and amounts cut to whole money units; and the work-table
// insert run on a real file.
#include "app/reports/ReportQueries.h"
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

namespace {

using plat::jet::Currency;
using plat::text::DateTime;
using namespace tamsel::reports;

TEST(MonthButtons, StepWithinDecember2001AndThreeMonthsAhead) {
    const DateTime today{2004, 4, 17};
    struct Case {
        DateTime shown;
        DateTime previous;
        DateTime next;
    } cases[] = {
        {{2001, 12, 1}, {2001, 12, 1}, {2002, 1, 1}}, // the first month stays
        {{2002, 1, 1}, {2001, 12, 1}, {2002, 2, 1}},
        {{2004, 1, 1}, {2003, 12, 1}, {2004, 2, 1}}, // across the year
        {{2004, 6, 1}, {2004, 5, 1}, {2004, 7, 1}},  // two months ahead may still step
        {{2004, 7, 1}, {2004, 6, 1}, {2004, 7, 1}},  // three months ahead is the limit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(previousMonth(c.shown), c.previous) << c.shown.year << "/" << c.shown.month;
        EXPECT_EQ(nextMonth(c.shown, today), c.next) << c.shown.year << "/" << c.shown.month;
    }
    // The limit follows the calendar across a year end.
    EXPECT_EQ(nextMonth({2005, 2, 1}, {2004, 11, 30}), (DateTime{2005, 2, 1}));
    EXPECT_EQ(nextMonth({2005, 1, 1}, {2004, 11, 30}), (DateTime{2005, 2, 1}));
}

TEST(MonthAmount, CutsToWholeUnitsBelow) {
    struct Case {
        double wage;
        double hours;
        std::int64_t amount;
    } cases[] = {
        {1250, 150.5, 188125},  {1333, 150.5, 200616}, // 200,616.5 cut down
        {1200, 22.6, 27120}, // 22.6 held as 22.599999… must not lose a unit
        {1500, 0.1 + 0.2, 450}, {999.5, 3, 2998},      {1000, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(monthAmount(Currency::fromDouble(c.wage), c.hours), Currency::fromUnits(c.amount))
            << c.wage << " x " << c.hours;
}

TEST(YearInsert, StoresTheLineWithTheNameAsWrittenOrNull) {
    testsupport::TempFolder home;
    const std::string path = home.file(QStringLiteral("Roumu.MDB")).toStdString();
    plat::jet::createSchema(path, {2004, 4, 1});
    plat::jet::Database db = plat::jet::Database::open(path);
    YearLine line;
    line.nengetu = {2004, 3, 1};
    line.syainId = 7;
    line.tMony = Currency::fromUnits(1333);
    line.rTime = 150.5;
    db.execute(yearInsertSql(line));
    line.syainId = 8;
    line.sName = plat::jet::Value("O'Neil 太郎");
    db.execute(yearInsertSql(line));
    plat::jet::Recordset rs = db.openRecordset("PRTRUIKEI");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("NENGETU").toDate(), (DateTime{2004, 3, 1}));
    EXPECT_EQ(rs.field("TMONY").toCurrency(), Currency::fromUnits(1333));
    EXPECT_DOUBLE_EQ(rs.field("RTIME").toDouble(), 150.5);
    EXPECT_EQ(rs.field("MMONY").toCurrency(), Currency::fromUnits(200616));
    EXPECT_TRUE(rs.field("SNAME").isNull());
    rs.moveNext();
    EXPECT_EQ(rs.field("SYAINID").toLong(), 8);
    EXPECT_EQ(rs.field("SNAME").toText(), "O'Neil 太郎");
}

TEST(SingleAsShown, SumsOfTenthsReadAsTenths) {
    float sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += 0.1f;
    EXPECT_DOUBLE_EQ(singleAsShown(sum), 0.3);
    EXPECT_DOUBLE_EQ(singleAsShown(7.3f), 7.3);
    EXPECT_DOUBLE_EQ(singleAsShown(0.0f), 0.0);
}

} // namespace
