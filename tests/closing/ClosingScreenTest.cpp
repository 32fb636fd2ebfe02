// The month closing screen and the ledger grid on a closed month, on real database files under
// the offscreen platform: the screen from the frame's menu bar with its questions, a closed
// month's ledger opened read-only, a save refused after another process closed the month while
// the grid was open, and editing restored when the month is opened again.
#include "app/closing/ClosedMonths.h"
#include "app/closing/GetujiSime.h"
#include "app/frame/MainFrm.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenRegistry.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "platform/widgets/BannerLabel.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include "ClosingTestSupport.h"
#include "tests/ledger/LedgerTestSupport.h"

#include <QAction>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>

namespace {

using plat::jet::Currency;
using plat::text::DateTime;
using plat::widgets::indexedField;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgResult;
using tamsel::GetujiSime;
using tamsel::RoumuEntrySub2;

const DateTime kApril{2004, 4, 1};

class ClosingScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ledgertest::ensureApp();
        home = closingtest::freshHome();
        db.emplace(closingtest::freshDatabase(home));
        syain = ledgertest::addEmployee(*db, "山田", 1250);
        site = ledgertest::addSite(*db, "本社");
        tamsel::resetScreens();
        tamsel::registerScreen(tamsel::ScreenIndex::GetujiSime, [] { return new GetujiSime; });
    }
    void TearDown() override {
        if (grid)
            grid->close();
        grid.reset();
        tamsel::resetScreens();
        tamsel::RoumuM().MenuForm = nullptr;
        tamsel::RoumuM().RoumuDb.reset();
    }
    // One line on site `site` with `hours` on day 1.
    void store(const DateTime& month, float hours) {
        tamsel::ledger::MonthToSave m{month, syain, "山田", Currency::fromUnits(1250), {}};
        tamsel::ledger::LedgerLine l;
        l.GenbaID = site;
        l.GName = "本社";
        l.hours[0] = hours;
        m.lines.push_back(l);
        tamsel::ledger::replaceMonth(*db, m);
    }
    float storedDay1(const DateTime& month = kApril) {
        const auto s = tamsel::ledger::readMonth(*db, month, syain);
        return s.lines.empty() ? -1.0f : s.lines[0].hours[0];
    }
    void openGrid(const DateTime& month = kApril) {
        tamsel::RoumuM().LedgerKey = {month, syain, QStringLiteral("山田"),
                                      Currency::fromUnits(1250)};
        if (!grid)
            grid = std::make_unique<RoumuEntrySub2>(ledgertest::lineEditBoxes(), &selection);
        grid->open();
        for (int i = 0; i < 100 && !grid->isShown(); ++i)
            QApplication::processEvents();
        ASSERT_TRUE(grid->isShown());
    }
    void type(int line, int day, const char* hours) {
        plat::widgets::SlipGrid& g = *grid->DGrid();
        g.setFocus();
        g.setCurrentCell(line, indexedField("D", day));
        QTest::keyClicks(&g, QString::fromUtf8(hours));
        QTest::keyClick(&g, Qt::Key_Return);
    }
    bool buttonOn(int f) const { return grid->comFunc()->button(f)->isEnabled(); }
    bool editable() const {
        return grid->GenbaID(0).widget()->isEnabled() &&
               grid->DGrid()->isFieldEnabled(0, QStringLiteral("D0")) && grid->TMony()->isEnabled();
    }
    QString banner() const { return grid->AcLbl()->caption(); }

    std::filesystem::path home;
    std::optional<plat::jet::Database> db;
    std::int64_t syain = 0;
    std::int64_t site = 0;
    bool appMade = (ledgertest::ensureApp(), true);
    QWidget selection;
    std::unique_ptr<RoumuEntrySub2> grid;
    MessageRecorder messages{MsgResult::Yes};
};

