// The overtime check screen on the demo database (a file, and a server database) under the
// offscreen platform: opened from the frame's menu bar, its colours with and without a special
// clause (and the same fills in the exported workbook), the settings kept in the database file, the
// year buttons and printing.
#include "app/overtime/ZangyoCheck.h"
#include "app/frame/MainFrm.h"
#include "app/frame/MainMenu.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenRegistry.h"
#include "app/overtime/LedgerHours.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/MessageRecorder.h"

#include "OvertimeTestSupport.h"
#include "app/overtime/ZangyoBatch.h"
#include "app/reports/BatchPrint.h"
#include "tests/report/WorkbookReader.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTableWidget>

namespace {

using namespace overtimetest;
using tamsel::ZangyoCheck;

class ZangyoCheckTest : public EngineSuite {
protected:
    void SetUp() override {
        EngineSuite::SetUp();
        if (IsSkipped())
            return;
        ensureApp();
        tamsel::resetScreens();
        tamsel::registerScreen(tamsel::ScreenIndex::ZangyoCheck, [] { return new ZangyoCheck; });
    }
    void TearDown() override {
        tamsel::resetScreens();
        tamsel::RoumuM().MenuForm = nullptr;
        tamsel::RoumuM().RoumuDb.reset();
    }
    static ZangyoCheck* openedScreen() {
        return qobject_cast<ZangyoCheck*>(tamsel::screenInstance(tamsel::ScreenIndex::ZangyoCheck));
    }
    // The row of the first employee who breaks a cap: the foreman of the demo data.
    static int foremanRow(const ZangyoCheck& s) {
        for (std::size_t r = 0; r < s.check().employees.size(); ++r)
            if (!s.check().employees[r].year.breaches.empty())
                return static_cast<int>(r);
        return -1;
    }
    static QColor colour(const ZangyoCheck& s, int row, int calendarMonth) {
        const int column = ZangyoCheck::FirstMonthColumn + (calendarMonth + 12 - 4) % 12;
        return s.DGrid()->item(row, column)->background().color();
    }

