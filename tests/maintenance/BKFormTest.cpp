// The compaction and backup screen on real files: configuration messages, the questions,
// compaction in place, the work-file guard, backup folders and copies, and closing.
#include "app/maintenance/BKForm.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/TextBox.h"
#include "tests/maintenance/MaintenanceFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

using namespace tamsel;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgButtons;
using plat::widgets::MsgIcon;
using plat::widgets::MsgResult;

class BKFormTest : public MaintenanceFixture {
protected:
    BKForm* openForm() {
        registerScreen(ScreenIndex::BKForm, [] { return new BKForm; });
        return static_cast<BKForm*>(openScreen(ScreenIndex::BKForm));
    }
    void configure(const QString& folder) {
        writeIni("; backup folder\r\n[BKPATH]\r\nPATH = \"" + folder.toUtf8() + "\"\r\n");
    }
    QString backupFolder() const { return home.file(QStringLiteral("bk")); }
    QString backupFile() const { return backupFolder() + QStringLiteral("/RoumuBK.mdb"); }
};

TEST_F(BKFormTest, LoadsWithItsCaptionsAndTheConfiguredFolderAndHidesTheMenu) {
    configure(backupFolder());
    MessageRecorder rec;
    BKForm* form = openForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("DB最適化・バックアップ処理"));
    EXPECT_EQ(form->comFunc()->button(0)->text(), QStringLiteral("F2：最適化のみ"));
    EXPECT_EQ(form->comFunc()->button(1)->text(), QStringLiteral("F3：最適化・ﾊﾞｯｸｱｯﾌﾟ"));
    EXPECT_EQ(form->comFunc()->button(2)->text(), QStringLiteral("F12：閉じる"));
    EXPECT_EQ(form->BKPath()->text(), backupFolder());
    EXPECT_EQ(form->configState(), BKForm::kConfigUsable);
    EXPECT_TRUE(rec.shown().empty());
    EXPECT_FALSE(menu.isVisible());

    QTest::keyClick(form->BKPath(), Qt::Key_F12);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(BKFormTest, AMissingConfigurationShowsBothMessagesInOrderAndF2StillCompacts) {
    // Rows added and removed again leave free pages that compaction gives back.
    {
        auto db = plat::jet::Database::open(dbPath().toStdString());
        db.beginTrans();
        for (int i = 0; i < 400; ++i)
            db.execute("INSERT INTO GENBA_MT (GNAME) VALUES ('" + std::string(200, 'x') + "')");
        db.commitTrans();
        db.execute("DELETE * FROM GENBA_MT");
    }
    const qint64 sizeBefore = QFileInfo(dbPath()).size();

    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    ASSERT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(rec.shown()[0].text,
              home.file(QStringLiteral("bkmdb.ini")) + QStringLiteral("がオープンできません"));
    EXPECT_EQ(rec.shown()[0].icon, MsgIcon::Error);
    EXPECT_EQ(rec.shown()[1].text, QStringLiteral("バックアップパスの指定がありません。"));
    EXPECT_EQ(rec.shown()[1].title, QStringLiteral("バックアップパス無"));
    EXPECT_EQ(rec.shown()[1].icon, MsgIcon::Error);
    EXPECT_EQ(form->configState(), BKForm::kConfigMissing);
    EXPECT_TRUE(form->BKPath()->text().isEmpty());

    rec.clear();
    form->BKPath()->setFocus();
    QTest::keyClick(form->BKPath(), Qt::Key_F2);
    ASSERT_EQ(rec.shown().size(), 1u);
    const auto& question = rec.shown()[0];
    EXPECT_EQ(question.text, QStringLiteral("データベースを最適化しますか？"));
    EXPECT_EQ(question.title, QStringLiteral("DB最適化の確認"));
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MsgResult::No);

    EXPECT_FALSE(form->isVisible()); // a successful run closes the screen
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(employees(dbPath()), 3);
    EXPECT_LT(QFileInfo(dbPath()).size(), sizeBefore);
    EXPECT_FALSE(QFileInfo::exists(workPath()));
}

