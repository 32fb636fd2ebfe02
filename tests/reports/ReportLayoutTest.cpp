// The two report layouts over real database files: the site report from the month's stored
// query and the annual report from the extracted work table, laid out and written as PDF.
#include "app/reports/ReportData.h"
#include "app/reports/RptRoumuG.h"
#include "app/reports/RptRuikei.h"
#include "platform/report/Output.h"

#include "ReportsTestSupport.h"

#include <set>

namespace {

using namespace reportstest;
using plat::text::DateTime;

class ReportLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        home = freshHome(::testing::UnitTest::GetInstance()->current_test_info()->name());
        db.emplace(freshDatabase(home));
    }
    QString folder() const { return QString::fromStdString(home.string()); }
    std::filesystem::path pdf(const char* name) const { return home / name; }

    std::filesystem::path home;
    std::optional<plat::jet::Database> db;
};

TEST_F(ReportLayoutTest, SiteReportListsSitesByDescendingNumberWithAmountsAndTotal) {
    const auto a = addSite(*db, "愛宕ビル"); // lowest number, first alphabetically too
    const auto b = addSite(*db, "横浜倉庫");
    const auto c = addSite(*db, "中央病院");
    addLine(*db, {.syainId = 1,
                  .wage = "1200",
                  .genbaId = b,
                  .gName = "横浜倉庫",
                  .days = {{1, 4.0}, {2, 6.0}}});
    addLine(*db,
            {.syainId = 2, .wage = "1500", .genbaId = b, .gName = "横浜倉庫", .days = {{3, 5.5}}});
    addLine(*db, {.syainId = 1,
                  .wage = "1200",
                  .rowNo = 2,
                  .genbaId = a,
                  .gName = "愛宕ビル",
                  .days = {{4, 1.0}}});
    addLine(*db, {.syainId = 2,
                  .wage = "1500",
                  .rowNo = 2,
                  .genbaId = c,
                  .gName = "中央病院",
                  .days = {{5, 2.0}}});
    tamsel::reports::buildSiteReportQuery(*db, {2004, 4, 1});

    tamsel::reports::RptRoumuG report(folder());
    report.ChgPrinter();
    EXPECT_EQ(report.pageSetup().paperSource, 7);
    ASSERT_TRUE(plat::report::exportPdf(report, QString::fromStdString(pdf("site.pdf").string())));
    const std::string text = pdfText(pdf("site.pdf"));
    EXPECT_NE(text.find("平成16年04月度現場別労務費一覧表"), std::string::npos) << text;
    // 10 h x 1,200 + 5.5 h x 1,500 on one site.
    const auto pc = text.find("中央病院3,000");
    const auto pb = text.find("横浜倉庫20,250");
    const auto pa = text.find("愛宕ビル1,200");
    ASSERT_NE(pc, std::string::npos) << text;
    ASSERT_NE(pb, std::string::npos) << text;
    ASSERT_NE(pa, std::string::npos) << text;
    EXPECT_LT(pc, pb);
    EXPECT_LT(pb, pa);
    EXPECT_NE(text.find("総合計24,450"), std::string::npos) << text;
    EXPECT_NE(text.find("1／1ページ"), std::string::npos) << text;
    EXPECT_NE(pdfInfo(pdf("site.pdf")).find("(A4)"), std::string::npos);
}

TEST_F(ReportLayoutTest, SiteReportOfAnEmptyMonthWritesNothing) {
    addLine(*db, {.month = 5, .days = {{1, 1.0}}});
    tamsel::reports::buildSiteReportQuery(*db, {2004, 4, 1});
    // The stored query is replaced, not added to.
    tamsel::reports::buildSiteReportQuery(*db, {2004, 4, 1});
    tamsel::reports::RptRoumuG report(folder());
    EXPECT_FALSE(plat::report::exportPdf(report, QString::fromStdString(pdf("none.pdf").string())));
    EXPECT_FALSE(std::filesystem::exists(pdf("none.pdf")));
}