    plat::widgets::MessageRecorder messages;
};

TEST_P(ZangyoCheckTest, TheMenuBarOpensTheCheckBesideTheHelpMenu) {
    demoHome("menu");
    tamsel::MainFrm frame;
    frame.show();
    ASSERT_NE(frame.comZ(), nullptr);
    const QList<QAction*> top = frame.menuBar()->actions();
    const auto at = top.indexOf(frame.comZ());
    ASSERT_GE(at, 0);
    EXPECT_EQ(top.value(at + 1), frame.comH()->menuAction());

    frame.comZ()->trigger();
    ZangyoCheck* screen = openedScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(frame.isVisible());
    screen->close();
    EXPECT_TRUE(frame.isVisible());
}

TEST_P(ZangyoCheckTest, ColoursFollowTheCapsThatApplyAndTheSettingsStayInTheFile) {
    const std::filesystem::path home = demoHome("colours");
    auto* screen = qobject_cast<ZangyoCheck*>(tamsel::openScreen(tamsel::ScreenIndex::ZangyoCheck));
    ASSERT_NE(screen, nullptr);
    screen->Nengetu()->setValue({kDemoYear, 1, 1});
    ASSERT_EQ(screen->DGrid()->rowCount(), static_cast<int>(screen->check().employees.size()));
    const int row = foremanRow(*screen);
    ASSERT_GE(row, 0);
    EXPECT_EQ(screen->DGrid()->currentRow(), row);
    const QString name = screen->DGrid()->item(row, ZangyoCheck::NameColumn)->text();
    EXPECT_TRUE(screen->MSG()->text().startsWith(name + QStringLiteral("：月45時間超（9月")))
        << screen->MSG()->text().toStdString();

    // Without a special clause every month beyond 45 hours breaks the cap.
    EXPECT_EQ(colour(*screen, row, 9), ZangyoCheck::brokenColour());
    EXPECT_EQ(colour(*screen, row, 3), ZangyoCheck::brokenColour());
    EXPECT_NE(colour(*screen, row, 6), ZangyoCheck::brokenColour());
    EXPECT_NE(colour(*screen, row, 6), ZangyoCheck::over45Colour());

    // With one, September is only beyond 45 hours; March is the seventh such month.
    screen->TokubetuJoko()->setChecked(true);
    EXPECT_EQ(colour(*screen, row, 9), ZangyoCheck::over45Colour());
    EXPECT_EQ(colour(*screen, row, 3), ZangyoCheck::brokenColour());
    EXPECT_NE(screen->MSG()->text().indexOf(QStringLiteral("月45時間超が年7か月以上（3月")), -1)
        << screen->MSG()->text().toStdString();
    EXPECT_TRUE(messages.shown().empty());
    screen->close();

    plat::jet::Database db = openDemo(home);
    EXPECT_TRUE(tamsel::overtime::loadSettings(db).specialClause);
    screen = qobject_cast<ZangyoCheck*>(tamsel::openScreen(tamsel::ScreenIndex::ZangyoCheck));
    EXPECT_TRUE(screen->TokubetuJoko()->isChecked());
    screen->close();
}

TEST_P(ZangyoCheckTest, TheExportFillsTheCellsTheScreenColoursAndCarriesHolidayWork) {
    const std::filesystem::path home = demoHome("export");
    std::int64_t sundays = 0;
    {
        // Only legal-holiday work: the five Sundays of June 2003, 8 hours each.
        plat::jet::Database db = openDemo(home);
        sundays = addEmployee(db, "日曜　出勤", 1200);
        addLine(db, {.year = 2003,
                     .month = 6,
                     .syainId = sundays,
                     .sName = "日曜　出勤",
                     .wage = "1200",
                     .days = {{1, 8.0}, {8, 8.0}, {15, 8.0}, {22, 8.0}, {29, 8.0}}});
    }
    auto* screen = qobject_cast<ZangyoCheck*>(tamsel::openScreen(tamsel::ScreenIndex::ZangyoCheck));
    ASSERT_NE(screen, nullptr);
    screen->Nengetu()->setValue({kDemoYear, 1, 1});
    screen->TokubetuJoko()->setChecked(true); // yellow and red both appear
    const QString csv = QString::fromStdString((home / "check.csv").string());
    const QString xlsx = QString::fromStdString((home / "check.xlsx").string());
    ASSERT_EQ(tamsel::overtime::runOvertimeBatch(
                  {"tamsel", "--print", "overtime", "--year", "2003", "--csv", csv, "--xlsx", xlsx}),
              tamsel::reports::kBatchWritten);
    const workbooktest::Workbook book = workbooktest::readWorkbook(home / "check.xlsx");
    const auto table = readCsv(home / "check.csv");
    const QTableWidget* grid = screen->DGrid();
    ASSERT_EQ(static_cast<int>(table.size()), grid->rowCount() + 1);
    ASSERT_EQ(book.rows.size(), table.size() + 2);
    EXPECT_EQ(book.frozen, "A4");

    // Grid columns 1 to 14 (months, year, count) are export columns 2 to 15.
    int yellow = 0;
    int red = 0;
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = ZangyoCheck::FirstMonthColumn; c <= ZangyoCheck::CountColumn; ++c) {
            const QBrush brush = grid->item(r, c)->background();
            std::string expected;
            if (brush.style() != Qt::NoBrush) {
                const QColor colour = brush.color();
                expected = QStringLiteral("%1%2%3")
                               .arg(colour.red(), 2, 16, QLatin1Char('0'))
                               .arg(colour.green(), 2, 16, QLatin1Char('0'))
                               .arg(colour.blue(), 2, 16, QLatin1Char('0'))
                               .toUpper()
                               .toStdString();
                (colour == ZangyoCheck::brokenColour() ? red : yellow) += 1;
            }
            const auto row = static_cast<std::size_t>(r) + 3;
            const auto column = static_cast<std::size_t>(c) + 1;
            EXPECT_EQ(book.at(row, column).fill, expected) << r << "," << c;
            EXPECT_EQ(book.at(row, column).shown,
                      grid->item(r, c)->text().remove(QLatin1Char(',')).toStdString());
        }
    EXPECT_GE(yellow, 1);
    EXPECT_GE(red, 1);
    for (std::size_t r = 3; r < book.rows.size(); ++r)
        for (std::size_t c = 16; c < table[0].size(); ++c)
            EXPECT_EQ(book.at(r, c).fill, "") << r << "," << c;

