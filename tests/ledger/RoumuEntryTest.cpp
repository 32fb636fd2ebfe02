// The ledger selection screen on a real database file and on a server database: the employee
// list, the month buttons and their limits, opening the ledger grid with the employee's name and
// wage, and leaving.
#include "app/ledger/RoumuEntry.h"
#include "app/frame/RoumuM.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/NumericBox.h"

#include "LedgerTestSupport.h"

#include "app/ledger/LedgerStore.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include <QLabel>
#include <QTest>

namespace {

using namespace ledgertest;
using plat::text::DateTime;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgResult;
using tamsel::RoumuEntry;

class RoumuEntryTest : public testsupport::EngineCase {
protected:
    void SetUp() override {
        EngineCase::SetUp();
        if (IsSkipped())
            return;
        ensureApp();
        home = freshHome();
        db.emplace(freshDatabase(home, GetParam()));
        first = addEmployee(*db, "佐藤", 1100);
        unpaid = addEmployee(*db, "見習い", 0);
        screen = std::make_unique<RoumuEntry>(lineEditBoxes());
        screen->setToday({2004, 5, 17});
        screen->open();
    }
    void TearDown() override {
        messages.setYesNoAnswer(MsgResult::Yes);
        if (!screen)
            return;
        screen->close();
        screen.reset();
        tamsel::RoumuM().RoumuDb.reset();
    }
    LineEditPickBox& employees() { return lineEdit(screen->SyainID()); }
    DateTime month() { return screen->Nengetu()->value(); }

    std::filesystem::path home;
    std::optional<plat::jet::Database> db;
    std::int64_t first = 0;
    std::int64_t unpaid = 0;
    std::unique_ptr<RoumuEntry> screen;
    MessageRecorder messages{MsgResult::Yes};
};

TEST_P(RoumuEntryTest, MonthStartsAtTheCurrentMonthAndStopsAtItsLimits) {
    EXPECT_EQ(month(), (DateTime{2004, 5, 1}));
    for (int i = 0; i < 5; ++i)
        screen->comUD()->press(1);
    EXPECT_EQ(month(), (DateTime{2004, 8, 1}));
    screen->Nengetu()->setValue({2002, 1, 1});
    screen->comUD()->press(0);
    EXPECT_EQ(month(), (DateTime{2001, 12, 1}));
    screen->comUD()->press(0);
    EXPECT_EQ(month(), (DateTime{2001, 12, 1}));
}

TEST_P(RoumuEntryTest, PickingAnEmployeeShowsNameAndWageAndOpensTheLedger) {
    ASSERT_EQ(employees().itemCount(), 2);
    EXPECT_EQ(employees().ItemText(0), QString::number(unpaid));
    EXPECT_EQ(employees().subText(1), QStringLiteral("佐藤"));

    screen->comOpen()->click(); // empty box: nothing, no message
    EXPECT_FALSE(screen->ledgerGrid());

    ASSERT_TRUE(employees().pick(QString::number(unpaid)));
    EXPECT_EQ(screen->SName()->text(), QStringLiteral("見習い"));
    EXPECT_EQ(screen->TMony()->value(), 0.0);
    screen->comOpen()->click();
    ASSERT_TRUE(screen->ledgerGrid());
    EXPECT_FALSE(screen->isEnabled());
    const auto& key = tamsel::RoumuM().LedgerKey;
    EXPECT_EQ(key.SyainID, unpaid);
    EXPECT_EQ(key.Nengetu, (DateTime{2004, 5, 1}));
    EXPECT_EQ(screen->ledgerGrid()->TMony()->value(), 0.0);
    screen->ledgerGrid()->close();
    EXPECT_TRUE(screen->isEnabled());

    // A number typed after a pick opens the typed employee's ledger under that name.
    employees().setText(QString::number(first));
    screen->comOpen()->click();
    EXPECT_EQ(key.SName, QStringLiteral("佐藤"));
    EXPECT_EQ(key.TMony, plat::jet::Currency::fromUnits(1100));
    screen->ledgerGrid()->close();

    employees().setText(QStringLiteral("sato"));
    screen->comOpen()->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("労務台帳入力"));
    EXPECT_FALSE(screen->ledgerGrid()->isVisible());
}

