// The slip grid driven like the screens drive it: keyboard entry, the notifications and
// what their handlers may do, the operations the screens call, mouse and focus.
#include "SlipTestSupport.h"

#include "platform/widgets/slipgrid/SlipGrid.h"

#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>

using namespace plat::widgets;

namespace {

class SlipGridWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        slipgrid_test::app();
        window = std::make_unique<QWidget>();
        auto* box = new QVBoxLayout(window.get());
        grid = new SlipGrid(slipgrid_test::ledgerLayout());
        other = new QLineEdit;
        box->addWidget(grid);
        box->addWidget(other);
        window->resize(grid->sizeHint().width() + 20, grid->sizeHint().height() + 60);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        grid->setCurrentCell(0, "D0");
    }

    void type(const QString& keys) { QTest::keyClicks(grid, keys); }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(grid, key, mods);
    }
    QPoint centreOf(int row, const QString& field) {
        return grid->geometry()
            .rowCellRect(row, grid->model().columnIndex(field), grid->view())
            .center();
    }

    std::unique_ptr<QWidget> window;
    SlipGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(SlipGridWidgetTest, TypingReplacesTheValueAndEnterCommitsAndMovesOn) {
    grid->setNumber(0, "D0", 3);
    QSignalSpy changed(grid, &SlipGrid::valueChanged);
    type("7.5");
    EXPECT_TRUE(grid->isEditing());
    EXPECT_EQ(grid->editText(), "7.5");
    EXPECT_EQ(grid->number(0, "D0"), 3.0) << "nothing is stored before the commit";
    press(Qt::Key_Return);
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(grid->value(0, "D0"), SlipValue::number(7.5));
    EXPECT_EQ(grid->displayText(0, "D0"), "7.5");
    EXPECT_EQ(grid->currentField(), "D1");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 0);
    EXPECT_EQ(changed[0][1].toString(), "D0");

    // Arrow keys commit as well; letters are not taken by a number cell.
    type("x4");
    press(Qt::Key_Down);
    EXPECT_EQ(grid->number(0, "D1"), 4.0);
    EXPECT_EQ(grid->currentRow(), 1);

    // Escape drops what was typed, F2 edits the value in place.
    type("9");
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid->isEditing());
    EXPECT_TRUE(grid->value(1, "D1").isEmpty());
    grid->setCurrentCell(0, "D0");
    press(Qt::Key_F2);
    EXPECT_EQ(grid->editText(), "7.5");
    press(Qt::Key_Backspace);
    type("25");
    press(Qt::Key_Left);
    EXPECT_EQ(grid->number(0, "D0"), 7.25);
}

TEST_F(SlipGridWidgetTest, CommitHandlerReplacesAnEmptyValueByZero) {
    QObject::connect(grid, &SlipGrid::committing, [](int, const QString&, SlipValue& v) {
        if (v.isEmpty())
            v = SlipValue::number(0);
    });
    grid->setNumber(0, "D0", 5);
    press(Qt::Key_Backspace); // starts an empty entry
    EXPECT_TRUE(grid->isEditing());
    press(Qt::Key_Return);
    EXPECT_EQ(grid->value(0, "D0"), SlipValue::number(0));
    EXPECT_EQ(grid->displayText(0, "D0"), "0.0");

    grid->setNumber(0, "D1", 6);
    press(Qt::Key_Delete); // the current cell is D1 now
    EXPECT_EQ(grid->value(0, "D1"), SlipValue::number(0));
    type(".");
    press(Qt::Key_Return);
    EXPECT_EQ(grid->value(0, "D1"), SlipValue::number(0));
}

TEST_F(SlipGridWidgetTest, ValidationRefusalKeepsTheFormerValue) {
    QStringList seen;
    QObject::connect(grid, &SlipGrid::validating,
                     [&](int row, const QString& field, const SlipValue& v, bool& refuse) {
                         seen << QString("%1:%2=%3").arg(row).arg(field).arg(v.toText());
                         if (v.toNumber() > 24)
                             refuse = true;
                     });
    grid->setNumber(0, "D0", 8);
    QSignalSpy changed(grid, &SlipGrid::valueChanged);
    type("25");
    press(Qt::Key_Return);
    EXPECT_EQ(grid->number(0, "D0"), 8.0);
    EXPECT_EQ(grid->currentField(), "D0") << "a refused entry stays on its cell";
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(changed.count(), 0);

    type("24");
    press(Qt::Key_Return);
    EXPECT_EQ(grid->number(0, "D0"), 24.0);
    EXPECT_EQ(grid->currentField(), "D1");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(seen, QStringList({"0:D0=25", "0:D0=24"}));
    grid->setNumber(0, "D0", 30);
    EXPECT_EQ(grid->number(0, "D0"), 30.0) << "values written by code are not validated";
    EXPECT_EQ(seen.size(), 2);
}

