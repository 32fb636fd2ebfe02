// The pure pieces: month limits, amounts cut to whole money units, and the work-table insert.
#include "app/reports/ReportQueries.h"

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

TEST(YearInsert, NameColumnOnlyWithANameAndQuotesDoubled) {
    YearLine line;
    line.nengetu = {2004, 3, 1};
    line.syainId = 7;
    line.tMony = Currency::fromUnits(1333);
    line.rTime = 150.5;
    EXPECT_EQ(yearInsertSql(line), "INSERT INTO PRTRUIKEI(NENGETU,SYAINID,TMONY,RTIME,MMONY) "
                                   "VALUES (#2004/03/01#,7,1333,150.5,200616)");
    line.sName = plat::jet::Value("O'Neil 太郎");
    EXPECT_EQ(yearInsertSql(line), "INSERT INTO PRTRUIKEI(NENGETU,SYAINID,TMONY,RTIME,MMONY,SNAME) "
                                   "VALUES (#2004/03/01#,7,1333,150.5,200616,'O''Neil 太郎')");
}

TEST(Statements, CarryTheMonthAndYear) {
    EXPECT_NE(inquirySql({2004, 2, 1}).find(" FROM KYUYO_F WHERE NENGETU=#2004/02/01# GROUP BY"),
              std::string::npos);
    EXPECT_NE(siteReportSql({2004, 4, 1}).find("Where (((KYUYO_F.Nengetu)=#2004/04/01#)) GROUP BY"),
              std::string::npos);
    EXPECT_NE(yearAggregateSql(2004).find("WHERE Year([Nengetu])=2004 GROUP BY"),
              std::string::npos);
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