    // June is the third month of the year: its overtime, then after the first 17 columns four
    // figures a month (holiday work, overtime plus holiday work, highest average, its months).
    ASSERT_EQ(table[0].size(), 17u + 12u * 4u);
    EXPECT_EQ(table[0][4], "2003/06");
    EXPECT_EQ(table[0][17 + 8], "2003/06休日労働");
    EXPECT_EQ(table[0][17 + 9], "2003/06時間外＋休日");
    EXPECT_EQ(table[0][17 + 10], "2003/06最大平均");
    std::size_t at = 0;
    for (std::size_t r = 1; r < table.size(); ++r)
        if (table[r][0] == std::to_string(sundays))
            at = r;
    ASSERT_GT(at, 0u);
    EXPECT_EQ(table[at][4], "0.0");
    EXPECT_EQ(table[at][17 + 8], "40.0");
    EXPECT_EQ(table[at][17 + 9], "40.0");
    EXPECT_EQ(table[at][17 + 10], "20.00"); // June and May averaged
    EXPECT_EQ(table[at][17 + 11], "2");
    EXPECT_EQ(book.at(at + 2, 17 + 8).number, 40.0);
    EXPECT_EQ(book.at(at + 2, 17 + 8).format, "0.0");
    EXPECT_EQ(book.at(at + 2, 17 + 9).shown, "40.0");
    EXPECT_EQ(book.at(at + 2, 4).shown, "0.0");
    EXPECT_TRUE(messages.shown().empty());
    screen->close();
}

TEST_P(ZangyoCheckTest, YearButtonsMoveTheCheckAndPrintingShowsThePreview) {
    demoHome("years");
    auto* screen = qobject_cast<ZangyoCheck*>(tamsel::openScreen(tamsel::ScreenIndex::ZangyoCheck));
    ASSERT_NE(screen, nullptr);
    screen->Nengetu()->setValue({2002, 1, 1});
    // April 2002 to March 2003: the demo ledgers start in January 2003.
    ASSERT_GT(screen->DGrid()->rowCount(), 0);
    EXPECT_EQ(screen->DGrid()->item(0, ZangyoCheck::FirstMonthColumn)->text(), "0.0");
    screen->comUD()->press(ZangyoCheck::PreviousYear);
    EXPECT_EQ(screen->DGrid()->rowCount(), 0);
    EXPECT_EQ(screen->MSG()->text(), QStringLiteral("この年度の労務台帳はありません。"));
    screen->comUD()->press(ZangyoCheck::NextYear);
    screen->comUD()->press(ZangyoCheck::NextYear);
    EXPECT_EQ(screen->check().year, kDemoYear);

    PreviewCatcher preview;
    screen->PrtPreview()->setChecked(true);
    screen->PrintCheck();
    EXPECT_GE(preview.pages, 2);
    EXPECT_TRUE(messages.shown().empty());
    screen->close();
}

TEST_P(ZangyoCheckTest, TheLedgerGridsMonthFiguresMatchTheYearCheck) {
    // January 2004 begins on a Thursday: its first week starts in December.
    const std::filesystem::path home = demoHome("ledger");
    plat::jet::Database db = openDemo(home);
    const tamsel::overtime::YearCheck check = tamsel::overtime::runYearCheck(db, kDemoYear, {});
    for (const tamsel::overtime::EmployeeCheck& e : check.employees) {
        std::vector<tamsel::overtime::LineHours> lines;
        for (plat::jet::Recordset rs =
                 db.openRecordset("SELECT * FROM KYUYO_F WHERE NENGETU=#2004/01/01# AND SYAINID=" +
                                  std::to_string(e.syainId));
             !rs.eof(); rs.moveNext()) {
            auto& line = lines.emplace_back();
            for (int d = 1; d <= 31; ++d)
                line[static_cast<std::size_t>(d - 1)] = rs["D" + std::to_string(d)].toDouble();
        }
        EXPECT_EQ(tamsel::overtime::ledgerMonthFigures(db, e.syainId, {2004, 1, 1}, lines, 0),
                  e.year.months[9])
            << e.name;
    }
}

TEST_ENGINE_SUITE(ZangyoCheckTest);

} // namespace