TEST_F(ClosingScreenTest, TheMenuBarOpensTheScreenWhichClosesAndOpensTheSelectedMonth) {
    store(kApril, 8);
    store({2004, 3, 1}, 7.5);
    const DateTime current = plat::text::firstOfMonth(plat::text::nowLocal());
    store(current, 2);

    tamsel::MainFrm frame;
    frame.show();
    ASSERT_NE(frame.comS(), nullptr);
    const QList<QAction*> top = frame.menuBar()->actions();
    EXPECT_EQ(top.value(top.indexOf(frame.comS()) + 1), frame.comH()->menuAction());
    frame.comS()->trigger();
    auto* screen =
        qobject_cast<GetujiSime*>(tamsel::screenInstance(tamsel::ScreenIndex::GetujiSime));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(frame.isVisible());

    // Newest first, each with its hours, amount and state; the current month cannot be closed.
    QTableWidget& rows = *screen->DGrid();
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.currentRow(), 1); // the newest month that can be closed
    EXPECT_EQ(rows.item(1, GetujiSime::MonthColumn)->text(), QStringLiteral("2004年04月度"));
    EXPECT_EQ(rows.item(1, GetujiSime::HoursColumn)->text(), QStringLiteral("8.0"));
    EXPECT_EQ(rows.item(2, GetujiSime::AmountColumn)->text(), QStringLiteral("9,375"));
    EXPECT_EQ(rows.item(1, GetujiSime::StateColumn)->text(), QStringLiteral("未締め"));
    ASSERT_TRUE(screen->selectMonth(current));
    EXPECT_FALSE(screen->comFunc()->button(GetujiSime::CloseMonth)->isEnabled());
    screen->comFunc()->press(GetujiSime::CloseMonth);
    EXPECT_FALSE(tamsel::closing::isClosed(*db, current));

    ASSERT_TRUE(screen->selectMonth(kApril));
    messages.queueAnswers({MsgResult::No, MsgResult::Yes});
    screen->comFunc()->press(GetujiSime::CloseMonth);
    EXPECT_FALSE(tamsel::closing::isClosed(*db, kApril));
    screen->comFunc()->press(GetujiSime::CloseMonth);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("2004年04月度を締めます。よろしいですか？"));
    EXPECT_TRUE(tamsel::closing::isClosed(*db, kApril));
    EXPECT_EQ(rows.item(1, GetujiSime::StateColumn)->text(), QStringLiteral("締め済み"));
    EXPECT_EQ(rows.currentRow(), 1);
    EXPECT_FALSE(screen->comFunc()->button(GetujiSime::CloseMonth)->isEnabled());

    // Opening again asks a sterner question whose default is No.
    messages.clear();
    messages.queueAnswers({MsgResult::No, MsgResult::Yes});
    screen->comFunc()->press(GetujiSime::OpenMonth);
    EXPECT_TRUE(tamsel::closing::isClosed(*db, kApril));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(
        messages.shown()[0].text,
        QStringLiteral(
            "締めを解除すると、支給済みの月の台帳が変更できるようになります。解除しますか？"));
    EXPECT_EQ(messages.shown()[0].defaultButton, MsgResult::No);
    screen->comFunc()->press(GetujiSime::OpenMonth);
    EXPECT_FALSE(tamsel::closing::isClosed(*db, kApril));
    EXPECT_EQ(rows.item(1, GetujiSime::StateColumn)->text(), QStringLiteral("未締め"));

    screen->close();
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(ClosingScreenTest, AClosedMonthOpensReadOnlyAndOpeningItAgainRestoresEditing) {
    store(kApril, 8);
    ASSERT_EQ(tamsel::closing::closeMonth(*db, kApril, plat::text::nowLocal()),
              tamsel::closing::CloseResult::Closed);
    openGrid();
    EXPECT_TRUE(banner().contains(QStringLiteral("締め済み"))) << banner().toStdString();
    EXPECT_FALSE(editable());
    EXPECT_FALSE(grid->GenbaID(1).widget()->isEnabled());
    for (int f : {RoumuEntrySub2::Save, RoumuEntrySub2::DeleteLine, RoumuEntrySub2::DeleteMonth,
                  RoumuEntrySub2::CopyPrevious})
        EXPECT_FALSE(buttonOn(f)) << f;
    EXPECT_TRUE(buttonOn(RoumuEntrySub2::Close));
    EXPECT_EQ(grid->DGrid()->number(0, QStringLiteral("D0")), 8.0);
    grid->close();

    ASSERT_EQ(tamsel::closing::openMonth(*db, kApril), tamsel::closing::OpenResult::Opened);
    openGrid();
    EXPECT_FALSE(banner().contains(QStringLiteral("締め済み")));
    EXPECT_TRUE(editable());
    EXPECT_TRUE(buttonOn(RoumuEntrySub2::DeleteLine));
    EXPECT_TRUE(buttonOn(RoumuEntrySub2::DeleteMonth));
    type(0, 0, "4");
    EXPECT_TRUE(buttonOn(RoumuEntrySub2::Save));
    grid->comFunc()->press(RoumuEntrySub2::Save);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(storedDay1(), 4.0f);
}

TEST_F(ClosingScreenTest, ASaveIsRefusedWhenAnotherProcessClosedTheMonthWhileTheGridWasOpen) {
    // A file from before month closing: the other process creates the table as it closes.
    store(kApril, 8);
    openGrid();
    EXPECT_TRUE(editable());
    type(0, 0, "4");
    const closingtest::ToolRun run =
        closingtest::runTool("close-month '" + closingtest::databaseFile(home) + "' 2004-04");
    ASSERT_EQ(run.status, 0) << run.out;

    grid->comFunc()->press(RoumuEntrySub2::Save);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("この月は締め済みのため保存できません。"));
    EXPECT_EQ(storedDay1(), 8.0f);
    // The changes stay on screen, still to be saved.
    EXPECT_TRUE(grid->isDirty());
    EXPECT_EQ(grid->DGrid()->number(0, QStringLiteral("D0")), 4.0);

    messages.clear();
    grid->comFunc()->press(RoumuEntrySub2::DeleteMonth);
    ASSERT_EQ(messages.shown().size(), 2u); // the question, then the refusal
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("この月は締め済みのため保存できません。"));
    EXPECT_EQ(storedDay1(), 8.0f);
    EXPECT_EQ(grid->DGrid()->number(0, QStringLiteral("D0")), 4.0);
}

} // namespace
