// The monthly inquiry screen on a real database file: headings, rows and totals, the month
// buttons, and printing the site report through the preview.
#include "app/reports/RefRoumu.h"
#include "app/frame/RoumuM.h"
#include "platform/report/PreviewWindow.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include "ReportsTestSupport.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

#include <memory>

namespace {

using namespace reportstest;
using plat::text::DateTime;
using plat::widgets::indexedField;
using plat::widgets::MessageRecorder;

class RefRoumuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        home = freshHome(::testing::UnitTest::GetInstance()->current_test_info()->name());
        db.emplace(freshDatabase(home));
    }
    void TearDown() override {
        if (screen)
            screen->close();
        screen.reset();
        tamsel::RoumuM().RoumuDb.reset();
    }
    void openScreen(const DateTime& today = {2004, 4, 17}) {
        screen = std::make_unique<tamsel::RefRoumu>();
        screen->setToday(today);
        screen->open();
    }
    void showMonth(int y, int m) {
        screen->Nengetu()->setValue(DateTime{y, m, 1});
        screen->comDisp()->click();
    }
    plat::widgets::SlipGrid& grid() { return *screen->DGrid(); }
    double cell(int row, const char* field) { return grid().number(row, QString::fromUtf8(field)); }

    std::filesystem::path home;
    std::optional<plat::jet::Database> db;
    std::unique_ptr<tamsel::RefRoumu> screen;
    MessageRecorder messages;
};

TEST_F(RefRoumuTest, FebruaryHeadingsRunIntoMarchWithSundaysInRed) {
    addLine(*db, {.year = 2003, .month = 2, .days = {{28, 8.0}}});
    openScreen();
    showMonth(2003, 2);
    // 1 February 2003 was a Saturday; the last three headings carry 1 to 3 March.
    EXPECT_EQ(grid().headingText("lD0"), QString::fromUtf8("1日(土)"));
    EXPECT_EQ(grid().headingText("lD1"), QString::fromUtf8("2日(日)"));
    EXPECT_EQ(grid().headingText("lD27"), QString::fromUtf8("28日(金)"));
    EXPECT_EQ(grid().headingText("lD28"), QString::fromUtf8("1日(土)"));
    EXPECT_EQ(grid().headingText("lD29"), QString::fromUtf8("2日(日)"));
    EXPECT_EQ(grid().headingText("lD30"), QString::fromUtf8("3日(月)"));
    EXPECT_EQ(grid().headingText("lD31"), QString::fromUtf8("合　計"));
    for (int n : {1, 8, 29})
        EXPECT_EQ(grid().headingColor(indexedField("lD", n)), QColor(255, 0, 0)) << n;
    for (int n : {0, 2, 28, 30})
        EXPECT_EQ(grid().headingColor(indexedField("lD", n)), QColor(0, 0, 0)) << n;
    ASSERT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(cell(0, "D27"), 8.0);
    for (const char* f : {"D28", "D29", "D30"}) {
        EXPECT_EQ(grid().value(0, QString::fromUtf8(f)).isEmpty(), false) << f;
        EXPECT_EQ(cell(0, f), 0.0) << f;
    }
    EXPECT_EQ(grid().displayText(0, "D29"), QString::fromUtf8("0.0"));
}