TEST_F(SlipGridWidgetTest, KeyDownGivesKeyCodesAndTheScreenMaySwallowDelete) {
    QList<int> codes;
    const auto swallow = QObject::connect(grid, &SlipGrid::keyDown, [&](int& code, int shift) {
        codes << code * 10 + shift;
        if (code == 46)
            code = 0;
    });
    grid->setNumber(0, "D0", 5);
    press(Qt::Key_Delete);
    EXPECT_EQ(grid->number(0, "D0"), 5.0) << "the swallowed Delete clears nothing";
    press(Qt::Key_1);
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(grid->number(0, "D0"), 1.0);
    EXPECT_EQ(codes, QList<int>({460, 490, 161, 131})) << "Shift goes down before Enter";

    // Without the handler Delete empties the cell.
    QObject::disconnect(swallow);
    grid->setCurrentCell(0, "D0");
    press(Qt::Key_Delete);
    EXPECT_TRUE(grid->value(0, "D0").isEmpty());
}

TEST_F(SlipGridWidgetTest, DisabledCellsAreSkippedByArrowsAndEnterAndRefuseTyping) {
    // Line 0 in a 28-day month: days 29 to 31 closed; lines 1-8 not yet open.
    for (int d = 28; d <= 30; ++d)
        grid->setFieldEnabled(0, indexedField("D", d), false);
    for (int r = 1; r < 9; ++r)
        for (int d = 0; d <= 30; ++d)
            grid->setFieldEnabled(r, indexedField("D", d), false);
    grid->setFieldEnabled(0, "D1", false);
    EXPECT_FALSE(grid->isFieldEnabled(0, "D1"));

    press(Qt::Key_Right);
    EXPECT_EQ(grid->currentField(), "D2");
    press(Qt::Key_Left);
    EXPECT_EQ(grid->currentField(), "D0");
    press(Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 0) << "nothing enabled below";

    grid->setCurrentCell(0, "D26");
    type("8");
    press(Qt::Key_Return);
    EXPECT_EQ(grid->currentField(), "D27");
    type("9");
    press(Qt::Key_Return);
    EXPECT_EQ(grid->number(0, "D27"), 9.0);
    EXPECT_EQ(grid->currentField(), "D27") << "nothing left to enter after day 28";
    press(Qt::Key_Right);
    EXPECT_EQ(grid->currentField(), "D31") << "arrows pass the closed days to the total";

    grid->setCurrentCell(0, "D29");
    type("3");
    EXPECT_FALSE(grid->isEditing());
    EXPECT_TRUE(grid->value(0, "D29").isEmpty());

    // The screen writes the site name; the user cannot type into it.
    grid->setCurrentCell(0, "GName");
    type("123");
    EXPECT_TRUE(grid->value(0, "GName").isEmpty());
    press(Qt::Key_Return);
    EXPECT_EQ(grid->currentField(), "D0");

    // A click on a disabled cell does not move there.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(0, "D1"));
    EXPECT_EQ(grid->currentField(), "D0");
}

