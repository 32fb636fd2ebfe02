// Each report saved as CSV and as an Excel workbook beside its PDF by the batch mode: the CSV
// and the workbook, read back by independent readers, hold the PDF's lines and totals figure
// for figure and in the same order, names with commas, double quotes and line breaks included.
// And the demonstration month's statements against the ledger itself.
#include "app/reports/BatchPrint.h"
#include "tools/tamsel-db/DemoData.h"

#include "ReportsTestSupport.h"
#include "tests/report/WorkbookReader.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace {

using namespace reportstest;

const std::string kOddSite = "港北\"A\",\nB棟";
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
                     .days = {{3, 7.5}}});
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
    // A text as the PDF's text holds it: a field prints on one line, and pdfText drops blanks.
    static std::string printed(std::string s) {
        std::erase(s, '\n');
        std::erase(s, ' ');
        for (auto at = s.find("\xE3\x80\x80"); at != std::string::npos; at = s.find("\xE3\x80\x80"))
            s.erase(at, 3);
        return s;
    }
    // The workbook holds the CSV's rows cell for cell, numbers as numbers shown in the printed
    // rounding, months as dates, total rows (kind column "合計") in bold, under the title, the
    // month or year and the frozen headings.
    void expectWorkbookMatchesCsv(const char* xlsx, const char* csv, const std::string& sheet,
                                  const std::string& pdf) {
        const workbooktest::Workbook book = workbooktest::readWorkbook(home / xlsx);
        const auto table = readCsv(home / csv);
        ASSERT_GE(table.size(), 2u);
        EXPECT_EQ(book.sheets, std::vector<std::string>{sheet});
        EXPECT_EQ(book.frozen, "A4");
        EXPECT_FALSE(book.at(0, 0).shown.empty());
        EXPECT_NE(pdf.find(printed(book.at(0, 0).shown)), std::string::npos) << "title";
        EXPECT_FALSE(book.at(1, 0).shown.empty()) << "month or year";
        ASSERT_EQ(book.rows.size(), table.size() + 2);
        const std::size_t kind = table[0].size() - 1;
        EXPECT_EQ(table[0][kind], "区分");
        for (std::size_t r = 0; r < table.size(); ++r) {
            const bool total = r > 0 && table[r][kind] == "合計";
            for (std::size_t c = 0; c < table[r].size(); ++c) {
                const workbooktest::Cell& cell = book.at(r + 2, c);
                const std::string& text = table[r][c];
                SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c) + ": " + text);
                if (r > 0) {
                    EXPECT_EQ(cell.bold, total);
                }
                if (text.empty()) {
                    EXPECT_EQ(cell.kind, "");
                } else if (cell.kind == "n") {
                    EXPECT_EQ(cell.number, std::strtod(text.c_str(), nullptr));
                    EXPECT_EQ(cell.shown, cell.format == "#,##0" ? grouped(text) : text);
                } else {
                    EXPECT_TRUE(cell.kind == "s" || cell.kind == "d") << cell.kind;
                    EXPECT_EQ(cell.shown, text);
                }
            }
        }
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

TEST_F(ReportCsvTest, SiteReportCsvAndWorkbookMatchItsPdf) {
    makeLedger();
    ASSERT_EQ(run({"--print", "site", "--month", "2004-04", "--pdf", out("s.pdf"), "--csv",
                   out("s.csv"), "--xlsx", out("s.xlsx")}),
              0);
    const auto rows = csvRows("s.csv");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "2004/04");
    EXPECT_EQ(rows[0][2], "中央病院"); // highest site number first
    EXPECT_EQ(rows[1][2], kOddSite);
    // 120.5 h x 1,333 + 30 h x 1,333 + 7.5 h x 1,250 = 209,991.5 (shown rounded).
    EXPECT_EQ(rows[0][3], "209992");
    EXPECT_EQ(rows[1][3], "24375");
    // The grand total as the footer prints it: the sum of the unrounded amounts, 234,366.5.
    EXPECT_EQ(rows[2], (std::vector<std::string>{"2004/04", "", "総　　合　　計", "234367",
                                                 "合計"}));
    EXPECT_EQ(rows[0][4], "明細");
    std::vector<std::string> lines;
    for (const auto& r : rows)
        lines.push_back(printed(r[2]) + grouped(r[3]));
    const std::string pdf = pdfText(home / "s.pdf");
    expectInOrder(pdf, lines);
    expectWorkbookMatchesCsv("s.xlsx", "s.csv", "現場別労務費一覧表", pdf);
}