TEST_F(BKFormTest, BackupWithoutConfigurationDoesNothingAfterTheQuestion) {
    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    const QByteArray before = bytesOf(dbPath());
    rec.clear();
    form->BKPath()->setText(backupFolder());
    QTest::keyClick(form->BKPath(), Qt::Key_F3);
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].text, QStringLiteral("バックアップを取りますか？"));
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("バックアップの確認"));
    EXPECT_EQ(rec.shown()[0].defaultButton, MsgResult::No);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(QFileInfo::exists(backupFolder()));
    EXPECT_EQ(bytesOf(dbPath()), before);
}

TEST_F(BKFormTest, AStaleWorkFileBlocksCompactionAndLeavesEverythingAsItWas) {
    configure(backupFolder());
    QFile stale(workPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("left over from an interrupted run");
    stale.close();
    const QByteArray before = bytesOf(dbPath());

    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    QTest::keyClick(form, Qt::Key_F2);
    ASSERT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(rec.shown()[1].text,
              workPath() + QStringLiteral("(ワークファイル)があるので処理できません。"));
    EXPECT_EQ(rec.shown()[1].title, QStringLiteral("DB最適化"));
    EXPECT_EQ(rec.shown()[1].icon, MsgIcon::Error);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(bytesOf(dbPath()), before);
    EXPECT_EQ(bytesOf(workPath()), QByteArray("left over from an interrupted run"));

    rec.clear();
    QTest::keyClick(form, Qt::Key_F3);
    ASSERT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(rec.shown()[1].text,
              workPath() + QStringLiteral("(ﾜｰｸﾌｧｲﾙ)があるので処理できません。"));
    EXPECT_EQ(rec.shown()[1].title, QStringLiteral("処理の中止"));
    EXPECT_EQ(rec.shown()[1].icon, MsgIcon::Error);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(bytesOf(dbPath()), before);
    EXPECT_FALSE(QFileInfo::exists(backupFile()));
}

TEST_F(BKFormTest, F3CreatesAMissingFolderAndWritesTheBackupThere) {
    configure(backupFolder());
    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    QTest::keyClick(form->BKPath(), Qt::Key_F3);
    ASSERT_EQ(rec.shown().size(), 1u); // the question only
    EXPECT_TRUE(QFileInfo(backupFolder()).isDir());
    EXPECT_EQ(employees(backupFile()), 3);
    EXPECT_EQ(bytesOf(backupFile()), bytesOf(dbPath()));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(BKFormTest, AnExistingBackupIsOverwrittenAndATypedFolderIsUsedAsTyped) {
    configure(backupFolder());
    const QString typed = home.file(QStringLiteral("other"));
    ASSERT_TRUE(QDir().mkdir(typed));
    QFile old(typed + QStringLiteral("/RoumuBK.mdb"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an old backup");
    old.close();

    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    form->BKPath()->setText(typed);
    form->comFunc()->press(1);
    EXPECT_EQ(employees(typed + QStringLiteral("/RoumuBK.mdb")), 3);
    EXPECT_FALSE(QFileInfo::exists(backupFolder()));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(BKFormTest, AFolderWhoseParentIsMissingFailsWithTheBackupTitle) {
    const QString deep = home.file(QStringLiteral("no/such/folder"));
    configure(deep);
    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    const QByteArray before = bytesOf(dbPath());
    QTest::keyClick(form, Qt::Key_F3);
    ASSERT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(rec.shown()[1].title, QStringLiteral("バックアップ"));
    EXPECT_EQ(rec.shown()[1].icon, MsgIcon::None);
    EXPECT_EQ(rec.shown()[1].buttons, MsgButtons::Ok);
    EXPECT_TRUE(rec.shown()[1].text.contains(deep));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(bytesOf(dbPath()), before);
}

TEST_F(BKFormTest, ARelativeFolderIsTakenFromTheProgramFolderNotTheWorkingDirectory) {
    configure(QStringLiteral("bk"));
    const QString elsewhere = home.file(QStringLiteral("cwd"));
    ASSERT_TRUE(QDir().mkdir(elsewhere));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere));
    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    EXPECT_EQ(form->BKPath()->text(), QStringLiteral("bk"));
    QTest::keyClick(form, Qt::Key_F3);
    QDir::setCurrent(previous);
    EXPECT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(employees(backupFile()), 3);
    EXPECT_FALSE(QFileInfo::exists(elsewhere + QStringLiteral("/bk")));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(BKFormTest, AFolderWithADriveLetterIsRefusedBeforeAnythingIsWritten) {
    configure(QStringLiteral("D:\\BK"));
    MessageRecorder rec(MsgResult::Yes);
    BKForm* form = openForm();
    const QByteArray before = bytesOf(dbPath());
    const QStringList filesBefore = QDir(home.path()).entryList(QDir::AllEntries);
    form->comFunc()->press(1);
    ASSERT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(rec.shown()[1].title, QStringLiteral("バックアップ"));
    EXPECT_EQ(rec.shown()[1].icon, MsgIcon::Error);
    EXPECT_TRUE(rec.shown()[1].text.contains(QStringLiteral("D:\\BK")));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(bytesOf(dbPath()), before);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries), filesBefore);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("D:\\BK")));
}

