// The overtime check printed by the real program from the command line, read back from the
// PDF against the check of the same database; and the batch mode's exit statuses.
#include "app/overtime/ZangyoBatch.h"
#include "app/overtime/BreachWords.h"
#include "app/overtime/RptZangyo.h"
#include "app/reports/BatchPrint.h"

#include "OvertimeTestSupport.h"

#include <QProcess>

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

TEST(ZangyoBatch, TheProgramPrintsTheFiguresAndBreachesOfTheCheck) {
    ensureApp();
    const std::filesystem::path home = demoHome("batch");
    const QString pdf = QString::fromStdString((home / "check.pdf").string());
    std::string err;
    ASSERT_EQ(runProgram({"--print", "overtime", "--year", "2003", "--pdf", pdf}, &err), 0) << err;
    std::string text = pdfPlain(home / "check.pdf");
    EXPECT_NE(text.find("平成15年度時間外労働チェック表"), std::string::npos) << text;
    EXPECT_NE(text.find("2003年4月～2004年3月"), std::string::npos);
    EXPECT_NE(text.find("特別条項：なし"), std::string::npos);

    plat::jet::Database db = openDemo(home);
    const YearCheck check = runYearCheck(db, kDemoYear, loadSettings(db));
    ASSERT_GE(check.employees.size(), 20u);
    int breaking = 0;
    for (const EmployeeCheck& e : check.employees) {
        std::string line = squeezed(e.name);
        for (int m = 0; m < kMonthsInYear; ++m)
            line += RptZangyo::monthCell(e.year, m);
        line += RptZangyo::yearCell(e.year);
        EXPECT_NE(text.find(line), std::string::npos) << line;
        for (const std::string& phrase : breachPhrases(check, e.year))
            EXPECT_NE(text.find(squeezed(phrase)), std::string::npos) << phrase;
        breaking += e.year.breaches.empty() ? 0 : 1;
    }
    EXPECT_GE(breaking, 1) << "the demo data should show a breach";

    // With a special clause the same year breaks other rules.
    saveSettings(db, {0, true, 4});
    ASSERT_EQ(runOvertimeBatch({"tamsel", "--print=overtime", "--year=2003", "--pdf=" + pdf}),
              tamsel::reports::kBatchWritten);
    text = pdfPlain(home / "check.pdf");
    EXPECT_NE(text.find("特別条項：あり"), std::string::npos);
    EXPECT_NE(text.find("月45時間超が年7か月以上"), std::string::npos) << text;
    EXPECT_EQ(text.find("年360時間超"), std::string::npos);
}

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
