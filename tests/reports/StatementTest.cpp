// The employee statement: its month and amount rules, the layout over a real database file read
// back from the PDF, one print's work rows kept from a second copy of the program, and the print
// screen's buttons, question and preview errors.
#include "app/frame/RoumuM.h"
#include "app/reports/PrintRun.h"
#include "app/reports/PrtSyainRoumu.h"
#include "app/reports/ReportData.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/RptSRoumuMA4.h"
#include "platform/host/HostedControl.h"
#include "platform/report/Output.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/MessageRecorder.h"

#include <QLabel>

#include "ReportsTestSupport.h"

namespace {

using namespace reportstest;
using plat::text::DateTime;
using tamsel::reports::statementAmount;
using tamsel::reports::statementDays;

TEST(StatementRulesTest, DayColumnsFollowTheMonthWithEveryFourthYearLeap) {
    EXPECT_EQ(statementDays({2004, 2, 1}), 29);
    EXPECT_EQ(statementDays({2005, 2, 1}), 28);
    EXPECT_EQ(statementDays({2100, 2, 1}), 29); // no century rule
    EXPECT_EQ(statementDays({2004, 4, 1}), 30);
    EXPECT_EQ(statementDays({2004, 11, 1}), 30);
    EXPECT_EQ(statementDays({2004, 12, 1}), 31);
}

TEST(StatementRulesTest, AmountIsComputedFromThePrintedTextsAndCutDown) {
    EXPECT_EQ(statementAmount("7.5", "1,250").scaled / 10000, 9375);
    // 7.7 held in single precision is 7.6999998…: still 9,625, not 9,624.
    EXPECT_EQ(statementAmount("7.7", "1,250").scaled / 10000, 9625);
    EXPECT_EQ(statementAmount("1,234.5", "1,333").scaled / 10000, 1645588); // 1,645,588.5
    EXPECT_EQ(statementAmount("", "1,250").scaled, 0);
}

class StatementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        home = freshHome(::testing::UnitTest::GetInstance()->current_test_info()->name());
        db.emplace(freshDatabase(home));
    }
    // Copies the month into PRTROUMUM and writes the statement as PDF inside one PrintRun;
    // the PDF's text, blanks removed ("" when there was nothing to print).
    std::string print(const DateTime& month, std::optional<std::int64_t> employee = {}) {
        tamsel::reports::PrintRun run;
        run.begin(*db);
        tamsel::reports::copyStatementLines(
            run.db(), employee ? tamsel::reports::employeeMonthCopySql(*employee, month)
                               : tamsel::reports::allEmployeesMonthCopySql(month));
        lastReport =
            std::make_unique<tamsel::reports::RptSRoumuMA4>(QString::fromStdString(home.string()));
        lastReport->ChgPrinter();
        run.layOut(*lastReport);
        const auto pdf = home / "statement.pdf";
        std::filesystem::remove(pdf);
        if (!plat::report::exportPdf(*lastReport, QString::fromStdString(pdf.string())))
            return {};
        return pdfText(pdf);
    }

    std::filesystem::path home;
    std::optional<plat::jet::Database> db;
    std::unique_ptr<tamsel::reports::RptSRoumuMA4> lastReport;
};

TEST_F(StatementTest, DayColumnsEndWithTheMonth) {
    for (int month : {2, 4})
        for (int year : {2004, 2005})
            addLine(*db, {.year = year, .month = month, .syainId = 1, .days = {{1, 8.0}}});
    const std::string feb2004 = print({2004, 2, 1});
    EXPECT_NE(feb2004.find("平成16年02月度労務費明細表"), std::string::npos) << feb2004;
    EXPECT_NE(feb2004.find("29日"), std::string::npos) << feb2004;
    EXPECT_EQ(feb2004.find("30日"), std::string::npos);
    const std::string feb2005 = print({2005, 2, 1});
    EXPECT_NE(feb2005.find("28日"), std::string::npos) << feb2005;
    EXPECT_EQ(feb2005.find("29日"), std::string::npos);
    const std::string apr2004 = print({2004, 4, 1});
    EXPECT_NE(apr2004.find("30日"), std::string::npos) << apr2004;
    EXPECT_EQ(apr2004.find("31日"), std::string::npos);
    // Sunday 1 February 2004, Thursday 1 April 2004.
    EXPECT_NE(feb2004.find("(日)(月)"), std::string::npos);
    EXPECT_NE(apr2004.find("(木)(金)"), std::string::npos);
}