TEST_F(SlipGridWidgetTest, ValueChangedReportsCodeWritesOnlyWhenTheValueChanges) {
    QStringList changes;
    QObject::connect(grid, &SlipGrid::valueChanged, [&](int row, const QString& field) {
        changes << QString("%1:%2").arg(row).arg(field);
    });
    grid->setNumber(2, "D4", 3.5);
    grid->setNumber(2, "D4", 3.5);
    grid->setText(2, "GName", "本社ビル");
    grid->setValue(2, "D5", SlipValue::text("2"));
    grid->clearValue(2, "D6");
    EXPECT_EQ(changes, QStringList({"2:D4", "2:GName", "2:D5"}));

    changes.clear();
    grid->clearRow(2);
    EXPECT_EQ(changes, QStringList({"2:GName", "2:D4", "2:D5"}));
    EXPECT_TRUE(grid->value(2, "GName").isEmpty());
    EXPECT_EQ(grid->number(2, "D4"), 0.0) << "an empty value counts 0";

    grid->setNumber(1, "D0", 1);
    grid->setNumber(5, "D0", 1);
    changes.clear();
    grid->clearAllRows();
    EXPECT_EQ(changes, QStringList({"1:D0", "5:D0"}));

    EXPECT_THROW(grid->setNumber(0, "D32", 1), std::out_of_range);
    EXPECT_THROW(grid->setNumber(9, "D0", 1), std::out_of_range);
    EXPECT_THROW(grid->number(0, "lD0"), std::out_of_range);
    EXPECT_THROW(grid->setText(0, "D0", "abc"), std::invalid_argument);
}

// A change handler in the shape of the ledger screen: the line total and the column totals
// follow every change, and writing an unchanged total must not call the handler again.
TEST_F(SlipGridWidgetTest, TotalsFollowChangesThroughTheChangeHandler) {
    const double wage = 1250;
    int calls = 0;
    QObject::connect(grid, &SlipGrid::valueChanged, [&](int row, const QString& field) {
        ++calls;
        ASSERT_LT(calls, 100) << "change handling does not end";
        if (field == "GName")
            return;
        const int c = field.mid(1).toInt();
        float line = 0;
        for (int d = 0; d <= 30; ++d)
            line += static_cast<float>(grid->number(row, indexedField("D", d)));
        grid->setNumber(row, "D31", line);
        float h = 0;
        for (int r = 0; r < grid->rowCount(); ++r)
            h += static_cast<float>(grid->number(r, indexedField("D", c)));
        grid->setTotal(indexedField("TTime", c), h);
        grid->setTotal(indexedField("Total", c), std::floor(wage * h));
    });
    type("7.5");
    press(Qt::Key_Return);
    type("2");
    press(Qt::Key_Return);
    EXPECT_EQ(grid->number(0, "D31"), 9.5);
    EXPECT_EQ(grid->areaDisplayText("TTime0"), "7.5");
    EXPECT_EQ(grid->areaDisplayText("Total0"), "9,375");
    EXPECT_EQ(grid->areaDisplayText("TTime31"), "9.5");
    EXPECT_EQ(grid->areaDisplayText("Total31"), "11,875");
}

TEST_F(SlipGridWidgetTest, CurrentCellCanBeReadAndSet) {
    QSignalSpy moved(grid, &SlipGrid::currentCellChanged);
    grid->setCurrentCell(3, "D12");
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentField(), "D12");
    grid->setCurrentRow(5);
    grid->setCurrentField("D31");
    EXPECT_EQ(grid->currentRow(), 5);
    EXPECT_EQ(grid->currentField(), "D31");
    EXPECT_EQ(moved.count(), 3);
    EXPECT_THROW(grid->setCurrentCell(9, "D0"), std::out_of_range);
    EXPECT_THROW(grid->setCurrentField("X"), std::out_of_range);
    EXPECT_EQ(grid->currentField(), "D31");

    // Moving the current cell by code drops a half-typed entry of the old cell.
    grid->setCurrentField("D30");
    type("5");
    EXPECT_TRUE(grid->isEditing());
    grid->setCurrentCell(0, "D0");
    EXPECT_FALSE(grid->isEditing());
    EXPECT_TRUE(grid->value(5, "D30").isEmpty());
}

TEST_F(SlipGridWidgetTest, HeadingTextsColoursAndTotals) {
    grid->setHeadingText("lD3", "4日");
    grid->setHeadingText("a3", "(日)");
    grid->setHeadingColor("lD3", QColor(255, 0, 0));
    EXPECT_EQ(grid->headingText("lD3"), "4日");
    EXPECT_EQ(grid->headingText("a3"), "(日)");
    EXPECT_EQ(grid->headingColor("lD3"), QColor(255, 0, 0));
    EXPECT_FALSE(grid->headingColor("a4").isValid());
    EXPECT_EQ(grid->headingText("lG"), "現　　　　場　　　　名");

    grid->setTotal("Total31", 20250);
    EXPECT_EQ(grid->areaDisplayText("Total31"), "20,250");
    EXPECT_EQ(grid->total("Total31"), SlipValue::number(20250));
    grid->blankTotal("Total31");
    EXPECT_TRUE(grid->total("Total31").isEmpty());
    EXPECT_EQ(grid->areaDisplayText("Total31"), "");
    EXPECT_THROW(grid->setTotal("D0", 1), std::out_of_range);
    EXPECT_THROW(grid->headingText("lD32"), std::out_of_range);
}