TEST_F(RefRoumuTest, SitesSummedOverEmployeesInDescendingOrderWithTotals) {
    const auto a = addSite(*db, "青山ビル");
    const auto b = addSite(*db, "本町倉庫");
    const auto c = addSite(*db, "無名");
    // Site a: two employees' lines summed into one row; day 2 of the second is Null.
    addLine(*db, {.syainId = 1, .genbaId = a, .gName = "青山ビル", .days = {{1, 8.0}, {2, 7.5}}});
    addLine(*db, {.syainId = 2,
                  .genbaId = a,
                  .gName = "青山ビル",
                  .days = {{1, 4.5}, {2, std::nullopt}, {31, 1.0}}});
    addLine(*db, {.syainId = 1, .rowNo = 2, .genbaId = b, .gName = "本町倉庫", .days = {{2, 0.1}}});
    addLine(*db, {.syainId = 2, .rowNo = 2, .genbaId = c, .gName = std::nullopt, .days = {{3, 2}}});
    addLine(*db, {.month = 5, .genbaId = a, .days = {{1, 9.0}}}); // another month
    openScreen();
    // The progress notice stands while the rows are filled and is gone afterwards.
    QString noticeWhileFilling;
    const auto watch = QObject::connect(&grid(), &plat::widgets::SlipGrid::valueChanged,
                                        [&] { noticeWhileFilling = screen->MSG()->text(); });
    showMonth(2004, 4);
    QObject::disconnect(watch);
    EXPECT_EQ(noticeWhileFilling, QString::fromUtf8("只今データ集計中......."));

    ASSERT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().value(0, "GName").toText(), QString()); // site c, Null name
    EXPECT_EQ(grid().value(1, "GName").toText(), QString::fromUtf8("本町倉庫"));
    EXPECT_EQ(grid().value(2, "GName").toText(), QString::fromUtf8("青山ビル"));
    EXPECT_EQ(cell(2, "D0"), 12.5);
    EXPECT_EQ(cell(2, "D1"), 7.5);
    EXPECT_EQ(cell(2, "D30"), 1.0);
    EXPECT_EQ(cell(2, "D31"), 21.0);
    EXPECT_EQ(cell(1, "D31"), 0.1);
    EXPECT_EQ(grid().total("TTime0").toNumber(), 12.5);
    EXPECT_EQ(grid().total("TTime1").toNumber(), 7.6);
    EXPECT_EQ(grid().total("TTime2").toNumber(), 2.0);
    EXPECT_EQ(grid().total("TTime31").toNumber(), 23.1);
    EXPECT_EQ(grid().areaDisplayText("TTime31"), QString::fromUtf8("23.1"));
    EXPECT_EQ(screen->MSG()->text(), QString());
    EXPECT_TRUE(messages.shown().empty());
    // The inquiry only shows: the Delete key is swallowed, the Return key is not.
    int key = 46;
    emit grid().keyDown(key, 0);
    EXPECT_EQ(key, 0);
    key = 13;
    emit grid().keyDown(key, 0);
    EXPECT_EQ(key, 13);

    // A month without lines leaves the grid empty and the totals blank.
    showMonth(2004, 6);
    EXPECT_EQ(grid().rowCount(), 0);
    for (int n : {0, 15, 31})
        EXPECT_EQ(grid().areaDisplayText(indexedField("TTime", n)), QString()) << n;
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RefRoumuTest, ReopenedFromTheMenuItStartsWithoutTheLastVisitsRowsAndTotals) {
    addLine(*db, {.month = 3, .days = {{1, 8.0}, {2, 4.0}}});
    openScreen();
    showMonth(2004, 3);
    ASSERT_EQ(grid().total("TTime31").toNumber(), 12.0);
    screen->close();
    ASSERT_FALSE(screen->isVisible());

    screen->open(); // the menu shows the same screen object again
    EXPECT_EQ(screen->Nengetu()->value(), (DateTime{2004, 4, 1}));
    EXPECT_EQ(grid().rowCount(), 0);
    for (int n : {0, 1, 31})
        EXPECT_EQ(grid().areaDisplayText(indexedField("TTime", n)), QString()) << n;
    EXPECT_EQ(grid().headingText("lD0"), QString::fromUtf8("1日(木)"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RefRoumuTest, MonthButtonsStopAtTheirLimitsAndRedisplay) {
    addLine(*db, {.year = 2001, .month = 12, .days = {{1, 3.0}}});
    addLine(*db, {.year = 2004, .month = 7, .days = {{1, 5.0}}});
    openScreen({2004, 4, 17});
    EXPECT_EQ(screen->Nengetu()->value(), (DateTime{2004, 4, 1}));
    EXPECT_EQ(grid().rowCount(), 0); // nothing shown until asked

    screen->Nengetu()->setValue(DateTime{2001, 12, 1});
    screen->comUD()->press(0);
    EXPECT_EQ(screen->Nengetu()->value(), (DateTime{2001, 12, 1}));
    ASSERT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(cell(0, "D0"), 3.0);

    screen->Nengetu()->setValue(DateTime{2004, 5, 1});
    for (int i = 0; i < 4; ++i)
        screen->comUD()->press(1);
    EXPECT_EQ(screen->Nengetu()->value(), (DateTime{2004, 7, 1}));
    ASSERT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(cell(0, "D0"), 5.0);
    EXPECT_EQ(grid().headingText("lD0"), QString::fromUtf8("1日(木)"));
}

TEST_F(RefRoumuTest, PrintPreviewShowsTheMonthInTheBoxAndRewritesTheStoredQuery) {
    const auto a = addSite(*db, "青山ビル");
    addLine(*db, {.year = 2004,
                  .month = 5,
                  .wage = "1200",
                  .genbaId = a,
                  .gName = "青山ビル",
                  .days = {{1, 10.0}}});
    openScreen();
    screen->PrtPreview()->setChecked(true);
    // The box says May while the grid still shows nothing: printing follows the box.
    screen->Nengetu()->setValue(DateTime{2004, 5, 1});

    PreviewCatcher preview;
    screen->comPrt()->click();
    EXPECT_EQ(preview.pages, 1);
    EXPECT_TRUE(messages.shown().empty());

    plat::jet::Recordset rs = db->openQuery("Q_PrtRoumuG");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("Nengetu").toDate(), (DateTime{2004, 5, 1}));
    EXPECT_DOUBLE_EQ(rs.field("GTOTAL").toDouble(), 12000);
    rs.close();

    // A month without lines previews nothing and says nothing.
    PreviewCatcher none;
    screen->Nengetu()->setValue(DateTime{2004, 6, 1});
    screen->comPrt()->click();
    EXPECT_EQ(none.pages, -1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RefRoumuTest, ReportErrorsShowNumberAndDescriptionTitledAsPrinting) {
    addLine(*db, {.days = {{1, 1.0}}});
    openScreen();
    screen->PrtPreview()->setChecked(true);
    // The report reads the file of the program's folder; here that folder has no database.
    freshHome("elsewhere");
    screen->comPrt()->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    const auto& box = messages.shown().front();
    EXPECT_EQ(box.title, QString::fromUtf8("エラー印刷時"));
    EXPECT_EQ(box.icon, plat::widgets::MsgIcon::Error);
    EXPECT_TRUE(box.text.contains(QRegularExpression(QStringLiteral("^\\d+: .+"))))
        << box.text.toStdString();
}

TEST_F(RefRoumuTest, MissingDatabaseFailsTheLoad) {
    std::filesystem::remove(home / "Roumu.MDB");
    db.reset();
    openScreen();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().front().title, QString::fromUtf8("ロード時"));
    EXPECT_EQ(screen->state(), tamsel::Screen::LoadFailed);
}

} // namespace