TEST_F(StatementTest, SplitsLongSiteNamesAndPaysFromThePrintedHours) {
    const std::string twenty = "東西南北春夏秋冬上下左右前後内外天地山川";
    addLine(*db, {.syainId = 1,
                  .sName = "山田　太郎",
                  .wage = "1250",
                  .gName = twenty,
                  .days = {{1, 5.0}, {2, 2.5}}});
    addLine(*db, {.syainId = 2,
                  .sName = "鈴木　花子",
                  .wage = "1250",
                  .gName = std::string(30, 'A'),
                  .days = {{1, 7.25}}});
    const std::string text = print({2004, 4, 1});
    // 15 double-byte characters on the first line, the other 5 on the second; 30 single-byte
    // characters fit the first line.
    std::vector<std::pair<std::string, std::string>> names;
    for (const auto& page : lastReport->document().pages) {
        std::string first;
        for (const auto& c : page.controls) {
            if (c.name == "GName1")
                first = c.text;
            else if (c.name == "GName2")
                names.emplace_back(first, c.text);
        }
    }
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].first, twenty.substr(0, 15 * 3));
    EXPECT_EQ(names[0].second, twenty.substr(15 * 3));
    EXPECT_EQ(names[1].first, std::string(30, 'A'));
    EXPECT_EQ(names[1].second, "");
    EXPECT_NE(text.find("時間給：1,250支給額：9,375"), std::string::npos) << text;
    // 7.25 prints as 7.3 and 7.3 x 1,250 is paid (9,125), not 9,062.5.
    EXPECT_NE(text.find("7.3"), std::string::npos) << text;
    EXPECT_NE(text.find("時間給：1,250支給額：9,125"), std::string::npos) << text;
    EXPECT_NE(text.find("2／2ページ"), std::string::npos) << text; // a page per employee

    EXPECT_EQ(print({2004, 4, 1}, 2).find("山田"), std::string::npos);
    EXPECT_EQ(print({2004, 5, 1}), "");
}

// The fault mended: a second copy of the program copying another month between this print's
// copy and its reading. The second copy now waits for the print (and gives up with 3260 after
// the busy timeout), and each print reads back its own month.
TEST_F(StatementTest, AnotherCopysPrintCannotSwapTheWorkRows) {
    addLine(*db, {.month = 4, .syainId = 1, .gName = "四月現場", .days = {{1, 8.0}}});
    addLine(*db, {.month = 5, .syainId = 1, .gName = "五月現場", .days = {{1, 8.0}}});
    plat::jet::Database other = plat::jet::Database::open((home / "Roumu.MDB").string());

    tamsel::reports::PrintRun april;
    april.begin(*db);
    tamsel::reports::copyStatementLines(april.db(),
                                        tamsel::reports::allEmployeesMonthCopySql({2004, 4, 1}));
    tamsel::reports::PrintRun may;
    try {
        may.begin(other);
        tamsel::reports::copyStatementLines(
            may.db(), tamsel::reports::allEmployeesMonthCopySql({2004, 5, 1}));
        ADD_FAILURE() << "the second print wrote into the work table of the first";
    } catch (const plat::jet::Error& e) {
        EXPECT_EQ(e.number(), 3260);
    }
    tamsel::reports::RptSRoumuMA4 report(QString::fromStdString(home.string()));
    april.layOut(report);
    ASSERT_EQ(report.exportTable().rows.size(), 2u); // the line and the employee's total
    EXPECT_EQ(report.exportTable().rows[0][3], "四月現場");

    may.begin(other); // free once the first print has read its rows
    tamsel::reports::copyStatementLines(may.db(),
                                        tamsel::reports::allEmployeesMonthCopySql({2004, 5, 1}));
    may.commit();
    plat::jet::Recordset rs = db->openRecordset("SELECT GName FROM PRTROUMUM");
    EXPECT_EQ(rs.field("GName").toText(), "五月現場");
}

class PrtSyainRoumuTest : public StatementTest {
protected:
    void SetUp() override {
        StatementTest::SetUp();
        screen = std::make_unique<tamsel::PrtSyainRoumu>();
        screen->setToday({2004, 6, 15});
        screen->open();
        screen->PrtPreview()->setChecked(true);
        screen->Nengetu()->setValue(DateTime{2004, 4, 1});
    }
    void TearDown() override {
        screen->close();
        screen.reset();
        tamsel::RoumuM().RoumuDb.reset();
    }
    std::int64_t workRows() {
        return db->openRecordset("SELECT COUNT(*) AS N FROM PRTROUMUM").field("N").toLong();
    }

    std::unique_ptr<tamsel::PrtSyainRoumu> screen;
    plat::widgets::MessageRecorder messages;
};

