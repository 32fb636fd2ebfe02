// The employee master screen driven through its buttons and keys on a real database file.
#include "app/masters/SyainEntry.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/TextBox.h"
#include "tests/masters/MastersFixture.h"

using namespace tamsel;
using plat::widgets::MsgIcon;

class SyainEntryTest : public MastersFixture {
protected:
    SyainEntry* open(int employees = 0) {
        if (employees > 0) {
            auto d = db();
            d.beginTrans();
            for (int i = 1; i <= employees; ++i)
                d.execute("INSERT INTO SYAIN_MT (SNAME,TMONY) VALUES ('社員" + std::to_string(i) +
                          "'," + std::to_string(1000 + i) + ")");
            d.commitTrans();
        }
        return openScreen<SyainEntry>(ScreenIndex::SyainEntry);
    }
    std::string name(int id) {
        return scalar("SELECT SNAME FROM SYAIN_MT WHERE SYAINID=" + std::to_string(id));
    }
    std::string wage(int id) {
        return scalar("SELECT TMONY FROM SYAIN_MT WHERE SYAINID=" + std::to_string(id));
    }
};

TEST_F(SyainEntryTest, OpensWithItsElementsAndCaptionsAndHidesTheMenu) {
    SyainEntry* s = open(2);
    EXPECT_EQ(s->windowTitle(), QStringLiteral("従業員登録"));
    EXPECT_EQ(s->dbCtl()->caption(), QStringLiteral("社員マスタ"));
    EXPECT_EQ(s->dbCtl()->recordSource(), QStringLiteral("Syain_MT"));
    EXPECT_EQ(s->dbCtl()->databaseName(), dbPath());
    const char* captions[] = {"前", "次", "追加", "最初", "最後", "削除"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s->comMove()->button(i)->text(), QString::fromUtf8(captions[i])) << i;
    EXPECT_EQ(s->comEnd()->text(), QStringLiteral("閉じる"));
    auto* model = s->dbGrid()->model();
    ASSERT_EQ(model->columnCount(), 3);
    for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(model->headerData(c, Qt::Horizontal).toString().isEmpty());
    EXPECT_EQ(cell(s, 1, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(s, 1, 1), QStringLiteral("社員2"));
    EXPECT_EQ(cell(s, 1, 2), QStringLiteral("1,002"));
    EXPECT_EQ(s->SName()->text(), QStringLiteral("社員1"));
    EXPECT_EQ(s->TMony()->text(), QStringLiteral("1,001"));
    EXPECT_FALSE(menu.isVisible());

    s->comEnd()->click();
    EXPECT_FALSE(s->isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(rec.shown().empty());
}

TEST_F(SyainEntryTest, AnEmptyTableOpensReadyForTheFirstEntryAndShowsTheGivenIdentifier) {
    SyainEntry* s = open();
    EXPECT_TRUE(s->dbCtl()->isAddingNew());
    EXPECT_EQ(s->dbGrid()->model()->rowCount(), 0);
    type(s->SName(), QStringLiteral("山田 太郎"));
    QTest::keyClick(s->SName(), Qt::Key_Tab);
    EXPECT_EQ(name(1), "山田 太郎");
    ASSERT_EQ(s->dbGrid()->model()->rowCount(), 1);
    EXPECT_EQ(cell(s, 0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(s, 0, 1), QStringLiteral("山田 太郎"));
    EXPECT_EQ(s->dbCtl()->currentRow(), 0);

    // The new row stays current, so its wage goes into it.
    EXPECT_TRUE(s->TMony()->hasFocus());
    type(s->TMony(), QStringLiteral("1200"));
    QTest::keyClick(s->TMony(), Qt::Key_Tab);
    EXPECT_EQ(wage(1), "1200");
    EXPECT_EQ(cell(s, 0, 2), QStringLiteral("1,200"));
    EXPECT_TRUE(rec.shown().empty());
}

TEST_F(SyainEntryTest, StepsAtEitherEndKeepTheRowAndButtonsPutTheFocusOnTheName) {
    SyainEntry* s = open(3);
    auto* ctl = s->dbCtl();
    s->TMony()->setFocus();
    s->comMove()->press(3); // 最初
    EXPECT_EQ(ctl->currentRow(), 0);
    EXPECT_TRUE(s->SName()->hasFocus());
    s->comMove()->press(0); // 前
    EXPECT_EQ(ctl->currentRow(), 0);
    EXPECT_EQ(s->SName()->text(), QStringLiteral("社員1"));
    QTest::keyClick(s->SName(), Qt::Key_Up);
    EXPECT_EQ(ctl->currentRow(), 0);

    s->comMove()->press(4); // 最後
    EXPECT_EQ(ctl->currentRow(), 2);
    s->comMove()->press(1); // 次
    EXPECT_EQ(ctl->currentRow(), 2);
    EXPECT_EQ(s->SName()->text(), QStringLiteral("社員3"));
    QTest::keyClick(s->SName(), Qt::Key_Down);
    s->TMony()->setFocus();
    QTest::keyClick(s->TMony(), Qt::Key_Return);
    EXPECT_EQ(ctl->currentRow(), 2);
    EXPECT_EQ(selectedRow(s), 2);

    QTest::keyClick(s->TMony(), Qt::Key_Up);
    EXPECT_EQ(ctl->currentRow(), 1);
    s->SName()->setFocus();
    QTest::keyClick(s->SName(), Qt::Key_Return); // no meaning in the name field
    EXPECT_EQ(ctl->currentRow(), 1);
    QTest::keyClick(s->SName(), Qt::Key_Down);
    EXPECT_EQ(ctl->currentRow(), 2);
    EXPECT_TRUE(rec.shown().empty());
}

TEST_F(SyainEntryTest, DeletingTheOnlyRowLeavesNoCurrentRowAndAMiddleRowMakesTheLastCurrent) {
    SyainEntry* s = open(1);
    s->comMove()->press(5);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYAIN_MT"), "0");
    EXPECT_EQ(s->dbCtl()->recordCount(), 0);
    EXPECT_EQ(s->dbCtl()->currentRow(), -1);
    EXPECT_TRUE(s->SName()->text().isEmpty());
    // First, last and delete do nothing on the empty set.
    for (int i : {3, 4, 5})
        s->comMove()->press(i);
    EXPECT_EQ(s->dbCtl()->recordCount(), 0);
    s->close();

    exec("INSERT INTO SYAIN_MT (SNAME,TMONY) VALUES ('A',1),('B',2),('C',3),('D',4),('E',5)");
    s = openScreen<SyainEntry>(ScreenIndex::SyainEntry);
    s->comMove()->press(1);
    s->comMove()->press(1);
    ASSERT_EQ(s->SName()->text(), QStringLiteral("C"));
    s->comMove()->press(5);
    EXPECT_EQ(s->dbCtl()->recordCount(), 4);
    EXPECT_EQ(s->dbCtl()->currentRow(), 3);
    EXPECT_EQ(s->SName()->text(), QStringLiteral("E"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYAIN_MT WHERE SNAME='C'"), "0");
    EXPECT_EQ(s->dbGrid()->model()->rowCount(), 4);
    EXPECT_TRUE(rec.shown().empty()); // no confirmation
}

TEST_F(SyainEntryTest, EnterInTheWageFieldStoresTheChangeAndStepsToTheNextRow) {
    SyainEntry* s = open(3);
    type(s->TMony(), QStringLiteral("1500"));
    QTest::keyClick(s->TMony(), Qt::Key_Return);
    EXPECT_EQ(wage(1), "1500");
    EXPECT_EQ(s->dbCtl()->currentRow(), 1);
    EXPECT_EQ(s->TMony()->currency(), 1002 * 10000);
    EXPECT_EQ(cell(s, 0, 2), QStringLiteral("1,500"));
    EXPECT_TRUE(s->TMony()->hasFocus());

    type(s->TMony(), QStringLiteral("2,000"));
    QTest::keyClick(s->TMony(), Qt::Key_Down);
    EXPECT_EQ(wage(2), "2000");
    EXPECT_EQ(s->dbCtl()->currentRow(), 2);
}

TEST_F(SyainEntryTest, RenamingTheFifthRowKeepsItCurrentSoTheWageTypedNextIsItsOwn) {
    SyainEntry* s = open(6);
    for (int i = 0; i < 4; ++i)
        s->comMove()->press(1);
    ASSERT_EQ(s->dbCtl()->currentRow(), 4);
    type(s->SName(), QStringLiteral("改名 五郎"));
    QTest::keyClick(s->SName(), Qt::Key_Tab);
    EXPECT_EQ(name(5), "改名 五郎");
    EXPECT_EQ(cell(s, 4, 1), QStringLiteral("改名 五郎"));
    EXPECT_EQ(s->dbCtl()->currentRow(), 4);
    EXPECT_EQ(selectedRow(s), 4);
    EXPECT_EQ(s->SName()->text(), QStringLiteral("改名 五郎"));

    // The wage field is next in the tab order; what is typed there belongs to the same employee.
    ASSERT_TRUE(s->TMony()->hasFocus());
    type(s->TMony(), QStringLiteral("1800"));
    QTest::keyClick(s->TMony(), Qt::Key_Tab);
    EXPECT_EQ(wage(5), "1800");
    EXPECT_EQ(wage(1), "1001");
    EXPECT_EQ(name(1), "社員1");
    EXPECT_EQ(s->dbCtl()->currentRow(), 4);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYAIN_MT"), "6");
}

TEST_F(SyainEntryTest, ANegativeOrNonNumericWageIsRefusedAndTheOldValueStays) {
    SyainEntry* s = open(3);
    s->comMove()->press(1);
    type(s->TMony(), QStringLiteral("-300"));
    QTest::keyClick(s->TMony(), Qt::Key_Return);
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].icon, MsgIcon::Error);
    EXPECT_TRUE(rec.shown()[0].text.contains(QStringLiteral("0以上")));
    EXPECT_EQ(s->dbCtl()->currentRow(), 1);
    EXPECT_EQ(s->TMony()->currency(), 1002 * 10000);
    EXPECT_EQ(wage(2), "1002");

    rec.clear();
    for (const char* typed : {"-5", "abc", "12.5"}) {
        type(s->TMony(), QString::fromUtf8(typed));
        QTest::keyClick(s->TMony(), Qt::Key_Tab);
        EXPECT_EQ(wage(2), "1002") << typed;
        EXPECT_EQ(s->TMony()->text(), QStringLiteral("1,002")) << typed;
        // Nothing was stored, so the record set is not rebuilt and the row stays current.
        EXPECT_EQ(s->dbCtl()->currentRow(), 1) << typed;
    }
    EXPECT_EQ(rec.shown().size(), 3u);
    // Zero is a valid wage.
    type(s->TMony(), QStringLiteral("0"));
    QTest::keyClick(s->TMony(), Qt::Key_Return);
    EXPECT_EQ(wage(2), "0");
    EXPECT_EQ(rec.shown().size(), 3u);
}

TEST_F(SyainEntryTest, ALockedDatabaseWhileStoringShowsTheErrorAndKeepsTheEdit) {
    SyainEntry* s = open(3);
    auto other = db();
    other.beginTrans();
    type(s->SName(), QStringLiteral("保留 花子"));
    s->comMove()->press(1);
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_TRUE(rec.shown()[0].text.startsWith(QStringLiteral("3260: ")));
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("データ保存"));
    EXPECT_EQ(rec.shown()[0].icon, MsgIcon::Error);
    EXPECT_EQ(s->dbCtl()->currentRow(), 0);
    EXPECT_EQ(s->SName()->text(), QStringLiteral("保留 花子"));

    // Leaving the field fails the same way and still keeps the edit.
    QTest::keyClick(s->SName(), Qt::Key_Tab);
    EXPECT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(s->SName()->text(), QStringLiteral("保留 花子"));
    EXPECT_EQ(name(1), "社員1");

    // A delete that cannot get at the file deletes nothing and drops nothing typed.
    s->comMove()->press(5);
    ASSERT_EQ(rec.shown().size(), 3u);
    EXPECT_TRUE(rec.shown()[2].text.startsWith(QStringLiteral("3260: ")));
    EXPECT_EQ(rec.shown()[2].title, QStringLiteral("データ削除"));
    EXPECT_EQ(s->dbCtl()->recordCount(), 3);
    EXPECT_EQ(s->SName()->text(), QStringLiteral("保留 花子"));

    // Closing asks whether to drop the change; No keeps the screen open with the edit.
    s->comEnd()->click();
    ASSERT_EQ(rec.shown().size(), 5u);
    EXPECT_EQ(rec.shown()[4].buttons, plat::widgets::MsgButtons::YesNo);
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(s->SName()->text(), QStringLiteral("保留 花子"));
    other.rollback();

    s->comMove()->press(1);
    EXPECT_EQ(name(1), "保留 花子");
    EXPECT_EQ(s->dbCtl()->currentRow(), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYAIN_MT"), "3");
}

TEST_F(SyainEntryTest, DeletingOrRenamingAnEmployeeLeavesSavedLedgersIntact) {
    SyainEntry* s = open(2);
    exec("INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY,ROWNO,GENBAID,GNAME,D1,D2) VALUES "
         "(#2004/04/01#,1,'社員1',1001,1,7,'駅前',8,7.5)");
    exec("INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY,ROWNO,GENBAID,GNAME,D1) VALUES "
         "(#2004/04/01#,2,'社員2',1002,1,7,'駅前',4)");
    type(s->SName(), QStringLiteral("別名"));
    type(s->TMony(), QStringLiteral("3000"));
    QTest::keyClick(s->TMony(), Qt::Key_Return);
    ASSERT_EQ(name(1), "別名");
    s->comMove()->press(5); // deletes employee 2
    ASSERT_EQ(name(2), "<none>");

    auto rs = db().openRecordset(
        "SELECT * FROM KYUYO_F WHERE NENGETU=#2004/04/01# AND SYAINID=1 ORDER BY ROWNO");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["SNAME"].toText(), "社員1");
    EXPECT_EQ(rs["TMONY"].toCurrency(), plat::jet::Currency::fromUnits(1001));
    EXPECT_DOUBLE_EQ(rs["D2"].toDouble(), 7.5);
    EXPECT_EQ(scalar("SELECT SNAME FROM KYUYO_F WHERE SYAINID=2"), "社員2");
    EXPECT_EQ(scalar("SELECT SUM(D1*TMONY) FROM KYUYO_F WHERE SYAINID=2"), "4008");
}

TEST_F(SyainEntryTest, ClosingStoresAPendingChangeAndReopeningLoadsAfresh) {
    SyainEntry* s = open(2);
    s->comMove()->press(4);
    type(s->SName(), QStringLiteral("閉じる前"));
    s->comEnd()->click();
    EXPECT_FALSE(s->isVisible());
    EXPECT_EQ(name(2), "閉じる前");
    EXPECT_TRUE(menu.isVisible());

    exec("INSERT INTO SYAIN_MT (SNAME,TMONY) VALUES ('後から',900)");
    s = openScreen<SyainEntry>(ScreenIndex::SyainEntry);
    EXPECT_EQ(s->dbCtl()->recordCount(), 3);
    EXPECT_EQ(s->dbCtl()->currentRow(), 0);
    EXPECT_FALSE(menu.isVisible());
}
