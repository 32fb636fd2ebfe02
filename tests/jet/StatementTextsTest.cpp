// The ledger's statement texts and the statement work table on a real database file, results
// checked; and day columns that never hold Null. The inquiry and report texts are tested with
// the builders the screens use (tests/reports).
#include "EarlierVersionFile.h"
#include "TestDb.h"

#include "platform/jet/Database.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using jettest::LedgerLine;
using jettest::sqlDate;
using plat::jet::Database;

LedgerLine line(long genbaId, const std::string& gname, std::initializer_list<double> hours) {
    LedgerLine l{genbaId, gname, {}};
    std::size_t d = 0;
    for (double h : hours)
        l.hours[d++] = h;
    return l;
}

std::vector<std::int64_t> column(Database& db, const std::string& sql, const char* name) {
    std::vector<std::int64_t> v;
    for (auto rs = db.openRecordset(sql); !rs.eof(); rs.moveNext())
        v.push_back(rs[name].toLong());
    return v;
}

class StatementTexts : public jettest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('山田　太郎',1250)");
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('O''Brien',1333)");
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('佐藤　次郎',1200)");
        db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('駅前ビル',#2004/01/05 09:00#)");
        db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('港北倉庫',#2004/03/10 14:30#)");
        db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('中央小学校',#2004/02/01 08:00#)");
    }
};
JET_ENGINE_SUITE(StatementTexts);

TEST_P(StatementTexts, PickListsAreOrderedAsTheScreensExpect) {
    EXPECT_EQ(column(db, "SELECT * FROM SYAIN_MT ORDER BY SYAINID DESC", "SyainID"),
              (std::vector<std::int64_t>{3, 2, 1}));
    EXPECT_EQ(column(db, "SELECT * FROM GENBA_MT ORDER BY CRTDATE DESC", "GenbaID"),
              (std::vector<std::int64_t>{2, 3, 1}));
}

TEST_P(StatementTexts, LookUpsReturnNameAndWageOrNoRow) {
    auto rs = db.openRecordset("SELECT SNAME,TMONY FROM SYAIN_MT WHERE SYAINID=2");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["SName"].toText(), "O'Brien");
    EXPECT_EQ(rs["TMONY"].toCurrency().scaled, 13330000);
    EXPECT_TRUE(db.openRecordset("SELECT SNAME,TMONY FROM SYAIN_MT WHERE SYAINID=99").eof());
    auto g = db.openRecordset("SELECT GNAME FROM GENBA_MT WHERE GENBAID=3");
    EXPECT_EQ(g["gname"].toText(), "中央小学校");
    EXPECT_TRUE(db.openRecordset("SELECT GNAME FROM GENBA_MT WHERE GENBAID=0").eof());
}