TEST_F(PrtSyainRoumuTest, PrintAllAsksFirstNoLeavesTheWorkTableAndAnEmptyMonthPrintsNothing) {
    const auto a = addEmployee(*db, "山田　太郎", 1200);
    const auto b = addEmployee(*db, "鈴木　花子", 1300);
    addLine(*db, {.syainId = a, .days = {{1, 8.0}}});
    addLine(*db, {.syainId = b, .days = {{2, 8.0}}});
    addLine(*db, {.month = 3, .syainId = a, .days = {{2, 8.0}}});
    screen->Nengetu()->setValue(DateTime{2004, 3, 1});
    messages.queueAnswers({plat::widgets::MsgResult::Yes});
    {
        PreviewCatcher preview;
        screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintAll);
        EXPECT_EQ(preview.pages, 1);
    }
    ASSERT_EQ(workRows(), 1);

    screen->Nengetu()->setValue(DateTime{2004, 4, 1});
    messages.queueAnswers({plat::widgets::MsgResult::No});
    PreviewCatcher preview;
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintAll);
    EXPECT_EQ(preview.pages, -1);
    EXPECT_EQ(workRows(), 1);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].title, QString::fromUtf8("全員印刷"));
    EXPECT_EQ(messages.shown()[1].text,
              QString::fromUtf8("社員別労務費明細表を全員分の印刷をしますか？"));

    messages.queueAnswers({plat::widgets::MsgResult::Yes});
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintAll);
    EXPECT_EQ(preview.pages, 2);
    EXPECT_TRUE(screen->HasPrintData);

    // A month without lines prints nothing and says nothing beyond the question.
    screen->Nengetu()->setValue(DateTime{2004, 5, 1});
    preview.pages = -1;
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintAll);
    EXPECT_EQ(preview.pages, -1);
    EXPECT_FALSE(screen->HasPrintData);
    EXPECT_EQ(messages.shown().size(), 4u);
}

TEST_F(PrtSyainRoumuTest, EmployeeBoxListsEmployeesAndPrintsTheChosenOne) {
    // The screen was loaded before these employees existed: the list follows on the next load.
    const auto a = addEmployee(*db, "山田　太郎", 1200);
    const auto b = addEmployee(*db, "鈴木　花子", 1300);
    addLine(*db, {.syainId = a, .gName = "山田の現場", .days = {{1, 8.0}}});
    addLine(*db, {.syainId = b, .gName = "鈴木の現場", .days = {{1, 8.0}}});
    addLine(*db, {.syainId = b, .rowNo = 2, .gName = "鈴木の現場二", .days = {{2, 8.0}}});
    plat::host::HostedControl* box = screen->SyainID();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->listCount(), 0);
    screen->close();
    screen->open();
    ASSERT_EQ(screen->SyainID(), box); // one box for the screen's life
    ASSERT_EQ(box->listCount(), 2);
    EXPECT_EQ(box->itemText(0), QString::number(b)); // highest number first
    box->setListIndex(1);
    emit box->closeUp();
    EXPECT_EQ(screen->SName()->text(), QString::fromUtf8("山田　太郎"));

    // An empty box prints nothing and leaves the work table as the last print left it.
    addLine(*db, {.month = 5, .syainId = a, .days = {{1, 8.0}}});
    screen->Nengetu()->setValue(DateTime{2004, 5, 1});
    box->setText(QString::number(a));
    PreviewCatcher preview;
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintChosen);
    EXPECT_EQ(preview.pages, 1);
    screen->Nengetu()->setValue(DateTime{2004, 4, 1});
    box->setText(QString());
    preview.pages = -1;
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintChosen);
    EXPECT_EQ(preview.pages, -1);
    EXPECT_EQ(workRows(), 1);

    box->setText(QString::number(b));
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintChosen);
    EXPECT_EQ(preview.pages, 1);
    plat::jet::Recordset rs = db->openRecordset("SELECT GName FROM PRTROUMUM ORDER BY RowNo");
    EXPECT_EQ(rs.field("GName").toText(), "鈴木の現場");
    EXPECT_EQ(workRows(), 2);

    box->setText(QStringLiteral("鈴木"));
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintChosen);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, QString::fromUtf8("指名印刷"));
    EXPECT_EQ(workRows(), 2);

    // Reopened from the menu, the screen shows no employee of the last visit.
    screen->close();
    screen->open();
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(screen->SName()->text(), QString());
}

// The preview window's own buttons report through the print screens' error box.
TEST_F(PrtSyainRoumuTest, PreviewSaveErrorIsShownAsAPrintError) {
    addLine(*db, {.days = {{1, 8.0}}});
    messages.setYesNoAnswer(plat::widgets::MsgResult::Yes);
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<plat::report::PreviewWindow*>(w); p && p->isVisible()) {
                p->saveAsPdf(QString::fromStdString((home / "missing" / "x.pdf").string()));
                p->saveAsCsv(QString::fromStdString((home / "missing" / "x.csv").string()));
                p->reject();
            }
    });
    timer.start();
    screen->comPrt()->press(tamsel::PrtSyainRoumu::PrintAll);
    ASSERT_EQ(messages.shown().size(), 3u);
    for (int i : {1, 2}) {
        EXPECT_EQ(messages.shown()[i].title, QString::fromUtf8("エラー印刷時"));
        EXPECT_EQ(messages.shown()[i].icon, plat::widgets::MsgIcon::Error);
        EXPECT_TRUE(messages.shown()[i].text.startsWith(QStringLiteral("75: ")))
            << messages.shown()[i].text.toStdString();
    }
}

} // namespace
