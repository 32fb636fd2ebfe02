// Printing both reports of the demonstration database to PDF from the command line, with the
// amounts checked against the ledger itself; and the exit statuses of the batch mode.
#include "app/reports/BatchPrint.h"
#include "app/reports/ReportData.h"
#include "platform/jet/Schema.h"
#include "tests/jet/EarlierVersionFile.h"
#include "tools/tamsel-db/DemoData.h"

#include "ReportsTestSupport.h"

#include <QProcess>

#include <cmath>
#include <map>

namespace {

using namespace reportstest;

std::string grouped(std::int64_t v) {
    std::string digits = std::to_string(v);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

class BatchPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        home = freshHome(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void makeDemo() {
        plat::jet::Database db = freshDatabase(home);
        tamseldb::fillDemoData(db, {2004, 12, 15});
    }
    int run(QStringList args) {
        args.prepend(QStringLiteral("tamsel"));
        return tamsel::reports::runBatchPrint(args);
    }
    QString out(const char* name) const { return QString::fromStdString((home / name).string()); }

    std::filesystem::path home;
};

TEST_F(BatchPrintTest, SiteReportOfTheDemoMonthMatchesTheLedger) {
    makeDemo();
    // Expected: per site the hours of every line times the line's wage.
    std::map<std::int64_t, std::pair<std::string, double>> sites;
    {
        plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
        plat::jet::Recordset rs =
            db.openRecordset("SELECT * FROM KYUYO_F WHERE Nengetu=#2004/04/01#");
        for (; !rs.eof(); rs.moveNext()) {
            double hours = 0;
            for (int d = 1; d <= 31; ++d)
                hours += rs.field("D" + std::to_string(d)).toDouble();
            auto& site = sites[rs.field("GenbaID").toLong()];
            site.first = rs.field("GName").toText();
            site.second += hours * rs.field("TMony").toDouble();
        }
    }
    ASSERT_GE(sites.size(), 2u);

    ASSERT_EQ(run({"--print", "site", "--month", "2004-04", "--pdf", out("site.pdf")}), 0);
    const std::string text = pdfText(home / "site.pdf");
    EXPECT_NE(text.find("平成16年04月度現場別労務費一覧表"), std::string::npos) << text;
    double total = 0;
    std::size_t previous = 0;
    for (auto it = sites.rbegin(); it != sites.rend(); ++it) { // highest site number first
        std::string name = it->second.first;
        std::erase(name, ' ');
        const std::string line = name + grouped(std::llround(it->second.second));
        const auto at = text.find(line);
        ASSERT_NE(at, std::string::npos) << line << "\n" << text;
        EXPECT_GT(at, previous) << line;
        previous = at;
        total += it->second.second;
    }
    EXPECT_NE(text.find("総合計" + grouped(std::llround(total))), std::string::npos) << text;
}

TEST_F(BatchPrintTest, AnnualReportOfTheDemoYearMatchesTheLedger) {
    makeDemo();
    // Expected per employee: the months' whole amounts, and the pages' titles.
    std::map<std::int64_t, std::map<std::string, double>> hours; // employee -> month -> hours
    std::map<std::int64_t, std::map<std::string, double>> wage;
    {
        plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
        plat::jet::Recordset rs = db.openRecordset(
            "SELECT KYUYO_F.* FROM KYUYO_F INNER JOIN SYAIN_MT ON KYUYO_F.SyainID = "
            "SYAIN_MT.SyainID WHERE Year([Nengetu])=2004");
        for (; !rs.eof(); rs.moveNext()) {
            double h = 0;
            for (int d = 1; d <= 31; ++d)
                h += rs.field("D" + std::to_string(d)).toDouble();
            const auto id = rs.field("SyainID").toLong();
            const std::string month = rs.field("Nengetu").toText();
            hours[id][month] += h;
            wage[id][month] = rs.field("TMony").toDouble();
        }
    }
    ASSERT_GE(hours.size(), 2u);

    ASSERT_EQ(run({"--print=annual", "--year=2004", "--pdf=" + out("year.pdf")}), 0);
    const int pages = pdfPages(home / "year.pdf");
    ASSERT_GE(pages, 2);
    for (int p = 1; p <= pages; ++p) {
        const std::string page = pdfText(home / "year.pdf", p);
        EXPECT_NE(page.find("平成16年度労務費累計表"), std::string::npos) << p;
        EXPECT_NE(page.find(std::to_string(p) + "／" + std::to_string(pages) + "ページ"),
                  std::string::npos)
            << page;
    }
    const std::string text = pdfText(home / "year.pdf");
    for (const auto& [id, months] : hours) {
        std::int64_t amount = 0;
        double sum = 0;
        for (const auto& [month, h] : months) {
            amount += static_cast<std::int64_t>(std::floor(wage[id][month] * h + 1e-6));
            sum += h;
        }
        char h2[32];
        std::snprintf(h2, sizeof h2, "%.2f", sum);
        std::string hoursText =
            grouped(static_cast<std::int64_t>(sum)) + (h2 + std::strlen(h2) - 3);
        EXPECT_NE(text.find(hoursText + grouped(amount)), std::string::npos)
            << id << ": " << hoursText << " " << amount;
    }
}

TEST_F(BatchPrintTest, ANullDayInAFileFromAnEarlierVersionCountsAsZeroInEveryReport) {
    // 8 hours, a Null day, 4 hours: 12 hours at 1,000 an hour.
    const std::string path = (home / "Roumu.MDB").string();
    auto earlierFile = [&] {
        std::filesystem::remove(path);
        plat::jet::createSchema(path, {2004, 4, 1});
        jettest::rewriteAsEarlierVersion(
            path, {"INSERT INTO SYAIN_MT (SName,TMony) VALUES ('山田　太郎',1000)",
                   lineSql({.sName = "山田　太郎",
                            .gName = "駅前ビル",
                            .days = {{1, 8.0}, {2, std::nullopt}, {3, 4.0}}})});
    };

    earlierFile();
    ASSERT_EQ(run({"--print", "site", "--month", "2004-04", "--pdf", out("site.pdf")}), 0);
    const std::string site = pdfText(home / "site.pdf");
    EXPECT_NE(site.find("駅前ビル12,000"), std::string::npos) << site;
    EXPECT_NE(site.find("総合計12,000"), std::string::npos) << site;

    earlierFile();
    ASSERT_EQ(run({"--print", "annual", "--year", "2004", "--pdf", out("year.pdf")}), 0);
    const std::string year = pdfText(home / "year.pdf");
    EXPECT_NE(year.find("山田太郎4月1,00012.0012,000"), std::string::npos) << year;

    earlierFile();
    plat::jet::Database db = plat::jet::Database::open(path);
    const auto rows = tamsel::reports::readInquiry(db, {2004, 4, 1});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].days[0], 8.0f);
    EXPECT_EQ(rows[0].days[1], 0.0f);
    EXPECT_EQ(rows[0].days[2], 4.0f);
}

