// Each report saved as CSV beside its PDF by the batch mode: the CSV, read back by an
// independent parser, holds the PDF's detail lines figure for figure and in the same order,
// names with commas and double quotes included. And the demonstration month's statements
// against the ledger itself.
#include "app/reports/BatchPrint.h"
#include "tools/tamsel-db/DemoData.h"

#include "ReportsTestSupport.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace {

using namespace reportstest;

const std::string kOddSite = "港北\"A\",B棟";
const std::string kOddName = "山田, \"太郎\"";

class ReportCsvTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        home = freshHome(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    int run(QStringList args) {
        args.prepend(QStringLiteral("tamsel"));
        return tamsel::reports::runBatchPrint(args);
    }
    QString out(const char* name) const { return QString::fromStdString((home / name).string()); }
    void makeLedger() {
        plat::jet::Database db = freshDatabase(home);
        const auto a = addEmployee(db, kOddName, 1250);
        const auto b = addEmployee(db, "鈴木　花子", 1333);
        const auto s1 = addSite(db, kOddSite);
        const auto s2 = addSite(db, "中央病院");
        addLine(db, {.syainId = a,
                     .sName = kOddName,
                     .wage = "1250",
                     .genbaId = s1,
                     .gName = kOddSite,
                     .days = {{1, 8.0}, {2, 7.5}, {30, 4.0}}});
        addLine(db, {.syainId = a,
                     .sName = kOddName,
                     .wage = "1250",
                     .rowNo = 2,
                     .genbaId = s2,
                     .gName = "中央病院",
                     .days = {{3, 0.5}}});
        addLine(db, {.syainId = b,
                     .sName = "鈴木　花子",
                     .wage = "1333",
                     .genbaId = s2,
                     .gName = "中央病院",
                     .days = {{1, 120.5}, {2, 30.0}}});
        addLine(db, {.month = 5,
                     .syainId = b,
                     .sName = "鈴木　花子",
                     .wage = "1333",
                     .genbaId = s2,
                     .gName = "中央病院",
                     .days = {{1, 2.0}}});
    }
    // The CSV's rows after its heading; checks the byte-order mark and the heading's width.
    std::vector<std::vector<std::string>> csvRows(const char* name) {
        std::ifstream in(home / name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
        auto rows = readCsv(home / name);
        EXPECT_GE(rows.size(), 2u);
        if (rows.empty())
            return rows;
        for (const auto& row : rows)
            EXPECT_EQ(row.size(), rows.front().size());
        rows.erase(rows.begin());
        return rows;
    }
    // Every expected line in the PDF's text, each after the one before.
    void expectInOrder(const std::string& pdf, const std::vector<std::string>& lines) {
        std::size_t at = 0;
        for (const std::string& line : lines) {
            const auto found = pdf.find(line, at);
            ASSERT_NE(found, std::string::npos) << line << "\n" << pdf;
            at = found + line.size();
        }
    }

    std::filesystem::path home;
};

TEST_F(ReportCsvTest, SiteReportCsvMatchesItsPdf) {
    makeLedger();
    ASSERT_EQ(run({"--print", "site", "--month", "2004-04", "--pdf", out("s.pdf"), "--csv",
                   out("s.csv")}),
              0);
    const auto rows = csvRows("s.csv");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "2004/04");
    EXPECT_EQ(rows[0][2], "中央病院"); // highest site number first
    EXPECT_EQ(rows[1][2], kOddSite);
    // 120.5 h x 1,333 + 30 h x 1,333 + 0.5 h x 1,250 = 201,241.5 (shown rounded).
    EXPECT_EQ(rows[0][3], "201242");
    std::vector<std::string> lines;
    for (const auto& r : rows)
        lines.push_back(r[2] + grouped(r[3]));
    expectInOrder(pdfText(home / "s.pdf"), lines);
}

TEST_F(ReportCsvTest, AnnualReportCsvMatchesItsPdf) {
    makeLedger();
    ASSERT_EQ(
        run({"--print", "annual", "--year", "2004", "--csv", out("a.csv"), "--pdf", out("a.pdf")}),
        0);
    const auto rows = csvRows("a.csv");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], kOddName);
    // 150.5 h x 1,333 = 200,616.5, cut down.
    EXPECT_EQ(rows[1][4], "150.50");
    EXPECT_EQ(rows[1][5], "200616");
    std::vector<std::string> lines;
    for (const auto& r : rows) {
        const std::string month = std::to_string(std::stoi(r[2].substr(5)));
        lines.push_back(month + "月" + grouped(r[3]) + grouped(r[4]) + grouped(r[5]));
    }
    std::string pdf = pdfText(home / "a.pdf");
    std::erase(pdf, ' ');
    expectInOrder(pdf, lines);
}