TEST_P(RoumuEntryTest, NoToTheExitQuestionKeepsScreenAndDatabase) {
    messages.setYesNoAnswer(MsgResult::No);
    screen->comEnd()->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(tamsel::RoumuM().RoumuDb.has_value());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("終了しますか？"));
    EXPECT_EQ(messages.shown()[0].defaultButton, MsgResult::Yes);
    messages.setYesNoAnswer(MsgResult::Yes);
    screen->comEnd()->click();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_FALSE(tamsel::RoumuM().RoumuDb.has_value());
}

TEST_P(RoumuEntryTest, AnOpenGridDecidesWhetherTheSelectionCloses) {
    const std::int64_t site = addSite(*db, "本社");
    ASSERT_TRUE(employees().pick(QString::number(first)));
    screen->comOpen()->click();
    tamsel::RoumuEntrySub2* grid = screen->ledgerGrid();
    ASSERT_TRUE(grid);
    for (int i = 0; i < 100 && !grid->isShown(); ++i)
        QApplication::processEvents();
    ASSERT_TRUE(lineEdit(grid->GenbaID(0)).pick(QString::number(site)));
    grid->DGrid()->setNumber(0, QStringLiteral("D0"), 8);

    messages.queueAnswers({MsgResult::Yes, MsgResult::No});
    screen->close();
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(grid->isVisible());
    EXPECT_TRUE(tamsel::RoumuM().RoumuDb.has_value());
    grid->comFunc()->press(tamsel::RoumuEntrySub2::Save);
    EXPECT_EQ(tamsel::ledger::readMonth(*db, {2004, 5, 1}, first).lines.at(0).hours[0], 8.0f);
}

TEST_P(RoumuEntryTest, TheLedgerOpensWithTheMastersCurrentWageAndAReopenedScreenStartsAfresh) {
    ASSERT_TRUE(employees().pick(QString::number(first)));
    ASSERT_EQ(screen->focusWidget(), screen->comOpen());
    db->execute("UPDATE SYAIN_MT SET TMONY=1400 WHERE SYAINID=" + std::to_string(first));
    QTest::keyClick(screen->comOpen(), Qt::Key_Return);
    ASSERT_TRUE(screen->ledgerGrid());
    EXPECT_TRUE(screen->ledgerGrid()->isVisible());
    EXPECT_EQ(tamsel::RoumuM().LedgerKey.TMony, plat::jet::Currency::fromUnits(1400));
    screen->ledgerGrid()->close();

    screen->close();
    screen->open();
    EXPECT_TRUE(employees().text().isEmpty());
    EXPECT_TRUE(screen->SName()->text().isEmpty());
    EXPECT_EQ(screen->TMony()->value(), 0.0);
}

TEST_P(RoumuEntryTest, AnEmployeeMissingFromTheMasterOpensNoLedgerAndTheWageIsNeverNegative) {
    ASSERT_TRUE(employees().pick(QString::number(first)));
    screen->TMony()->setFocus();
    screen->TMony()->selectAll();
    QTest::keyClicks(screen->TMony(), QStringLiteral("-100"));
    QTest::keyClick(screen->TMony(), Qt::Key_Return);
    EXPECT_EQ(screen->TMony()->value(), 1100.0);

    employees().setText(QStringLiteral("999"));
    screen->comOpen()->click();
    EXPECT_FALSE(screen->ledgerGrid());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("従業員マスタに登録されていない従業員です。"));
    EXPECT_EQ(screen->focusWidget(), &employees());
}

TEST_ENGINE_SUITE(RoumuEntryTest);

} // namespace
