// The ledger's rules and its database work on a real database file and a real server database:
// typed numbers, money of hours, the site column check, and replacing and reading an
// employee-month.
#include "app/ledger/LedgerRules.h"
#include "app/ledger/LedgerStore.h"
#include "platform/jet/Error.h"

#include "LedgerTestSupport.h"
#include "tests/jet/TestDb.h"

namespace {

using namespace tamsel::ledger;
using plat::jet::Currency;
using plat::text::DateTime;
using Kind = SiteColumnProblem::Kind;

TEST(LedgerRulesTest, TypedNumbersAreWholeNumbersOnly) {
    EXPECT_EQ(parseWholeNumber("12"), 12);
    EXPECT_EQ(parseWholeNumber(" 007 "), 7);
    EXPECT_EQ(parseWholeNumber("１２"), 12);
    EXPECT_EQ(parseWholeNumber("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "-3", "1.5", "12a", "1 2", "2147483648", "+4", "１．５"})
        EXPECT_FALSE(parseWholeNumber(bad)) << bad;
    EXPECT_TRUE(sameSite("7", "07"));
    EXPECT_FALSE(sameSite("7", "17"));
}

TEST(LedgerRulesTest, MoneyIsTakenAtFourDecimalsThenCutToWholeYen) {
    EXPECT_EQ(moneyOf(Currency::fromUnits(1250), 7.5), 9375);
    // 22.6 hours summed in single precision read 22.599998…; the grid shows 22.6.
    float hours = 0;
    for (int i = 0; i < 226; ++i)
        hours += 0.1f;
    EXPECT_EQ(moneyOf(Currency::fromUnits(1200), shownHours(hours)), 27120);
    EXPECT_EQ(moneyOf(Currency::fromDouble(999.5), 0.5), 499);
    EXPECT_EQ(moneyOf(Currency::fromUnits(0), 200), 0);
    EXPECT_FALSE(isOverDay(24.0));
    EXPECT_FALSE(isOverDay(shownHours(8.1f + 8.1f + 7.8f)));
    EXPECT_TRUE(isOverDay(24.1));
}

TEST(LedgerRulesTest, SiteColumnReportsTheFirstFaultWithItsFocus) {
    auto check = [](std::array<std::string, kLines> texts) { return checkSiteColumn(texts); };
    EXPECT_EQ(check({"3", "5"}).kind, Kind::None);
    EXPECT_EQ(check({}).kind, Kind::None);

    const SiteColumnProblem gap = check({"3", "", "5"});
    EXPECT_EQ(gap.kind, Kind::Missing);
    EXPECT_EQ(gap.line, 2);
    EXPECT_EQ(gap.focus, 1);

    const SiteColumnProblem twice = check({"1", "3", "4", "6", "3"});
    EXPECT_EQ(twice.kind, Kind::Duplicate);
    EXPECT_EQ(twice.focus, 4);

    EXPECT_EQ(check({"8", "08"}).kind, Kind::Duplicate);

    const SiteColumnProblem word = check({"3", "abc"});
    EXPECT_EQ(word.kind, Kind::NotWholeNumber);
    EXPECT_EQ(word.focus, 1);
}

class LedgerStoreTest : public jettest::EngineTest {
protected:
    void SetUp() override {
        jettest::EngineTest::SetUp();
        db.emplace(jettest::EngineTest::db);
    }
    MonthToSave month(std::vector<LedgerLine> lines) {
        MonthToSave m;
        m.month = april;
        m.syainId = 5;
        m.sName = "O'Hara 太郎";
        m.wage = Currency::fromUnits(1250);
        m.lines = std::move(lines);
        return m;
    }
    static LedgerLine line(std::int64_t site, std::string name, std::vector<float> days) {
        LedgerLine l;
        l.GenbaID = site;
        l.GName = std::move(name);
        for (size_t d = 0; d < days.size(); ++d)
            l.hours[d] = days[d];
        return l;
    }
    int rowCount() {
        return static_cast<int>(
            db->openRecordset("SELECT COUNT(*) AS N FROM KYUYO_F")["N"].toLong());
    }

    DateTime april{2004, 4, 1};
    std::optional<plat::jet::Database> db;
};
JET_ENGINE_SUITE(LedgerStoreTest);

TEST_P(LedgerStoreTest, SavedMonthReadsBackAndFewerLinesLeaveNoStaleRows) {
    replaceMonth(*db, month({line(3, "駅前's ビル", {8, 7.5f, 0.1f}), line(9, "B", {0, 0, 4}),
                             line(4, "C", {1})}));
    replaceMonth(*db, month({line(9, "B", {0, 0, 4}), line(3, "駅前's ビル", {8, 7.5f, 0.1f})}));
    EXPECT_EQ(rowCount(), 2);

    const StoredMonth m = readMonth(*db, april, 5);
    ASSERT_EQ(m.lines.size(), 2u);
    EXPECT_EQ(m.lines[0].GenbaID, 9);
    EXPECT_EQ(m.lines[1].GName, "駅前's ビル");
    EXPECT_EQ(m.lines[1].hours[1], 7.5f);
    EXPECT_EQ(m.lines[1].hours[2], 0.1f);
    EXPECT_EQ(m.wage, Currency::fromUnits(1250));
    EXPECT_EQ(db->openRecordset("SELECT SNAME FROM KYUYO_F")["SName"].toText(), "O'Hara 太郎");

    // Other months and other employees are never touched.
    EXPECT_TRUE(readMonth(*db, DateTime{2004, 5, 1}, 5).lines.empty());
    EXPECT_FALSE(readMonth(*db, april, 6).wage);
}

TEST_P(LedgerStoreTest, NullDaysReadAsZeroAndATenthLineIsAReadError) {
    replaceMonth(*db, month({line(1, "A", {8, 8})}));
    db->execute("UPDATE KYUYO_F SET D2=NULL");
    EXPECT_EQ(readMonth(*db, april, 5).lines.at(0).hours[1], 0.0f);

    std::vector<LedgerLine> nine;
    for (int i = 1; i <= kLines; ++i)
        nine.push_back(line(i, "S", {1}));
    replaceMonth(*db, month(nine));
    EXPECT_EQ(readMonth(*db, april, 5).lines.size(), 9u);
    db->execute("INSERT INTO KYUYO_F (Nengetu,SyainID,RowNo,GenbaID) "
                "SELECT Nengetu,SyainID,10,99 FROM KYUYO_F WHERE RowNo=1");
    EXPECT_THROW(readMonth(*db, april, 5), TooManyLines);
}

TEST_P(LedgerStoreTest, AFailingInsertRollsBackTheDeleteAsWell) {
    replaceMonth(*db, month({line(1, "A", {8}), line(2, "B", {4})}));
    // Two lines of one site break a unique index on the site number at the second insert, after
    // the old lines were deleted.
    db->execute("CREATE UNIQUE INDEX refuse ON KYUYO_F (GenbaID)");
    EXPECT_THROW(replaceMonth(*db, month({line(3, "C", {1}), line(3, "bad", {1})})),
                 plat::jet::Error);
    EXPECT_FALSE(db->inTransaction());
    const StoredMonth m = readMonth(*db, april, 5);
    ASSERT_EQ(m.lines.size(), 2u);
    EXPECT_EQ(m.lines[0].GName, "A");
    EXPECT_EQ(m.lines[1].GName, "B");
}

} // namespace
