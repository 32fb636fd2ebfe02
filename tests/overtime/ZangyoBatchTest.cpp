// The overtime check printed by the real program from the command line to PDF and CSV, both
// read back and compared, from a file and from a server database; and the batch mode's exit
// statuses.
#include "app/overtime/ZangyoBatch.h"
#include "app/overtime/OvertimeSettings.h"
#include "app/overtime/Texts.h"
#include "app/reports/BatchPrint.h"

#include "OvertimeTestSupport.h"
#include "tests/report/WorkbookReader.h"

#include <QProcess>

#include <cstring>

namespace {

using namespace overtimetest;
using namespace tamsel::overtime;

std::string squeezed(std::string s) {
    std::erase(s, ' ');
    for (auto at = s.find("\xE3\x80\x80"); at != std::string::npos; at = s.find("\xE3\x80\x80"))
        s.erase(at, 3);
    return s;
}

// The PDF's text; its font shares one glyph between the two wave dashes, read back as U+301C.
std::string pdfPlain(const std::filesystem::path& pdf) {
    std::string s = pdfText(pdf);
    for (auto at = s.find("\xE3\x80\x9C"); at != std::string::npos; at = s.find("\xE3\x80\x9C"))
        s.replace(at, 3, "\xEF\xBD\x9E");
    return s;
}

int runProgram(const QStringList& args, std::string* err = nullptr) {
    QProcess tamsel;
    tamsel.start(QStringLiteral(TAMSEL_EXECUTABLE), args);
    if (!tamsel.waitForFinished(60000))
        return -1;
    if (err)
        *err = tamsel.readAllStandardError().toStdString();
    return tamsel.exitCode();
}

std::string withoutMarks(std::string s) {
    for (const char* mark : {texts::kMarkBroken, texts::kMarkOver45})
        for (auto at = s.find(mark); at != std::string::npos; at = s.find(mark))
            s.erase(at, std::strlen(mark));
    return s;
}

// The batch reports of the demo data, on a file and on a server database.
class ZangyoBatchTest : public EngineSuite {};

TEST_P(ZangyoBatchTest, ThePdfAndTheCsvOfTheDemoYearShowTheSameFigures) {
    ensureApp();
    const std::filesystem::path home = demoHome("batch");
    const QString pdf = QString::fromStdString((home / "check.pdf").string());
    const QString csv = QString::fromStdString((home / "check.csv").string());
    const QString xlsx = QString::fromStdString((home / "check.xlsx").string());
    std::string err;
    ASSERT_EQ(runProgram({"--print", "overtime", "--year", "2003", "--pdf", pdf, "--csv", csv,
                          "--xlsx", xlsx},
                         &err),
              0)
        << err;
    const std::string text = pdfPlain(home / "check.pdf");
    EXPECT_NE(text.find("平成15年度時間外労働チェック表"), std::string::npos) << text;
    EXPECT_NE(text.find("2003年4月～2004年3月"), std::string::npos);
    EXPECT_NE(text.find("特別条項：なし"), std::string::npos);

    const auto table = readCsv(home / "check.csv");
    ASSERT_GE(table.size(), 21u);
    ASSERT_EQ(table[0].size(), 17u + 12u * 4u);
    EXPECT_EQ(table[0][2], "2003/04");
    EXPECT_EQ(table[0][13], "2004/03");
    const std::string figures = withoutMarks(text);
    int breaking = 0;
    for (std::size_t r = 1; r < table.size(); ++r) {
        const auto& row = table[r];
        ASSERT_EQ(row.size(), table[0].size()) << r;
        std::string line = squeezed(row[1]);
        for (std::size_t c = 2; c <= 15; ++c)
            line += row[c];
        EXPECT_NE(figures.find(line), std::string::npos) << line;
        if (row[16].empty())
            continue;
        ++breaking;
        std::string words = squeezed(row[16]);
        for (std::size_t at = 0, end; at < words.size(); at = end + 3) {
            end = std::min(words.find("／", at), words.size());
            EXPECT_NE(text.find(words.substr(at, end - at)), std::string::npos) << words;
        }
    }
    EXPECT_GE(breaking, 1) << "the demo data should show a breach";

    // The workbook: the same cells, numbers as numbers, under the printed title and period.
    const workbooktest::Workbook book = workbooktest::readWorkbook(home / "check.xlsx");
    ASSERT_EQ(book.rows.size(), table.size() + 2);
    EXPECT_EQ(book.sheets, std::vector<std::string>{"時間外労働チェック"});
    EXPECT_EQ(book.at(0, 0).shown, "平成15年度　時間外労働チェック表");
    EXPECT_EQ(book.at(1, 0).shown, "2003年4月～2004年3月");
    for (std::size_t r = 0; r < table.size(); ++r)
        for (std::size_t c = 0; c < table[r].size(); ++c) {
            const workbooktest::Cell& cell = book.at(r + 2, c);
            EXPECT_EQ(cell.kind == "n" ? cell.shown : cell.text, table[r][c]) << r << "," << c;
            if (r > 0 && c >= 2 && c <= 15) {
                EXPECT_EQ(cell.kind, "n") << r << "," << c;
            }
        }
    EXPECT_NE(text.find("●58.0"), std::string::npos) << "a month beyond 45 hours is marked";

    // With a special clause the same year breaks other rules.
    plat::jet::Database db = openDemo(home);
    saveSettings(db, {0, true, 4});
    ASSERT_EQ(runOvertimeBatch({"tamsel", "--print=overtime", "--year=2003", "--pdf=" + pdf}),
              tamsel::reports::kBatchWritten);
    const std::string special = pdfPlain(home / "check.pdf");
    EXPECT_NE(special.find("特別条項：あり"), std::string::npos);
    EXPECT_NE(special.find("月45時間超が年7か月以上"), std::string::npos) << special;
    EXPECT_EQ(special.find("年360時間超"), std::string::npos);
}

TEST_ENGINE_SUITE(ZangyoBatchTest);

// On a file only: the failure it checks first is that of a program folder without its database
// file.
TEST(ZangyoBatch, ExitStatusesTellWhatHappened) {
    ensureApp();
    const std::filesystem::path home = freshHome("overtime-exit");
    const QString pdf = QString::fromStdString((home / "x.pdf").string());
    auto run = [](QStringList args) {
        args.prepend(QStringLiteral("tamsel"));
        return runOvertimeBatch(args);
    };
    using namespace tamsel::reports;
    EXPECT_EQ(run({"--print", "overtime", "--year", "2003"}), kBatchBadUsage);
    EXPECT_EQ(run({"--print", "overtime", "--pdf", pdf}), kBatchBadUsage);
    EXPECT_EQ(run({"--print", "overtime", "--year", "03", "--pdf", pdf}), kBatchBadUsage);
    EXPECT_EQ(run({"--print", "overtime", "--month", "2003-04", "--pdf", pdf}), kBatchBadUsage);
    EXPECT_EQ(run({"--print", "overtime", "--year", "2003", "--pdf", pdf}), kBatchFailed);

    plat::jet::Database db = freshDatabase(home);
    EXPECT_EQ(run({"--print", "overtime", "--year", "2003", "--pdf", pdf}), kBatchNoData);
    EXPECT_FALSE(std::filesystem::exists(home / "x.pdf"));

    // The program hands --print overtime to this command and other reports to theirs.
    EXPECT_EQ(runProgram({"--print", "overtime", "--year", "2003", "--pdf", pdf}), kBatchNoData);
    std::string err;
    EXPECT_EQ(runProgram({"--print", "weekly", "--year", "2003", "--pdf", pdf}, &err),
              kBatchBadUsage);
    EXPECT_NE(err.find("--print annual"), std::string::npos) << err;
}

} // namespace