TEST_F(BKFormTest, AnsweringNoToEitherQuestionChangesNothing) {
    configure(backupFolder());
    MessageRecorder rec(MsgResult::No);
    BKForm* form = openForm();
    const QByteArray before = bytesOf(dbPath());
    QTest::keyClick(form->BKPath(), Qt::Key_F2);
    form->comFunc()->press(0);
    QTest::keyClick(form->BKPath(), Qt::Key_F3);
    form->comFunc()->press(1);
    EXPECT_EQ(rec.shown().size(), 4u);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(bytesOf(dbPath()), before);
    EXPECT_FALSE(QFileInfo::exists(backupFolder()));
    EXPECT_FALSE(QFileInfo::exists(workPath()));
}

TEST_F(BKFormTest, F1AndF10AreSwallowedAndOtherKeysReachTheControls) {
    configure(backupFolder());
    MessageRecorder rec(MsgResult::No);
    BKForm* form = openForm();
    form->BKPath()->setFocus();
    form->BKPath()->clear();
    QTest::keyClick(form->BKPath(), Qt::Key_F1);
    QTest::keyClick(form->BKPath(), Qt::Key_F10);
    QTest::keyClicks(form->BKPath(), QStringLiteral("/x"));
    EXPECT_TRUE(rec.shown().empty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->BKPath()->text(), QStringLiteral("/x"));
}

TEST_F(BKFormTest, SaysWhetherItWorksOnTheFileOrOnAServerDatabase) {
    configure(backupFolder());
    MessageRecorder rec;
    {
        auto* target = openForm()->findChild<QLabel*>(QStringLiteral("DbTarget"));
        ASSERT_NE(target, nullptr);
        EXPECT_TRUE(target->text().startsWith(QStringLiteral("　対象：データベースファイル")));
        EXPECT_TRUE(target->text().endsWith(QStringLiteral("Roumu.MDB")))
            << target->text().toStdString();
    }
    tamsel::resetScreens();
    qputenv("TAMSEL_DATABASE", "postgresql://office-pc/roumu?user=jimu");
    BKForm* form = openForm();
    auto* target = form->findChild<QLabel*>(QStringLiteral("DbTarget"));
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->text().startsWith(
        QStringLiteral("　対象：サーバーのデータベース　postgresql://office-pc/roumu?user=jimu")));
    qunsetenv("TAMSEL_DATABASE");
}
