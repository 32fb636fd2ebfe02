// The site master screen over the stored query "Q_Genba", driven through buttons and keys.
#include "app/masters/GenbaEntry.h"
#include "platform/text/Format.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/TextBox.h"
#include "tests/masters/MastersFixture.h"

#include <QRegularExpression>

using namespace tamsel;

class GenbaEntryTest : public MastersFixture {
protected:
    GenbaEntry* open(std::initializer_list<const char*> sites = {}) {
        for (const char* n : sites)
            exec(std::string("INSERT INTO GENBA_MT (GNAME) VALUES ('") + n + "')");
        return openScreen<GenbaEntry>(ScreenIndex::GenbaEntry);
    }
    std::string site(int id) {
        return scalar("SELECT GNAME FROM GENBA_MT WHERE GENBAID=" + std::to_string(id));
    }
};

TEST_F(GenbaEntryTest, OpensWithItsCaptionHeadingsAndTheNameField) {
    GenbaEntry* s = open({"本社", "倉庫"});
    EXPECT_EQ(s->windowTitle(), QStringLiteral("現場登録"));
    EXPECT_EQ(s->dbCtl()->recordSource(), QStringLiteral("Q_Genba"));
    auto* model = s->dbGrid()->model();
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("現場ＩＤ"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("現　　場　　名"));
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("登録日時"));
    EXPECT_EQ(s->GName()->text(), QStringLiteral("本社"));
    s->comMove()->press(1);
    EXPECT_EQ(s->GName()->text(), QStringLiteral("倉庫"));
    EXPECT_TRUE(s->GName()->hasFocus());
}

TEST_F(GenbaEntryTest, ANewSiteShowsItsIdentifierAndRegistrationTimeOnceStored) {
    GenbaEntry* s = open({"本社", "倉庫"});
    s->comMove()->press(2); // 追加
    EXPECT_TRUE(s->GName()->text().isEmpty());
    EXPECT_EQ(s->dbCtl()->currentRow(), -1);
    type(s->GName(), QStringLiteral("駅前ビル新築"));
    QTest::keyClick(s->GName(), Qt::Key_Return);

    EXPECT_EQ(site(3), "駅前ビル新築");
    ASSERT_EQ(s->dbGrid()->model()->rowCount(), 3);
    EXPECT_EQ(cell(s, 2, 0), QStringLiteral("3"));
    EXPECT_EQ(cell(s, 2, 1), QStringLiteral("駅前ビル新築"));
    const QString shown = cell(s, 2, 2);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d$"))
                    .match(shown)
                    .hasMatch())
        << shown.toStdString();
    const auto stored =
        plat::text::parseCanonical(scalar("SELECT CRTDATE FROM GENBA_MT WHERE GENBAID=3"));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(shown.toStdString(), plat::text::formatDate(*stored, "yy/mm/dd hh:nn"));
    // Enter on the stored new (last) site stays there.
    EXPECT_EQ(s->dbCtl()->currentRow(), 2);
}

TEST_F(GenbaEntryTest, EnterStoresAChangedNameAndStepsAndStaysOnTheLastSite) {
    GenbaEntry* s = open({"一", "二", "三"});
    type(s->GName(), QStringLiteral("一番地"));
    QTest::keyClick(s->GName(), Qt::Key_Return);
    EXPECT_EQ(site(1), "一番地");
    EXPECT_EQ(s->dbCtl()->currentRow(), 1);
    QTest::keyClick(s->GName(), Qt::Key_Down);
    type(s->GName(), QStringLiteral("三番地"));
    QTest::keyClick(s->GName(), Qt::Key_Return);
    EXPECT_EQ(site(3), "三番地");
    EXPECT_EQ(s->dbCtl()->currentRow(), 2);
    EXPECT_EQ(s->GName()->text(), QStringLiteral("三番地"));
    QTest::keyClick(s->GName(), Qt::Key_Up);
    EXPECT_EQ(s->GName()->text(), QStringLiteral("二"));
    // Leaving a renamed site by Tab stores it and keeps it current.
    type(s->GName(), QStringLiteral("二丁目"));
    QTest::keyClick(s->GName(), Qt::Key_Tab);
    EXPECT_EQ(site(2), "二丁目");
    EXPECT_EQ(s->dbCtl()->currentRow(), 1);
    EXPECT_EQ(s->GName()->text(), QStringLiteral("二丁目"));
    // Registration times are never rewritten by a rename.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM GENBA_MT WHERE CRTDATE IS NULL"), "0");
    EXPECT_TRUE(rec.shown().empty());
}

TEST_F(GenbaEntryTest, AnEmptyQueryOpensReadyAndLeavingTheNameStoresTheFirstSite) {
    GenbaEntry* s = open();
    EXPECT_TRUE(s->dbCtl()->isAddingNew());
    type(s->GName(), QStringLiteral("第一現場"));
    QTest::keyClick(s->GName(), Qt::Key_Tab);
    EXPECT_EQ(site(1), "第一現場");
    EXPECT_EQ(cell(s, 0, 0), QStringLiteral("1"));
    EXPECT_EQ(s->dbCtl()->currentRow(), 0);
}

TEST_F(GenbaEntryTest, DeletingASiteLeavesSavedLedgersIntactAndTheLastSiteCurrent) {
    GenbaEntry* s = open({"一", "二", "三"});
    exec("INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY,ROWNO,GENBAID,GNAME,D3) VALUES "
         "(#2004/05/01#,4,'田中',1100,1,1,'一',6.5)");
    s->comMove()->press(5);
    EXPECT_EQ(site(1), "<none>");
    EXPECT_EQ(s->dbCtl()->currentRow(), 1);
    EXPECT_EQ(s->GName()->text(), QStringLiteral("三"));
    EXPECT_EQ(scalar("SELECT GNAME FROM KYUYO_F WHERE GENBAID=1"), "一");
    EXPECT_EQ(scalar("SELECT D3 FROM KYUYO_F WHERE GENBAID=1"), "6.5");
    EXPECT_TRUE(rec.shown().empty());
}