TEST_F(ReportCsvTest, StatementCsvMatchesItsPdf) {
    makeLedger();
    ASSERT_EQ(run({"--print", "statement", "--month", "2004-04", "--pdf", out("m.pdf"), "--csv",
                   out("m.csv")}),
              0);
    const auto rows = csvRows("m.csv");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][3], kOddSite);
    EXPECT_EQ(rows[0][4 + 29], "4.0"); // day 30 of April
    EXPECT_EQ(rows[0][4 + 30], "");    // no day 31 in April
    EXPECT_EQ(rows[0][35], "19.5");
    EXPECT_EQ(rows[0][36], "1250");
    std::vector<std::string> lines;
    for (const auto& r : rows) {
        std::string line = r[3];
        for (int d = 0; d < 31; ++d)
            line += grouped(r[4 + d]);
        lines.push_back(line + grouped(r[35]));
    }
    expectInOrder(pdfText(home / "m.pdf"), lines);

    // One employee, and the CSV alone.
    ASSERT_EQ(run({"--print", "statement", "--month", "2004-04", "--employee", "2", "--csv",
                   out("one.csv")}),
              0);
    const auto one = csvRows("one.csv");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0][1], "2");
    EXPECT_FALSE(std::filesystem::exists(home / "one.pdf"));
}

TEST_F(ReportCsvTest, StatementBatchStatuses) {
    makeLedger();
    using namespace tamsel::reports;
    EXPECT_EQ(run({"--print", "statement", "--month", "2004-04"}), kBatchBadUsage);
    EXPECT_EQ(
        run({"--print", "site", "--month", "2004-04", "--employee", "1", "--pdf", out("x.pdf")}),
        kBatchBadUsage);
    EXPECT_EQ(run({"--print", "statement", "--month", "2004-04", "--employee", "99", "--pdf",
                   out("x.pdf"), "--csv", out("x.csv")}),
              kBatchNoData);
    EXPECT_FALSE(std::filesystem::exists(home / "x.pdf"));
    EXPECT_FALSE(std::filesystem::exists(home / "x.csv"));
}

TEST_F(ReportCsvTest, DemoMonthStatementsMatchTheLedger) {
    {
        plat::jet::Database db = freshDatabase(home);
        tamseldb::fillDemoData(db, {2004, 12, 15});
    }
    struct Expected {
        double hours = 0;
        double wage = 0;
    };
    std::map<std::int64_t, Expected> employees;
    {
        plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
        plat::jet::Recordset rs =
            db.openRecordset("SELECT * FROM KYUYO_F WHERE Nengetu=#2004/04/01#");
        for (; !rs.eof(); rs.moveNext()) {
            Expected& e = employees[rs.field("SyainID").toLong()];
            for (int d = 1; d <= 31; ++d)
                e.hours += rs.field("D" + std::to_string(d)).toDouble();
            e.wage = rs.field("TMony").toDouble();
        }
    }
    ASSERT_GE(employees.size(), 2u);
    ASSERT_EQ(run({"--print", "statement", "--month", "2004-04", "--pdf", out("demo.pdf")}), 0);
    ASSERT_EQ(pdfPages(home / "demo.pdf"), static_cast<int>(employees.size()));
    int page = 1;
    for (const auto& [id, e] : employees) {
        char hours[32];
        std::snprintf(hours, sizeof hours, "%.1f", e.hours);
        const auto amount =
            static_cast<std::int64_t>(std::floor(std::strtod(hours, nullptr) * e.wage + 1e-6));
        const std::string footer = grouped(hours) + "時間給：" +
                                   grouped(std::to_string(std::llround(e.wage))) + "支給額：" +
                                   grouped(std::to_string(amount));
        const std::string text = pdfText(home / "demo.pdf", page);
        EXPECT_NE(text.find(footer), std::string::npos) << id << ": " << footer << "\n" << text;
        EXPECT_NE(text.find(std::to_string(page) + "／" + std::to_string(employees.size())),
                  std::string::npos);
        ++page;
    }
}

} // namespace
