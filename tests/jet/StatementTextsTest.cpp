// Every statement text the screens and reports run, on a real database file, results checked.
#include "TestDb.h"

#include "platform/jet/Database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using jettest::LedgerLine;
using jettest::sqlDate;
using plat::jet::Database;
using plat::jet::Value;

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

class StatementTexts : public testing::Test {
protected:
    void SetUp() override {
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('山田　太郎',1250)");
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('O''Brien',1333)");
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('佐藤　次郎',1200)");
        db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('駅前ビル',#2004/01/05 09:00#)");
        db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('港北倉庫',#2004/03/10 14:30#)");
        db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('中央小学校',#2004/02/01 08:00#)");
    }

    jettest::TempDir dir;
    Database db = jettest::createDatabase(dir.file("Roumu.MDB"));
};

TEST_F(StatementTexts, PickListsAreOrderedAsTheScreensExpect) {
    EXPECT_EQ(column(db, "SELECT * FROM SYAIN_MT ORDER BY SYAINID DESC", "SyainID"),
              (std::vector<std::int64_t>{3, 2, 1}));
    EXPECT_EQ(column(db, "SELECT * FROM GENBA_MT ORDER BY CRTDATE DESC", "GenbaID"),
              (std::vector<std::int64_t>{2, 3, 1}));
}

TEST_F(StatementTexts, LookUpsReturnNameAndWageOrNoRow) {
    auto rs = db.openRecordset("SELECT SNAME,TMONY FROM SYAIN_MT WHERE SYAINID=2");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["SName"].toText(), "O'Brien");
    EXPECT_EQ(rs["TMONY"].toCurrency().scaled, 13330000);
    EXPECT_TRUE(db.openRecordset("SELECT SNAME,TMONY FROM SYAIN_MT WHERE SYAINID=99").eof());
    auto g = db.openRecordset("SELECT GNAME FROM GENBA_MT WHERE GENBAID=3");
    EXPECT_EQ(g["gname"].toText(), "中央小学校");
    EXPECT_TRUE(db.openRecordset("SELECT GNAME FROM GENBA_MT WHERE GENBAID=0").eof());
}

TEST_F(StatementTexts, LedgerMonthIsReplacedAndReadBackInLineOrder) {
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

TEST_F(StatementTexts, ShortMonthDaysAreStoredAsZeroAndNullDaysStayNull) {
    const std::string feb = sqlDate(2005, 2);
    jettest::replaceMonth(db, feb, 3, "佐藤　次郎", 1200, {line(1, "駅前ビル", {8})});
    db.execute("UPDATE KYUYO_F SET D2=NULL WHERE SYAINID=3");
    auto rs = db.openRecordset(jettest::readMonthSql(feb, 3));
    ASSERT_FALSE(rs.eof());
    for (const char* d : {"D29", "D30", "D31"}) {
        EXPECT_FALSE(rs[d].isNull());
        EXPECT_EQ(rs[d].toDouble(), 0.0);
    }
    EXPECT_TRUE(rs["D2"].isNull());
    EXPECT_EQ(rs["D2"].toDouble(), 0.0);
    EXPECT_EQ(rs["D1"].toDouble(), 8.0);
}

TEST_F(StatementTexts, InquirySumsSitesOverEmployeesHighestSiteFirst) {
    const std::string apr = sqlDate(2004, 4);
    jettest::replaceMonth(db, apr, 1, "山田　太郎", 1250,
                          {line(1, "駅前ビル", {8, 8}), line(3, "中央小学校", {0, 4})});
    jettest::replaceMonth(db, apr, 2, "O''Brien", 1333, {line(1, "駅前ビル", {7.5, 0, 1})});
    jettest::replaceMonth(db, sqlDate(2004, 5), 2, "O''Brien", 1333, {line(2, "港北倉庫", {8})});
    db.execute("UPDATE KYUYO_F SET D1=NULL WHERE SYAINID=1 AND GENBAID=3");
    std::string sql = "SELECT GENBAID,GNAME,";
    sql += "SUM(D1) AS SD0,SUM(D2) AS SD1,SUM(D3) AS SD2,SUM(D4) AS SD3,SUM(D5) AS SD4,SUM(D6) AS "
           "SD5,";
    sql += "SUM(D7) AS SD6,SUM(D8) AS SD7,SUM(D9) AS SD8,SUM(D10) AS SD9,SUM(D11) AS SD10,SUM(D12) "
           "AS SD11,";
    sql += "SUM(D13) AS SD12,SUM(D14) AS SD13,SUM(D15) AS SD14,SUM(D16) AS SD15,SUM(D17) AS SD16,";
    sql += "SUM(D18) AS SD17,SUM(D19) AS SD18,SUM(D20) AS SD19,SUM(D21) AS SD20,SUM(D22) AS SD21,";
    sql += "SUM(D23) AS SD22,SUM(D24) AS SD23,SUM(D25) AS SD24,SUM(D26) AS SD25,SUM(D27) AS SD26,";
    sql += "SUM(D28) AS SD27,SUM(D29) AS SD28,SUM(D30) AS SD29,SUM(D31) AS SD30";
    sql += " FROM KYUYO_F WHERE NENGETU=#";
    sql += apr;
    sql += "# ";
    sql += "GROUP BY GENBAID,GNAME,NENGETU ORDER BY GENBAID DESC";
    auto rs = db.openRecordset(sql);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["GENBAID"].toLong(), 3);
    EXPECT_TRUE(rs["SD0"].isNull()); // the screen counts it as 0
    EXPECT_EQ(rs["SD1"].toDouble(), 4.0);
    rs.moveNext();
    EXPECT_EQ(rs["GenbaID"].toLong(), 1);
    EXPECT_EQ(rs["GName"].toText(), "駅前ビル");
    EXPECT_EQ(rs["SD0"].toDouble(), 15.5);
    EXPECT_EQ(rs["SD1"].toDouble(), 8.0);
    EXPECT_EQ(rs["SD2"].toDouble(), 1.0);
    EXPECT_EQ(rs["SD30"].toDouble(), 0.0);
    rs.moveNext();
    EXPECT_TRUE(rs.eof()) << "May's site 2 must not appear";
    EXPECT_TRUE(db.openRecordset("SELECT GENBAID FROM KYUYO_F WHERE NENGETU=#2004/06/01# "
                                 "GROUP BY GENBAID,GNAME,NENGETU ORDER BY GENBAID DESC")
                    .eof());
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

TEST_F(StatementTexts, StatementCopyFillsWorkTableReadThroughItsStoredQuery) {
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

std::string annualQuery(int year) {
    std::string s = "SELECT Kyuyo_F.Nengetu, Kyuyo_F.SyainID, Kyuyo_F.SName, Kyuyo_F.TMony, ";
    s += "Sum([d1]+[d2]+[d3]+[d4]+[d5]+[d6]+[d7]+[d8]+[d9]+[d10]+[d11]+[d12]+[d13]+[d14]+[d15]+";
    s += "[d16]+[d17]+[d18]+[d19]+[d20]+[d21]+[d22]+[d23]+[d24]+[d25]+[d26]+[d27]+[d28]+[d29]+";
    s += "[d30]+[d31]) AS RTime ";
    s += "FROM Kyuyo_F INNER JOIN Syain_MT ON Kyuyo_F.SyainID = Syain_MT.SyainID ";
    s += "WHERE Year([Nengetu])=" + std::to_string(year);
    s += " GROUP BY Kyuyo_F.Nengetu, Kyuyo_F.SyainID, Kyuyo_F.SName, Kyuyo_F.TMony ";
    s += "ORDER BY Kyuyo_F.SyainID,NENGETU;";
    return s;
}

TEST_F(StatementTexts, AnnualAggregationSumsSitesPerMonthAndDropsDeletedEmployees) {
    jettest::replaceMonth(db, sqlDate(2004, 3), 1, "山田　太郎", 1250,
                          {line(1, "a", {100, 0.5}), line(2, "b", {50})});
    jettest::replaceMonth(db, sqlDate(2004, 1), 1, "山田　太郎", 1250, {line(1, "a", {8})});
    jettest::replaceMonth(db, sqlDate(2005, 1), 1, "山田　太郎", 1250, {line(1, "a", {8})});
    jettest::replaceMonth(db, sqlDate(2003, 12), 1, "山田　太郎", 1250, {line(1, "a", {8})});
    jettest::replaceMonth(db, sqlDate(2004, 3), 2, "O''Brien", 1333, {line(1, "a", {150.5})});
    jettest::replaceMonth(db, sqlDate(2004, 3), 3, "佐藤　次郎", 1200, {line(1, "a", {9})});
    db.execute("UPDATE KYUYO_F SET SName=NULL WHERE SYAINID=2");
    db.execute("DELETE FROM SYAIN_MT WHERE SYAINID=3");

    db.execute("DELETE FROM PRTRUIKEI");
    std::vector<std::string> got;
    for (auto rs = db.openRecordset(annualQuery(2004)); !rs.eof(); rs.moveNext()) {
        const double rtime = rs["RTIME"].toDouble();
        const auto wage = rs["TMony"].toCurrency();
        const double amount = std::floor(wage.toDouble() * rtime);
        got.push_back(rs["SyainID"].toText() + " " + rs["Nengetu"].toText().substr(0, 7) + " " +
                      Value(rtime).toText() + " " + Value(amount).toText());
        std::string cols = "INSERT INTO PRTRUIKEI(NENGETU,SYAINID,TMONY,RTIME,MMONY";
        std::string vals = " VALUES (#" +
                           sqlDate(rs["Nengetu"].toDate().year, rs["Nengetu"].toDate().month) +
                           "#," + rs["SyainID"].toText() + "," + wage.toText() + "," +
                           Value(rtime).toText() + "," + Value(amount).toText();
        if (!rs["SName"].isNull()) {
            cols += ",SNAME";
            vals += ",'" + plat::jet::sqlEscape(rs["SName"].toText()) + "'";
        }
        db.execute(cols + ")" + vals + ")");
    }
    EXPECT_EQ(got, (std::vector<std::string>{"1 2004-01 8 10000", "1 2004-03 150.5 188125",
                                             "2 2004-03 150.5 200616"}));
    auto q = db.openQuery("Q_PrtRuikei");
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q["SName"].toText(), "山田　太郎");
    EXPECT_EQ(q["MMony"].toCurrency(), plat::jet::Currency::fromUnits(10000));
    q.moveNext();
    q.moveNext();
    EXPECT_TRUE(q["SName"].isNull());
    EXPECT_EQ(q["RTime"].toDouble(), 150.5);
    EXPECT_EQ(q["MMony"].toDouble(), 200616.0);
    EXPECT_TRUE(db.openRecordset(annualQuery(2002)).eof());
}

std::string siteReportQuery(const std::string& date) {
    std::string s;
    s += "SELECT KYUYO_F.Nengetu, KYUYO_F.GenbaID, KYUYO_F.GName, Sum(KYUYO_F.D1*TMONY) AS D1, ";
    s += "Sum(KYUYO_F.D2*TMONY) AS D2, Sum(KYUYO_F.D3*TMONY) AS D3, Sum(KYUYO_F.D4*TMONY) AS D4, "
         "Sum(KYUYO_F.D5*TMONY) AS D5, ";
    s += "Sum(KYUYO_F.D6*TMONY) AS D6, Sum(KYUYO_F.D7*TMONY) AS D7, Sum(KYUYO_F.D8*TMONY) AS D8, "
         "Sum(KYUYO_F.D9*TMONY) AS D9, ";
    s += "Sum(KYUYO_F.D10*TMONY) AS D10, Sum(KYUYO_F.D11*TMONY) AS D11, Sum(KYUYO_F.D12*TMONY) AS "
         "D12, ";
    s += "Sum(KYUYO_F.D13*TMONY) AS D13, Sum(KYUYO_F.D14*TMONY) AS D14, Sum(KYUYO_F.D15*TMONY) AS "
         "D15, ";
    s += "Sum(KYUYO_F.D16*TMONY) AS D16, Sum(KYUYO_F.D17*TMONY) AS D17, Sum(KYUYO_F.D18*TMONY) AS "
         "D18, ";
    s += "Sum(KYUYO_F.D19*TMONY) AS D19, Sum(KYUYO_F.D20*TMONY) AS D20, Sum(KYUYO_F.D21*TMONY) AS "
         "D21, ";
    s += "Sum(KYUYO_F.D22*TMONY) AS D22, Sum(KYUYO_F.D23*TMONY) AS D23, Sum(KYUYO_F.D24*TMONY) AS "
         "D24, ";
    s += "Sum(KYUYO_F.D25*TMONY) AS D25, Sum(KYUYO_F.D26*TMONY) AS D26, Sum(KYUYO_F.D27*TMONY) AS "
         "D27, ";
    s += "Sum(KYUYO_F.D28*TMONY) AS D28, Sum(KYUYO_F.D29*TMONY) AS D29, Sum(KYUYO_F.D30*TMONY) AS "
         "D30, ";
    s += "Sum(KYUYO_F.D31*TMONY) AS D31 "
         ",Sum((KYUYO_F.D1+KYUYO_F.D2+KYUYO_F.D3+KYUYO_F.D4+KYUYO_F.D5+";
    s += "KYUYO_F.D6+KYUYO_F.D7+KYUYO_F.D8+KYUYO_F.D9+KYUYO_F.D10+KYUYO_F.D11+KYUYO_F.D12+";
    s += "KYUYO_F.D13+KYUYO_F.D14+KYUYO_F.D15+KYUYO_F.D16+KYUYO_F.D17+KYUYO_F.D18+KYUYO_F.D19+";
    s += "KYUYO_F.D20+KYUYO_F.D21+KYUYO_F.D22+KYUYO_F.D23+KYUYO_F.D24+KYUYO_F.D25+";
    s += "KYUYO_F.D26+KYUYO_F.D27+KYUYO_F.D28+KYUYO_F.D29+KYUYO_F.D30+KYUYO_F.D31)*TMONY) AS "
         "GTOTAL ";
    s += "From KYUYO_F ";
    s += "Where (((KYUYO_F.Nengetu)=#";
    s += date;
    s += "#)) ";
    s += "GROUP BY KYUYO_F.Nengetu, KYUYO_F.GenbaID, KYUYO_F.GName ";
    s += "ORDER BY KYUYO_F.GenbaID DESC";
    return s;
}

TEST_F(StatementTexts, SiteReportQueryIsRebuiltPerMonthAndSumsMoney) {
    const std::string apr = sqlDate(2004, 4);
    jettest::replaceMonth(db, apr, 1, "a", 1200, {line(1, "駅前ビル", {10})});
    jettest::replaceMonth(db, apr, 2, "b", 1500, {line(1, "駅前ビル", {0, 5.5})});
    jettest::replaceMonth(db, apr, 3, "c", 1333, {line(3, "中央小学校", {1})});
    // The screen deletes the query, ignoring a missing one, then creates it anew.
    try {
        db.deleteQuery("Q_PrtRoumuG");
    } catch (const plat::jet::Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::ItemNotFound);
    }
    db.createQuery("Q_PrtRoumuG", siteReportQuery(apr));
    auto q = db.openQuery("Q_PrtRoumuG");
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q["GenbaID"].toLong(), 3);
    EXPECT_EQ(q["GTotal"].toDouble(), 1333.0);
    q.moveNext();
    EXPECT_EQ(q["GName"].toText(), "駅前ビル");
    EXPECT_EQ(q["GTOTAL"].toDouble(), 20250.0);
    EXPECT_EQ(q["D1"].toDouble(), 12000.0);
    EXPECT_EQ(q["D2"].toDouble(), 8250.0);
    EXPECT_EQ(q["Nengetu"].toDate(), (plat::text::DateTime{2004, 4, 1}));
    q.close();

    db.deleteQuery("Q_PrtRoumuG");
    db.createQuery("Q_PrtRoumuG", siteReportQuery(sqlDate(2004, 5)));
    EXPECT_TRUE(db.openQuery("Q_PrtRoumuG").eof()) << "a month without lines gives no rows";
}

} // namespace