TEST_F(SlipGridWidgetTest, RowsCanBeAppendedAndAllRemoved) {
    grid->removeAllRows();
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(grid->currentRow(), -1);
    type("5");
    press(Qt::Key_Return);
    press(Qt::Key_Delete);
    EXPECT_FALSE(grid->isEditing()) << "keys on an empty grid do nothing";

    grid->appendRow();
    grid->appendRow();
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_TRUE(grid->value(1, "D0").isEmpty());
    EXPECT_TRUE(grid->isFieldEnabled(1, "D0"));

    // A change handler that empties the grid while rows are being cleared.
    grid->setNumber(0, "D0", 1);
    grid->setNumber(1, "D0", 1);
    QObject::connect(grid, &SlipGrid::valueChanged, [&] { grid->removeAllRows(); });
    EXPECT_NO_THROW(grid->clearAllRows());
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_THROW(grid->clearRow(0), std::out_of_range);
}

TEST_F(SlipGridWidgetTest, FocusIsReportedAndLeavingCommitsTheEntry) {
    QSignalSpy focused(grid, &SlipGrid::gotFocus);
    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other->hasFocus(); }));
    EXPECT_EQ(focused.count(), 0);
    grid->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid->hasFocus(); }));
    EXPECT_EQ(focused.count(), 1);

    type("6");
    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other->hasFocus(); }));
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(grid->number(0, "D0"), 6.0);
}

TEST_F(SlipGridWidgetTest, MouseSelectsAndDoubleClickEdits) {
    grid->setNumber(2, "D3", 4.5);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(2, "D3"));
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentField(), "D3");
    EXPECT_FALSE(grid->isEditing());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centreOf(2, "D3"));
    EXPECT_TRUE(grid->isEditing());
    EXPECT_EQ(grid->editText(), "4.5");
    // A click elsewhere commits first.
    type("0");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(4, "D7"));
    EXPECT_EQ(grid->number(2, "D3"), 4.5);
    EXPECT_EQ(grid->currentRow(), 4);
}

TEST_F(SlipGridWidgetTest, PastedValuesTakeTheRoadOfTypedOnes) {
    QObject::connect(
        grid, &SlipGrid::validating,
        [](int, const QString&, const SlipValue& v, bool& refuse) { refuse = v.toNumber() > 24; });
    grid->setNumber(0, "D0", 7.5);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "7.5");
    press(Qt::Key_Right);
    QSignalSpy changed(grid, &SlipGrid::valueChanged);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->number(0, "D1"), 7.5);
    EXPECT_EQ(changed.count(), 1);

    for (const char* refused : {"30", "abc"}) {
        QGuiApplication::clipboard()->setText(refused);
        press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(grid->number(0, "D1"), 7.5) << refused;
    }
    QGuiApplication::clipboard()->setText(" 12.5\nsecond line");
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->number(0, "D1"), 12.5);

    grid->setCurrentCell(0, "GName");
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(grid->value(0, "GName").isEmpty()) << "the name is the screen's to write";
}

TEST_F(SlipGridWidgetTest, NamesCutShortShowWhollyAsToolTip) {
    grid->setText(0, "GName", "本社ビル");
    grid->setText(1, "GName", "第十二工区 市民体育館耐震補強および外壁改修工事");
    EXPECT_EQ(grid->toolTipAt(centreOf(0, "GName")), "");
    EXPECT_EQ(grid->toolTipAt(centreOf(1, "GName")),
              "第十二工区 市民体育館耐震補強および外壁改修工事");
    EXPECT_EQ(grid->toolTipAt(QPoint(5, 5)), "") << "heading";
}