TEST_P(StatementTexts, LedgerMonthIsReplacedAndReadBackInLineOrder) {
    const std::string apr = sqlDate(2004, 4);
    EXPECT_TRUE(db.openRecordset(jettest::readMonthSql(apr, 1)).eof()) << "empty month";
    jettest::replaceMonth(db, apr, 1, "山田　太郎", 1250,
                          {line(2, "港北倉庫", {8, 7.5, 0, 4}), line(1, "駅前ビル", {0, 0.5}),
                           line(3, "中央小学校", {})});
    // Fewer lines than before: no stale line 3 remains.
    jettest::replaceMonth(db, apr, 1, "山田　太郎", 1250.5,
                          {line(1, "駅前ビル", {8}), line(2, "港北倉庫", {0, 8})});
    auto rs = db.openRecordset(jettest::readMonthSql(apr, 1));
    std::vector<std::int64_t> sites;
    for (; !rs.eof(); rs.moveNext()) {
        sites.push_back(rs["GenbaID"].toLong());
        EXPECT_EQ(rs["Nengetu"].toDate(), (plat::text::DateTime{2004, 4, 1}));
        EXPECT_EQ(rs["TMony"].toCurrency().scaled, 12505000);
        EXPECT_EQ(rs["SName"].toText(), "山田　太郎");
    }
    EXPECT_EQ(sites, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(db.execute(jettest::deleteMonthSql(apr, 1)), 2);
    EXPECT_TRUE(db.openRecordset(jettest::readMonthSql(apr, 1)).eof());
}

TEST_P(StatementTexts, ShortMonthDaysAndNullDaysAreStoredAsZero) {
    const std::string feb = sqlDate(2005, 2);
    jettest::replaceMonth(db, feb, 3, "佐藤　次郎", 1200, {line(1, "駅前ビル", {8})});
    db.execute("UPDATE KYUYO_F SET D2=NULL WHERE SYAINID=3");
    // An explicit Null in an insert is stored as 0 too, never refused.
    db.execute("INSERT INTO KYUYO_F (NENGETU,SYAINID,ROWNO,GENBAID,D1,D5) VALUES (#" + feb +
               "#,3,2,2,Null,2.5)");
    auto rs = db.openRecordset(jettest::readMonthSql(feb, 3));
    ASSERT_FALSE(rs.eof());
    for (const char* d : {"D2", "D29", "D30", "D31"}) {
        EXPECT_FALSE(rs[d].isNull()) << d;
        EXPECT_EQ(rs[d].toDouble(), 0.0) << d;
    }
    EXPECT_EQ(rs["D1"].toDouble(), 8.0);
    rs.moveNext();
    ASSERT_FALSE(rs.eof());
    EXPECT_FALSE(rs["D1"].isNull());
    EXPECT_EQ(rs["D5"].toDouble(), 2.5);
}

TEST(EarlierVersionFile, DaysThatAcceptNullAreReadAsZeroOnceOpened) {
    jettest::TempDir dir;
    const std::string old = dir.file("Old.MDB");
    jettest::createDatabase(old);
    const std::string apr = sqlDate(2004, 4);
    jettest::rewriteAsEarlierVersion(
        old, {jettest::insertLineSql(apr, 1, "a", 1000, 1, line(1, "x", {8, 4})),
              "UPDATE KYUYO_F SET D2=NULL"});
    Database opened = Database::open(old);
    auto sum = [&] {
        return opened.openRecordset("SELECT D1+D2+D3 AS H FROM KYUYO_F ORDER BY ROWNO")["H"];
    };
    EXPECT_EQ(sum().toDouble(), 8.0); // the stored Null reads as 0
    // Nulls written later are stored as 0 as well, by insert and by update.
    opened.execute("INSERT INTO KYUYO_F (NENGETU,SYAINID,ROWNO,GENBAID,D3) VALUES (#" + apr +
                   "#,2,1,1,Null)");
    opened.execute("UPDATE KYUYO_F SET D1=Null WHERE SYAINID=1");
    EXPECT_EQ(opened
                  .openRecordset("SELECT count(*) FROM KYUYO_F WHERE D1 IS NULL OR D2 IS NULL "
                                 "OR D3 IS NULL")[0]
                  .toLong(),
              0);
    EXPECT_EQ(sum().toDouble(), 0.0);
    // Opening it again changes nothing more.
    EXPECT_NO_THROW(Database::open(old));
    EXPECT_EQ(opened.openRecordset("PRAGMA integrity_check")[0].toText(), "ok");
}

std::string copyQuery(bool one, long syainId, const std::string& date) {
    std::string s = "SELECT Kyuyo_F.*,";
    s += "(KYUYO_F.D1+KYUYO_F.D2+KYUYO_F.D3+KYUYO_F.D4+KYUYO_F.D5+";
    s += "KYUYO_F.D6+KYUYO_F.D7+KYUYO_F.D8+KYUYO_F.D9+KYUYO_F.D10+KYUYO_F.D11+KYUYO_F.D12+";
    s += "KYUYO_F.D13+KYUYO_F.D14+KYUYO_F.D15+KYUYO_F.D16+KYUYO_F.D17+KYUYO_F.D18+KYUYO_F.D19+";
    s += "KYUYO_F.D20+KYUYO_F.D21+KYUYO_F.D22+KYUYO_F.D23+KYUYO_F.D24+KYUYO_F.D25+";
    s += "KYUYO_F.D26+KYUYO_F.D27+KYUYO_F.D28+KYUYO_F.D29+KYUYO_F.D30+KYUYO_F.D31) AS GTOTAL ";
    s += " From Kyuyo_F ";
    if (one) {
        s += "Where SyainID=" + std::to_string(syainId);
        s += " And Nengetu=#" + date + "# ORDER BY RowNo";
    } else {
        s += "Where Nengetu=#" + date;
        s += "# ORDER BY SyainID,RowNo";
    }
    return s;
}

TEST_P(StatementTexts, StatementCopyFillsWorkTableReadThroughItsStoredQuery) {
    const std::string apr = sqlDate(2004, 4);
    jettest::replaceMonth(db, apr, 2, "O''Brien", 1333,
                          {line(1, "駅前ビル", {7.5, 0, 1}), line(2, "港北倉庫", {4})});
    jettest::replaceMonth(db, apr, 1, "山田　太郎", 1250, {line(3, "中央小学校", {8, 8})});
    jettest::replaceMonth(db, sqlDate(2004, 3), 1, "山田　太郎", 1250, {line(3, "x", {1})});

    auto one = db.openRecordset(copyQuery(true, 2, apr));
    ASSERT_FALSE(one.eof());
    EXPECT_EQ(one["GTOTAL"].toDouble(), 8.5);
    EXPECT_EQ(one["RowNo"].toLong(), 1);
    one.close();

    db.execute("DELETE FROM PRTROUMUM");
    auto all = db.openRecordset(copyQuery(false, 0, apr));
    auto work = db.openDynaset("PrtRoumuM", true);
    int copied = 0;
    for (; !all.eof(); all.moveNext(), ++copied) {
        work.addNew();
        for (int i = 0; i < all.fieldCount(); ++i)
            work.setField(all.fieldName(i), all.field(i));
        work.update();
    }
    EXPECT_EQ(copied, 3);
    auto q = db.openQuery("Q_SRoumuM");
    std::vector<std::string> order;
    for (; !q.eof(); q.moveNext()) {
        order.push_back(q["SyainID"].toText() + "/" + q["RowNo"].toText());
        EXPECT_EQ(q["Nengetu"].toDate(), (plat::text::DateTime{2004, 4, 1}));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"1/1", "2/1", "2/2"}));
    auto first = db.openQuery("Q_SRoumuM");
    EXPECT_EQ(first["GTotal"].toDouble(), 16.0);
    EXPECT_EQ(first["SName"].toText(), "山田　太郎");
    EXPECT_EQ(first["TMony"].toCurrency().scaled, 12500000);
}

} // namespace