TEST_F(ReportLayoutTest, YearExtractionSumsSitesSkipsDeletedEmployeesAndKeepsNullNames) {
    const auto taro = addEmployee(*db, "山田　太郎", 1333);
    const auto gone = addEmployee(*db, "退職　次郎", 1000);
    const auto nameless = addEmployee(*db, "名無し", 1250);
    // March on two sites: one month line of 150.5 hours.
    addLine(*db, {.month = 3,
                  .syainId = taro,
                  .sName = "山田　太郎",
                  .wage = "1333",
                  .genbaId = 1,
                  .days = {{1, 100.0}}});
    addLine(*db, {.month = 3,
                  .syainId = taro,
                  .sName = "山田　太郎",
                  .wage = "1333",
                  .rowNo = 2,
                  .genbaId = 2,
                  .days = {{2, 50.5}}});
    addLine(*db, {.month = 4, .syainId = gone, .sName = "退職　次郎", .days = {{1, 8.0}}});
    addLine(*db, {.month = 5,
                  .syainId = nameless,
                  .sName = std::nullopt,
                  .wage = "1250",
                  .days = {{1, 150.5}}});
    addLine(*db, {.year = 2003, .month = 12, .syainId = taro, .days = {{1, 8.0}}});
    db->execute("DELETE FROM SYAIN_MT WHERE SyainID=" + std::to_string(gone));
    db->execute("INSERT INTO PRTRUIKEI (SYAINID) VALUES (99)"); // left from an earlier print

    EXPECT_EQ(tamsel::reports::extractYear(*db, 2004), 2);
    plat::jet::Recordset rs = db->openRecordset("SELECT * FROM PRTRUIKEI ORDER BY SYAINID");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("SYAINID").toLong(), taro);
    EXPECT_EQ(rs.field("NENGETU").toDate(), (DateTime{2004, 3, 1}));
    EXPECT_DOUBLE_EQ(rs.field("RTIME").toDouble(), 150.5);
    EXPECT_EQ(rs.field("MMONY").toCurrency(), plat::jet::Currency::fromUnits(200616));
    EXPECT_EQ(rs.field("SNAME").toText(), "山田　太郎");
    rs.moveNext();
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("SYAINID").toLong(), nameless);
    EXPECT_TRUE(rs.field("SNAME").isNull());
    EXPECT_EQ(rs.field("MMONY").toCurrency(), plat::jet::Currency::fromUnits(188125));
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.close();

    tamsel::reports::RptRuikei report(folder());
    report.ChgPrinter();
    EXPECT_EQ(report.pageSetup().paperSource, 14);
    ASSERT_TRUE(plat::report::exportPdf(report, QString::fromStdString(pdf("year.pdf").string())));
    const std::string text = pdfText(pdf("year.pdf"));
    EXPECT_NE(text.find("平成16年度労務費累計表"), std::string::npos) << text;
    EXPECT_NE(text.find("山田太郎3月1,333150.50200,616"), std::string::npos) << text;
    EXPECT_NE(text.find("5月1,250150.50188,125"), std::string::npos) << text;
    EXPECT_EQ(text.find("退職"), std::string::npos);
}

TEST_F(ReportLayoutTest, YearWithoutLinesPrintsNothing) {
    addLine(*db, {.year = 2003, .days = {{1, 8.0}}});
    addEmployee(*db, "社員", 1000);
    EXPECT_EQ(tamsel::reports::extractYear(*db, 2004), 0);
    tamsel::reports::RptRuikei report(folder());
    EXPECT_FALSE(plat::report::exportPdf(report, QString::fromStdString(pdf("none.pdf").string())));
    EXPECT_TRUE(report.hasNoData());
    EXPECT_FALSE(std::filesystem::exists(pdf("none.pdf")));
}

// Employees with a line every month: an employee continued on a new page gets the name again on
// that page's first line, and otherwise only on the first line.
TEST_F(ReportLayoutTest, NamePrintedOnAnEmployeesFirstLineAndAgainOnEachNewPage) {
    const int employees = 6;
    for (int e = 1; e <= employees; ++e) {
        const std::string name = "社員" + std::to_string(e);
        const auto id = addEmployee(*db, name, 1000 + e);
        for (int m = 1; m <= 12; ++m)
            addLine(*db, {.month = m,
                          .syainId = id,
                          .sName = name,
                          .wage = std::to_string(1000 + e),
                          .days = {{1, 8.0}}});
    }
    ASSERT_EQ(tamsel::reports::extractYear(*db, 2004), employees * 12);
    tamsel::reports::RptRuikei report(folder());
    report.ChgPrinter();
    const plat::report::Document& doc = report.run();
    ASSERT_GE(doc.pageCount(), 2);

    int continued = 0;
    std::set<std::string> seen;
    for (const plat::report::Page& page : doc.pages) {
        bool firstOnPage = true;
        std::string previousWage;
        for (const plat::report::PlacedBand& band : page.bands) {
            if (band.name != "Detail")
                continue;
            std::string wage;
            bool named = false;
            for (int i = band.firstControl; i < band.firstControl + band.controlCount; ++i) {
                const auto& c = page.controls[static_cast<std::size_t>(i)];
                if (c.name == "txtTMony")
                    wage = c.text;
                if (c.name == "txtSName" && !c.text.empty())
                    named = true;
            }
            const bool newEmployee = wage != previousWage;
            const bool continuedHere = firstOnPage && seen.count(wage) > 0;
            continued += continuedHere ? 1 : 0;
            EXPECT_EQ(named, firstOnPage || newEmployee) << "wage " << wage;
            seen.insert(wage);
            previousWage = wage;
            firstOnPage = false;
        }
    }
    EXPECT_GE(continued, 1) << "no employee ran onto a second page";
}

} // namespace
