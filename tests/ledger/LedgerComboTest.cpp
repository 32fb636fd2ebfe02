// The ledger screens with their real hosted combo controls, created from the program's form
// data through the build's registry: the lists filled from the masters, and the road of one
// ledger with the employee and the sites chosen through the controls.
#include "app/frame/RoumuM.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/RoumuEntry.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/ledger/VantilPickBox.h"
#include "platform/host/HostedControl.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include "LedgerTestSupport.h"

#include <QLabel>
#include <QTest>

namespace {

using namespace ledgertest;
using plat::host::HostedControl;
using plat::text::DateTime;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgResult;
using tamsel::RoumuEntrySub2;

HostedControl& control(tamsel::ledger::PickBox& box) {
    HostedControl* c = static_cast<tamsel::ledger::VantilPickBox&>(box).control();
    if (!c)
        throw std::runtime_error(box.loadError().toStdString());
    return *c;
}

// Chooses the item with `text` as a clerk does with the keyboard: focus the box, type the
// number, open the list with F4 (the typed number picks its row) and close it with Return.
void choose(tamsel::ledger::PickBox& box, const QString& text) {
    HostedControl& c = control(box);
    QWidget* window = c.controlWindow();
    window->setFocus();
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(window, text);
    QTest::keyClick(window, Qt::Key_F4);
    QTest::keyClick(window, Qt::Key_Return);
}

// Run on a file and on a server database.
class LedgerComboTest : public testsupport::EngineCase {};

TEST_P(LedgerComboTest, TheRoadOfOneLedgerThroughTheHostedControls) {
    ensureApp();
    const std::filesystem::path home = freshHome();
    plat::jet::Database db = freshDatabase(home, GetParam());
    const std::int64_t tanaka = addEmployee(db, "田中", 1250);
    addEmployee(db, "鈴木", 1300);
    const std::int64_t honsha = addSite(db, "本社");
    const std::int64_t ekimae = addSite(db, "駅前");
    MessageRecorder messages(MsgResult::Yes);

    tamsel::RoumuEntry entry(tamsel::ledger::vantilPickBoxes());
    entry.setToday({2004, 4, 10});
    entry.open();
    ASSERT_EQ(entry.state(), tamsel::Screen::Ready) << messages.texts().front().toStdString();
    HostedControl& employees = control(entry.SyainID());
    ASSERT_EQ(employees.listCount(), 2);
    EXPECT_EQ(employees.itemText(0), QString::number(tanaka + 1));

    choose(entry.SyainID(), QString::number(tanaka));
    EXPECT_EQ(entry.SName()->text(), QStringLiteral("田中"));
    EXPECT_EQ(entry.TMony()->value(), 1250.0);
    entry.comOpen()->click();
    RoumuEntrySub2* grid = entry.ledgerGrid();
    ASSERT_TRUE(grid);
    for (int i = 0; i < 100 && !grid->isShown(); ++i)
        QApplication::processEvents();
    ASSERT_TRUE(grid->isShown());
    EXPECT_EQ(control(grid->GenbaID(8)).listCount(), 2);
    EXPECT_EQ(control(grid->GenbaID(0)).itemText(0), QString::number(ekimae));

    choose(grid->GenbaID(0), QString::number(ekimae));
    QTest::keyClicks(grid->DGrid(), "8\r7.5\r");
    choose(grid->GenbaID(1), QString::number(ekimae));
    EXPECT_EQ(messages.texts(), std::vector<QString>{QStringLiteral("現場が重複しています。")});
    EXPECT_TRUE(control(grid->GenbaID(1)).text().isEmpty());
    choose(grid->GenbaID(1), QString::number(honsha));
    QTest::keyClicks(grid->DGrid(), "4\r");
    EXPECT_EQ(grid->DGrid()->total(QStringLiteral("Total31")).toNumber(), 24375);
    grid->comFunc()->press(RoumuEntrySub2::Save);
    grid->close();
    EXPECT_TRUE(entry.isEnabled());

    entry.comOpen()->click();
    for (int i = 0; i < 100 && !grid->isShown(); ++i)
        QApplication::processEvents();
    EXPECT_EQ(control(grid->GenbaID(1)).text(), QString::number(honsha));
    EXPECT_FALSE(grid->isDirty());
    EXPECT_EQ(messages.texts().size(), 1u); // only the duplicate message of before
    EXPECT_EQ(grid->DGrid()->number(0, QStringLiteral("D1")), 7.5);
    const auto month = tamsel::ledger::readMonth(db, {2004, 4, 1}, tanaka);
    ASSERT_EQ(month.lines.size(), 2u);
    EXPECT_EQ(month.lines[1].GName, "本社");
    grid->close();

    // A typed number and Enter with the list closed: the form hears Enter as key down 13 and
    // refuses the unknown site, keeping the text.
    entry.comOpen()->click();
    for (int i = 0; i < 100 && !grid->isShown(); ++i)
        QApplication::processEvents();
    HostedControl& third = control(grid->GenbaID(2));
    third.controlWindow()->setFocus();
    QTest::keyClicks(third.controlWindow(), QStringLiteral("99"));
    QTest::keyClick(third.controlWindow(), Qt::Key_Return);
    EXPECT_TRUE(third.text() == QStringLiteral("99"));
    EXPECT_FALSE(grid->DGrid()->isFieldEnabled(2, QStringLiteral("D0")));
    grid->close();
    entry.close();
    tamsel::RoumuM().RoumuDb.reset();
}

// The clerk's whole month with the keyboard alone through the real boxes: the employee and each
// site by number and Enter, thirty-one days of hours, Ctrl+S.
TEST_P(LedgerComboTest, AWholeMonthIsTypedWithTheKeyboardAloneThroughTheRealBoxes) {
    ensureApp();
    const std::filesystem::path home = freshHome();
    plat::jet::Database db = freshDatabase(home, GetParam());
    const std::int64_t tanaka = addEmployee(db, "田中", 1250);
    std::vector<std::int64_t> sites;
    for (int i = 0; i < 9; ++i)
        sites.push_back(addSite(db, "現場" + std::to_string(i)));
    MessageRecorder messages(MsgResult::Yes);

    tamsel::RoumuEntry entry(tamsel::ledger::vantilPickBoxes());
    entry.setToday({2004, 5, 10});
    entry.open();
    ASSERT_EQ(entry.state(), tamsel::Screen::Ready);
    QApplication::setActiveWindow(&entry);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));
    int keys = 0;
    auto typeKeys = [&](const QString& text) {
        for (QChar c : text) {
            ASSERT_NE(QApplication::focusWidget(), nullptr) << keys;
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            ++keys;
        }
        ASSERT_NE(QApplication::focusWidget(), nullptr) << keys;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ++keys;
    };
    // The employee: its number, F4 (the number finds its row), Return closes the list and the
    // pick moves focus to the open button; Space presses it.
    control(entry.SyainID()).setFocus();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    for (QChar c : QString::number(tanaka)) {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        ++keys;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    keys += 2;
    EXPECT_EQ(entry.SName()->text(), QStringLiteral("田中"));
    ASSERT_EQ(QApplication::focusWidget(), entry.comOpen());
    QTest::keyClick(entry.comOpen(), Qt::Key_Space);
    ++keys;
    RoumuEntrySub2* grid = entry.ledgerGrid();
    ASSERT_TRUE(grid);
    for (int i = 0; i < 100 && !grid->isShown(); ++i)
        QApplication::processEvents();
    ASSERT_TRUE(grid->isShown());
    for (int line = 0; line < 9; ++line) {
        ASSERT_EQ(QApplication::focusWidget(), control(grid->GenbaID(line)).controlWindow())
            << line;
        typeKeys(QString::number(sites[static_cast<size_t>(line)]));
        for (int day = 0; day < 31; ++day)
            typeKeys(QStringLiteral("2"));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ++keys;
    RecordProperty("key_presses", keys);
    EXPECT_TRUE(messages.texts().empty()) << messages.texts().front().toStdString();
    const auto month = tamsel::ledger::readMonth(db, {2004, 5, 1}, tanaka);
    ASSERT_EQ(month.lines.size(), 9u);
    EXPECT_EQ(month.lines[8].GenbaID, sites[8]);
    EXPECT_EQ(month.lines[8].hours[30], 2.0f);
    grid->close();
    entry.close();
    tamsel::RoumuM().RoumuDb.reset();
}

TEST_ENGINE_SUITE(LedgerComboTest);

} // namespace
