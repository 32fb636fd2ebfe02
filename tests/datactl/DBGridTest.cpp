// The grid bound to the data control: every row listed with headings and formats, the current
// row selected and followed, a clicked row made current, thousands of rows in one model.
#include "platform/widgets/datactl/DBGrid.h"
#include "platform/widgets/TextBox.h"
#include "platform/widgets/datactl/DBCtl.h"
#include "tests/datactl/DataFixture.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>

using plat::widgets::DBCtl;
using plat::widgets::DBGrid;
using plat::widgets::TextBox;

class DBGridTest : public DataFixture {
protected:
    void openSites() {
        ctl.setDatabaseName(dbPath());
        ctl.setRecordSource(QStringLiteral("Q_Genba"));
        ctl.bind(&name, QStringLiteral("GName"));
        grid.setColumns({
            {QStringLiteral("GenbaID"), QStringLiteral("ID"), {}, Qt::AlignRight, 60},
            {QStringLiteral("GName"), QStringLiteral("名"), {}, Qt::AlignLeft, 160},
            {QStringLiteral("CrtDate"), QStringLiteral("日時"), "yy/mm/dd hh:nn", Qt::AlignLeft,
             120},
        });
        grid.setDataControl(&ctl);
        ASSERT_TRUE(ctl.refresh());
        grid.resize(420, 300);
        grid.show();
    }
    QString cell(int row, int column) const {
        return grid.model()->index(row, column).data().toString();
    }
    int selectedRow() const {
        const auto rows = grid.selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].row() : -1;
    }

    DBCtl ctl;
    TextBox name;
    DBGrid grid;
};

TEST_F(DBGridTest, ListsEveryRowWithHeadingsAndFormats) {
    db().execute("INSERT INTO GENBA_MT (GNAME,CRTDATE) VALUES ('北工場',#2004/03/05 08:09:10#)");
    db().execute("INSERT INTO GENBA_MT (GNAME) VALUES ('南倉庫')");
    openSites();
    ASSERT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ID"));
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("日時"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("北工場"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("04/03/05 08:09"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d$"))
                    .match(cell(1, 2))
                    .hasMatch())
        << cell(1, 2).toStdString();
    EXPECT_EQ(grid.model()->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight);
    // The row header marks the current row.
    EXPECT_EQ(grid.model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("▶"));
    EXPECT_TRUE(grid.model()->headerData(1, Qt::Vertical).toString().isEmpty());
}

TEST_F(DBGridTest, FollowsTheCurrentRowAndAClickMakesARowCurrent) {
    for (const char* n : {"一", "二", "三", "四"})
        db().execute(std::string("INSERT INTO GENBA_MT (GNAME) VALUES ('") + n + "')");
    openSites();
    EXPECT_EQ(selectedRow(), 0);
    ctl.moveLast();
    EXPECT_EQ(selectedRow(), 3);
    EXPECT_EQ(grid.model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("▶"));
    ctl.addNew();
    EXPECT_EQ(selectedRow(), -1);
    ctl.moveFirst();

    const QRect r = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(ctl.currentRow(), 2);
    EXPECT_EQ(name.text(), QStringLiteral("三"));

    // A pending change goes into its own row before the clicked row becomes current.
    name.setText(QStringLiteral("三丁目"));
    const QRect r0 = grid.visualRect(grid.model()->index(0, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, r0.center());
    EXPECT_EQ(ctl.currentRow(), 0);
    EXPECT_EQ(cell(2, 1), QStringLiteral("三丁目"));
}

TEST_F(DBGridTest, ArrowKeysInTheGridAndTheControlsArrowsMoveTheCurrentRowAndStopAtTheEnds) {
    for (const char* n : {"一", "二", "三"})
        db().execute(std::string("INSERT INTO GENBA_MT (GNAME) VALUES ('") + n + "')");
    openSites();
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(ctl.currentRow(), 1);
    EXPECT_EQ(name.text(), QStringLiteral("二"));

    auto arrow = [this](int i) {
        ctl.findChild<QPushButton*>(QStringLiteral("DBCtlArrow_%1").arg(i))->click();
    };
    arrow(3);
    EXPECT_EQ(ctl.currentRow(), 2);
    arrow(2);
    EXPECT_EQ(ctl.currentRow(), 2);
    arrow(0);
    EXPECT_EQ(ctl.currentRow(), 0);
    arrow(1);
    EXPECT_EQ(ctl.currentRow(), 0);
    EXPECT_EQ(selectedRow(), 0);
}

TEST_F(DBGridTest, ARefusedMovePutsTheSelectionBackOnTheCurrentRow) {
    for (const char* n : {"一", "二", "三"})
        db().execute(std::string("INSERT INTO GENBA_MT (GNAME) VALUES ('") + n + "')");
    openSites();
    int refused = 0;
    QObject::connect(&ctl, &DBCtl::errorOccurred, [&] { ++refused; });
    auto other = db();
    other.beginTrans();
    name.setText(QStringLiteral("変更"));
    const QRect r = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, r.center());
    other.rollback();
    QCoreApplication::processEvents();
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(ctl.currentRow(), 0);
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(name.text(), QStringLiteral("変更"));
}

TEST_F(DBGridTest, ThousandsOfRowsLiveInOneModelWithoutAWidgetPerCell) {
    {
        auto d = db();
        d.beginTrans();
        for (int i = 0; i < 3000; ++i)
            d.execute("INSERT INTO GENBA_MT (GNAME) VALUES ('現場" + std::to_string(i) + "')");
        d.commitTrans();
    }
    openSites();
    EXPECT_EQ(grid.model()->rowCount(), 3000);
    ctl.moveLast();
    EXPECT_EQ(selectedRow(), 2999);
    EXPECT_EQ(cell(2999, 1), QStringLiteral("現場2999"));
    EXPECT_LT(grid.findChildren<QWidget*>().size(), 30);
}
