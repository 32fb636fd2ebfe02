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

// Chooses the item with `text` the way a pick in the open list ends: ListIndex set, then the
// control's CloseUp event.
void choose(tamsel::ledger::PickBox& box, const QString& text) {
    HostedControl& c = control(box);
    for (int i = 0; i < c.listCount(); ++i) {
        if (c.itemText(i) == text) {
            c.setListIndex(i);
            emit c.closeUp();
            return;
        }
    }
    throw std::runtime_error("no item " + text.toStdString());
}

TEST(LedgerComboTest, TheRoadOfOneLedgerThroughTheHostedControls) {
    ensureApp();
    const std::filesystem::path home = freshHome();
    plat::jet::Database db = freshDatabase(home);
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

    // Typed text reaches the control through its text; Enter is its KeyDown event with 13.
    entry.comOpen()->click();
    for (int i = 0; i < 100 && !grid->isShown(); ++i)
        QApplication::processEvents();
    HostedControl& third = control(grid->GenbaID(2));
    third.setText(QStringLiteral("99"));
    short enter = 13;
    emit third.keyDown(enter, 0);
    EXPECT_TRUE(third.text() == QStringLiteral("99"));
    EXPECT_FALSE(grid->DGrid()->isFieldEnabled(2, QStringLiteral("D0")));
    grid->close();
    entry.close();
    tamsel::RoumuM().RoumuDb.reset();
}

} // namespace