TEST_F(BatchPrintTest, ExitStatusesTellWhatHappened) {
    EXPECT_EQ(run({"--home", "/tmp"}), tamsel::reports::kNotBatchRequest);
    EXPECT_EQ(run({"--print", "weekly", "--month", "2004-04", "--pdf", out("x.pdf")}),
              tamsel::reports::kBatchBadUsage);
    EXPECT_EQ(run({"--print", "site", "--pdf", out("x.pdf")}), tamsel::reports::kBatchBadUsage);
    EXPECT_EQ(run({"--print", "annual", "--year", "2004"}), tamsel::reports::kBatchBadUsage);
    EXPECT_EQ(run({"--print", "site", "--month", "April", "--pdf", out("x.pdf")}),
              tamsel::reports::kBatchBadUsage);
    // No database file in the program's folder.
    EXPECT_EQ(run({"--print", "site", "--month", "2004-04", "--pdf", out("x.pdf")}),
              tamsel::reports::kBatchFailed);
    EXPECT_FALSE(std::filesystem::exists(home / "x.pdf"));

    makeDemo();
    EXPECT_EQ(run({"--print", "annual", "--year", "2002", "--pdf", out("x.pdf")}),
              tamsel::reports::kBatchNoData);
    EXPECT_EQ(run({"--print", "site", "--month", "2002-04", "--pdf", out("x.pdf")}),
              tamsel::reports::kBatchNoData);
    EXPECT_FALSE(std::filesystem::exists(home / "x.pdf"));

    const char* argv[] = {"tamsel", "--print", "site", nullptr};
    EXPECT_TRUE(tamsel::reports::isBatchPrintRequest(3, const_cast<char**>(argv)));
    EXPECT_FALSE(tamsel::reports::isBatchPrintRequest(1, const_cast<char**>(argv)));
}

TEST_F(BatchPrintTest, TheProgramPrintsWithoutADisplayAndTellsNoDataByItsStatus) {
    makeDemo();
    QProcess tamsel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("TAMSEL_HOME"), QString::fromStdString(home.string()));
    tamsel.setProcessEnvironment(env);

    tamsel.start(QStringLiteral(TAMSEL_EXECUTABLE),
                 {"--print", "annual", "--year", "2004", "--pdf", out("annual.pdf")});
    ASSERT_TRUE(tamsel.waitForFinished(60000));
    EXPECT_EQ(tamsel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tamsel.exitCode(), 0) << tamsel.readAllStandardError().toStdString();
    EXPECT_NE(pdfText(home / "annual.pdf").find("平成16年度労務費累計表"), std::string::npos);

    tamsel.start(QStringLiteral(TAMSEL_EXECUTABLE),
                 {"--print", "site", "--month", "2002-04", "--pdf", out("none.pdf")});
    ASSERT_TRUE(tamsel.waitForFinished(60000));
    EXPECT_EQ(tamsel.exitCode(), tamsel::reports::kBatchNoData);
    EXPECT_FALSE(std::filesystem::exists(home / "none.pdf"));
}

} // namespace