TEST_F(SlipGridWidgetTest, NarrowGridScrollsTheCurrentCellIntoView) {
    window->resize(500, window->height());
    QTest::qWait(0);
    ASSERT_GT(grid->horizontalScrollBar()->maximum(), 0);
    press(Qt::Key_End);
    EXPECT_EQ(grid->currentField(), "D31");
    EXPECT_EQ(grid->horizontalScrollBar()->value(), grid->horizontalScrollBar()->maximum());
    press(Qt::Key_Home);
    EXPECT_EQ(grid->currentField(), "GName");
    press(Qt::Key_Right);
    EXPECT_EQ(grid->horizontalScrollBar()->value(), 0);
}

TEST(SlipGridInquiryTest, ManyRowsScrollUnderFixedHeadingsAndTotals) {
    slipgrid_test::app();
    SlipGrid grid(slipgrid_test::inquiryLayout());
    const SlipGridGeometry& geo = grid.geometry();
    // Room for ten rows between heading and totals.
    grid.resize(700, geo.headingHeight() + geo.totalsHeight() + 10 * geo.rowHeight() +
                         grid.horizontalScrollBar()->sizeHint().height());
    grid.show();
    for (int r = 0; r < 40; ++r) {
        grid.appendRow();
        grid.setText(r, "GName", QString("現場%1").arg(r));
        grid.setNumber(r, "D0", r);
    }
    QApplication::processEvents(); // the scroll area shows its bars on a queued call
    EXPECT_EQ(grid.rowCount(), 40);
    EXPECT_EQ(geo.rowsThatFit(grid.viewport()->height()), 10);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 30);
    // Totals stay at the bottom of the viewport, right under the tenth row.
    EXPECT_EQ(geo.totalsTop(grid.view()), geo.headingHeight() + 10 * geo.rowHeight());

    grid.setCurrentCell(0, "D0");
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(grid.currentRow(), 10);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 1);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(grid.currentRow(), 39);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 30);
    QTest::keyClick(&grid, Qt::Key_PageUp);
    EXPECT_EQ(grid.currentRow(), 29);

    // A click picks the row under the pointer in the scrolled grid.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      geo.rowCellRect(30, 1, grid.view()).center());
    EXPECT_EQ(grid.currentRow(), 30);

    // Read-only inquiry cells take no typing.
    QTest::keyClicks(&grid, "5");
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(grid.number(30, "D0"), 30.0);

    grid.removeAllRows();
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(geo.totalsTop(grid.view()), geo.headingHeight());
}

TEST(SlipGridLayoutChangeTest, AFaultyLayoutLeavesTheGridAsItWasAndAnEmptyGridIsHarmless) {
    slipgrid_test::app();
    SlipGrid grid;
    grid.show();
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClicks(&grid, "12");
    EXPECT_FALSE(grid.grab().isNull());
    EXPECT_EQ(grid.currentField(), "");

    grid.setGridLayout(slipgrid_test::ledgerLayout(2));
    grid.setNumber(1, "D0", 3);
    SlipGridLayout faulty = slipgrid_test::ledgerLayout();
    faulty.columns[2].field = "D0";
    EXPECT_THROW(grid.setGridLayout(faulty), std::invalid_argument);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.number(1, "D0"), 3.0);
}

TEST(SlipGridTextFieldTest, TextFieldsTakeTypedAndInputMethodText) {
    slipgrid_test::app();
    SlipGridLayout l;
    l.columns = {textColumn("GName", 120), numberColumn("D0", 50, "#,##0.0")};
    l.initialRows = 1;
    SlipGrid grid(l);
    grid.show();
    grid.setCurrentCell(0, "GName");
    EXPECT_TRUE(grid.testAttribute(Qt::WA_InputMethodEnabled));
    QTest::keyClicks(&grid, "Site 1");
    QInputMethodEvent ime;
    ime.setCommitString("現場");
    QApplication::sendEvent(&grid, &ime);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(grid.value(0, "GName"), SlipValue::text("Site 1現場"));
    EXPECT_EQ(grid.currentField(), "D0");
    EXPECT_FALSE(grid.testAttribute(Qt::WA_InputMethodEnabled))
        << "number cells take digits without the input method";
    QTest::keyClicks(&grid, "1234.5");
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(grid.displayText(0, "D0"), "1,234.5");
}

} // namespace