TEST_F(ReportCsvTest, AnnualReportCsvAndWorkbookMatchItsPdf) {
    makeLedger();
    ASSERT_EQ(run({"--print", "annual", "--year", "2004", "--csv", out("a.csv"), "--pdf",
                   out("a.pdf"), "--xlsx", out("a.xlsx")}),
              0);
    const auto rows = csvRows("a.csv");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][1], kOddName);
    EXPECT_EQ(rows[0][5], "33750");
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", kOddName, "", "", "27.00", "33750", "合計"}));
    // 150.5 h x 1,333 = 200,616.5, cut down.
    EXPECT_EQ(rows[2][4], "150.50");
    EXPECT_EQ(rows[2][5], "200616");
    EXPECT_EQ(rows[4][4], "152.50");
    EXPECT_EQ(rows[4][5], "203282");
    std::vector<std::string> lines;
    for (const auto& r : rows) {
        if (r[6] == "合計") {
            lines.push_back(grouped(r[4]) + grouped(r[5]));
            continue;
        }
        const std::string month = std::to_string(std::stoi(r[2].substr(5)));
        lines.push_back(month + "月" + grouped(r[3]) + grouped(r[4]) + grouped(r[5]));
    }
    std::string pdf = pdfText(home / "a.pdf");
    std::erase(pdf, ' ');
    expectInOrder(pdf, lines);
    expectWorkbookMatchesCsv("a.xlsx", "a.csv", "労務費年間累計表", pdf);
    const workbooktest::Workbook book = workbooktest::readWorkbook(home / "a.xlsx");
    EXPECT_EQ(book.at(1, 0).shown, "2004年");
    EXPECT_EQ(book.at(3, 2).kind, "d");
    EXPECT_EQ(book.at(3, 2).shown, "2004/04");
    EXPECT_EQ(book.at(3, 4).format, "0.00");
}

TEST_F(ReportCsvTest, StatementCsvAndWorkbookMatchItsPdf) {
    makeLedger();
    ASSERT_EQ(run({"--print", "statement", "--month", "2004-04", "--pdf", out("m.pdf"), "--csv",
                   out("m.csv"), "--xlsx", out("m.xlsx")}),
              0);
    const auto rows = csvRows("m.csv");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][3], kOddSite);
    EXPECT_EQ(rows[0][4 + 29], "4.0"); // day 30 of April
    EXPECT_EQ(rows[0][4 + 30], "");    // no day 31 in April
    EXPECT_EQ(rows[0][35], "19.5");
    EXPECT_EQ(rows[0][36], "1250");
    // Each line's amount: its hours x wage cut to whole yen; 7.5 h x 1,250 = 9,375.
    EXPECT_EQ(rows[0][37], "24375");
    EXPECT_EQ(rows[1][35], "7.5");
    EXPECT_EQ(rows[1][37], "9375");
    EXPECT_EQ(rows[0][38], "");
    // The employee's total row: the footer's day sums, hours, wage and amount to pay.
    const auto& total = rows[2];
    EXPECT_EQ(total[1], "1");
    EXPECT_EQ(total[3], "合計");
    EXPECT_EQ(total[4 + 2], "7.5");
    EXPECT_EQ(total[35], "27.0");
    EXPECT_EQ(total[36], "1250");
    EXPECT_EQ(total[37], "");
    EXPECT_EQ(total[38], "33750");
    EXPECT_EQ(total[39], "合計");
    EXPECT_EQ(rows[4][38], "200616");
    std::vector<std::string> lines;
    for (const auto& r : rows) {
        std::string line = printed(r[3]);
        for (int d = 0; d < 31; ++d)
            line += grouped(r[4 + d]);
        line += grouped(r[35]);
        if (r[39] == "合計")
            line += "時間給：" + grouped(r[36]) + "支給額：" + grouped(r[38]);
        lines.push_back(line);
    }
    const std::string pdf = pdfText(home / "m.pdf");
    expectInOrder(pdf, lines);
    expectWorkbookMatchesCsv("m.xlsx", "m.csv", "従業員別労務費明細表", pdf);

    // One employee, and the CSV alone.
    ASSERT_EQ(run({"--print", "statement", "--month", "2004-04", "--employee", "2", "--csv",
                   out("one.csv")}),
              0);
    const auto one = csvRows("one.csv");
    ASSERT_EQ(one.size(), 2u);
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
                   out("x.pdf"), "--csv", out("x.csv"), "--xlsx", out("x.xlsx")}),
              kBatchNoData);
    EXPECT_FALSE(std::filesystem::exists(home / "x.pdf"));
    EXPECT_FALSE(std::filesystem::exists(home / "x.csv"));
    EXPECT_FALSE(std::filesystem::exists(home / "x.xlsx"));
    // The workbook alone, and one that cannot be written.
    EXPECT_EQ(run({"--print", "statement", "--month", "2004-04", "--xlsx", out("only.xlsx")}),
              kBatchWritten);
    EXPECT_TRUE(std::filesystem::exists(home / "only.xlsx"));
    EXPECT_EQ(run({"--print", "annual", "--year", "2004", "--xlsx", out("no/such.xlsx")}),
              kBatchFailed);
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
