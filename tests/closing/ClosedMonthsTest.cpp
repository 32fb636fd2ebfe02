// The closed months on real database files: a file from before closing existed, the rule that
// only months before the current one close, opening again, the months' figures, and the same
// rules through the console tool.
#include "app/closing/ClosedMonths.h"
#include "platform/jet/Error.h"

#include "ClosingTestSupport.h"

namespace {

using namespace closingtest;
using namespace tamsel::closing;
using plat::text::DateTime;

TEST(ClosedMonths, AnOldFileHasNoClosedMonthAndReadingDoesNotChangeIt) {
    const auto home = freshHome();
    plat::jet::Database db = freshDatabase(home);
    // Two employees at the same wage: each one's amount is cut to whole yen on its own, as
    // their ledgers show it (1999 + 3332, not 5332 from the sum of the hours).
    addLine(db, 2004, 3, 1, 1, "1333", "1.5");
    addLine(db, 2004, 3, 2, 1, "1333", "2");
    addLine(db, 2004, 3, 2, 2, "1333", "0.5");
    addLine(db, 2004, 2, 1, 1, "1000", "8");

    EXPECT_TRUE(closedMonths(db).empty());
    EXPECT_FALSE(isClosed(db, {2004, 3, 1}));
    EXPECT_EQ(openMonth(db, {2004, 3, 1}), OpenResult::NotClosed);
    const std::vector<MonthSummary> months = monthSummaries(db);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0].month, (DateTime{2004, 3, 1}));
    EXPECT_DOUBLE_EQ(months[0].hours, 4.0);
    EXPECT_EQ(months[0].amount, 1999 + 3332);
    EXPECT_FALSE(months[0].closedAt);
    EXPECT_EQ(months[1].month, (DateTime{2004, 2, 1}));
    EXPECT_EQ(months[1].amount, 8000);
    // Nothing above wrote the table into the file.
    try {
        db.openRecordset("SELECT * FROM SIME_F");
        ADD_FAILURE() << "the closed-months table was created by reading";
    } catch (const plat::jet::Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::TableNotFound);
    }
}

TEST(ClosedMonths, OnlyMonthsBeforeTheCurrentOneCloseAndOpeningRestores) {
    const auto home = freshHome();
    plat::jet::Database db = freshDatabase(home);
    const DateTime now{2004, 5, 15, 10, 30, 0};
    EXPECT_EQ(closeMonth(db, {2004, 5, 1}, now), CloseResult::NotBeforeCurrent);
    EXPECT_EQ(closeMonth(db, {2004, 6, 1}, now), CloseResult::NotBeforeCurrent);
    EXPECT_FALSE(isClosed(db, {2004, 5, 1}));

    // Any day of the month names the month.
    EXPECT_EQ(closeMonth(db, {2004, 4, 30}, now), CloseResult::Closed);
    EXPECT_EQ(closeMonth(db, {2004, 4, 1}, now), CloseResult::AlreadyClosed);
    EXPECT_TRUE(isClosed(db, {2004, 4, 1}));
    EXPECT_FALSE(isClosed(db, {2004, 3, 1}));
    ASSERT_EQ(closedMonths(db).size(), 1u);
    EXPECT_EQ(closedMonths(db)[0].closedAt, now);
    // A closed month without ledger lines is still listed, so it can be opened again.
    ASSERT_EQ(monthSummaries(db).size(), 1u);
    EXPECT_EQ(monthSummaries(db)[0].closedAt, now);

    db.beginTrans();
    EXPECT_THROW(refuseIfClosed(db, {2004, 4, 1}), MonthClosed);
    EXPECT_NO_THROW(refuseIfClosed(db, {2004, 3, 1}));
    db.rollback();

    EXPECT_EQ(openMonth(db, {2004, 4, 1}), OpenResult::Opened);
    EXPECT_FALSE(isClosed(db, {2004, 4, 1}));
    EXPECT_EQ(openMonth(db, {2004, 4, 1}), OpenResult::NotClosed);
}

TEST(ClosedMonths, MonthArgumentsAreYearDashMonth) {
    EXPECT_EQ(parseMonth("2004-04"), (DateTime{2004, 4, 1}));
    EXPECT_EQ(parseMonth("2004/4"), (DateTime{2004, 4, 1}));
    for (const char* bad : {"2004-13", "2004-00", "2004-04-01", "200404", "04-2004", "", "2004-4x"})
        EXPECT_FALSE(parseMonth(bad)) << bad;
    EXPECT_EQ(monthTitle({2004, 4, 1}), "2004年04月度");
}

TEST(ClosingTool, ClosesListsAndOpensMonthsWithTheSameRules) {
    const auto home = freshHome();
    {
        plat::jet::Database db = freshDatabase(home);
        addLine(db, 2004, 4, 1, 1, "1250", "7.5");
    }
    const std::string file = "'" + databaseFile(home) + "'";
    EXPECT_EQ(runTool("months " + file).out, "2004-04\t7.5\t9375\t未締め\t\n");

    ToolRun run = runTool("close-month " + file + " 2004-04");
    EXPECT_EQ(run.status, 0) << run.out;
    run = runTool("months " + file);
    EXPECT_EQ(run.out.rfind("2004-04\t7.5\t9375\t締め済み\t", 0), 0u) << run.out;

    const std::string current = monthArg(plat::text::nowLocal());
    run = runTool("close-month " + file + " " + current);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("当月以降の月は締められません。"), std::string::npos) << run.out;
    EXPECT_EQ(runTool("close-month " + file + " 2004-13").status, 2);

    EXPECT_EQ(runTool("open-month " + file + " 2004-04").status, 0);
    EXPECT_EQ(runTool("months " + file).out, "2004-04\t7.5\t9375\t未締め\t\n");
}

} // namespace
