// CompactDb, BackupDb and EnsureFolder when the file system fails them: the database is never
// lost, a work file is only removed when this run made it, an old backup survives a failed copy;
// and compaction while another copy of the program has the file open.
#include "app/frame/LongTask.h"
#include "app/frame/ServerMaintenance.h"
#include "app/frame/Std_1.h"
#include "platform/jet/Error.h"
#include "platform/widgets/MessageRecorder.h"
#include "tests/maintenance/MaintenanceFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <chrono>
#include <future>
#include <stdexcept>

using namespace tamsel;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgIcon;

class CompactRoutinesTest : public MaintenanceFixture {};

TEST_F(CompactRoutinesTest, ARefusedRenameKeepsTheDatabaseAndRemovesOnlyItsOwnWorkFile) {
    FileOps ops = realFileOps();
    ops.renameReplacing = [](const QString&, const QString&) { return false; };
    const QByteArray before = bytesOf(dbPath());
    MessageRecorder rec;
    EXPECT_FALSE(CompactDb(dbPath(), nullptr, ops));
    EXPECT_EQ(bytesOf(dbPath()), before);
    EXPECT_FALSE(QFileInfo::exists(workPath())); // the next run is not blocked
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("DB最適化"));
    EXPECT_EQ(rec.shown()[0].icon, MsgIcon::None);
    EXPECT_TRUE(rec.shown()[0].text.contains(QStringLiteral("データベースは変更されていません。")));
}

TEST_F(CompactRoutinesTest, WhenTheDatabaseIsGoneAfterAFailedRenameTheWorkFileKeepsTheData) {
    FileOps ops = realFileOps();
    ops.renameReplacing = [](const QString&, const QString& to) {
        QFile::remove(to); // the original went, then the rename failed
        return false;
    };
    MessageRecorder rec;
    EXPECT_FALSE(CompactDb(dbPath(), nullptr, ops));
    EXPECT_FALSE(QFileInfo::exists(dbPath()));
    EXPECT_EQ(employees(workPath()), 3);
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_TRUE(rec.shown()[0].text.contains(workPath()));
    EXPECT_TRUE(rec.shown()[0].text.contains(QStringLiteral("Roumu.MDB")));

    // The next attempt reports the work file and never deletes it.
    rec.clear();
    EXPECT_FALSE(CompactDb(dbPath()));
    EXPECT_EQ(employees(workPath()), 3);
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].text,
              workPath() + QStringLiteral("(ワークファイル)があるので処理できません。"));
}

TEST_F(CompactRoutinesTest, AFailedCopyLeavesThePreviousBackupAndSaysSo) {
    const QString backup = home.file(QStringLiteral("RoumuBK.mdb"));
    QFile old(backup);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous backup");
    old.close();
    FileOps ops = realFileOps();
    ops.copyFile = [](const QString&, const QString&) { return false; };
    MessageRecorder rec;
    EXPECT_FALSE(BackupDb(dbPath(), backup, nullptr, ops));
    EXPECT_EQ(bytesOf(backup), QByteArray("previous backup"));
    EXPECT_EQ(employees(dbPath()), 3); // compacted in place all the same
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("DB最適化"));
    EXPECT_TRUE(rec.shown()[0].text.contains(backup));
}

TEST_F(CompactRoutinesTest, AMissingDatabaseIsReportedWithItsDescription) {
    QFile::remove(dbPath());
    MessageRecorder rec;
    EXPECT_FALSE(CompactDb(dbPath()));
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("DB最適化"));
    EXPECT_EQ(rec.shown()[0].icon, MsgIcon::None);
    EXPECT_FALSE(rec.shown()[0].text.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(workPath()));
}

TEST_F(CompactRoutinesTest, EnsureFolderAcceptsAnExistingFolderAndCreatesOneLevel) {
    MessageRecorder rec;
    EXPECT_TRUE(EnsureFolder(home.path()));
    EXPECT_TRUE(EnsureFolder(home.file(QStringLiteral("new"))));
    EXPECT_TRUE(QFileInfo(home.file(QStringLiteral("new"))).isDir());
    EXPECT_TRUE(rec.shown().empty());
    EXPECT_FALSE(EnsureFolder(QString()));
    EXPECT_FALSE(EnsureFolder(home.file(QStringLiteral("a/b"))));
    EXPECT_EQ(rec.shown().size(), 2u);
}

#ifdef TAMSEL_DB_PATH // the console is built with the tools
TEST_F(CompactRoutinesTest, AnotherCopyWithTheFileOpenMakesCompactionFailAndChangeNothing) {
    // The other copy is the SQL console, which holds the database open until its input ends.
    QProcess other;
    other.start(QString::fromUtf8(TAMSEL_DB_PATH), {QStringLiteral("sql"), dbPath()});
    ASSERT_TRUE(other.waitForStarted());
    other.write("SELECT count(*) AS n FROM SYAIN_MT\n");
    QByteArray answer;
    while (!answer.contains("n\n3\n") && other.waitForReadyRead(60000))
        answer += other.readAllStandardOutput();
    ASSERT_EQ(answer, QByteArray("n\n3\n")); // it has the file open now

    const QByteArray before = bytesOf(dbPath());
    MessageRecorder rec;
    EXPECT_FALSE(CompactDb(dbPath()));
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("DB最適化"));
    EXPECT_TRUE(
        rec.shown()[0].text.contains(QStringLiteral("ほかのユーザーがデータベースを使用中")))
        << rec.shown()[0].text.toStdString();
    EXPECT_EQ(bytesOf(dbPath()), before);
    EXPECT_FALSE(QFileInfo::exists(workPath()));
    rec.clear();
    EXPECT_FALSE(BackupDb(dbPath(), home.file(QStringLiteral("RoumuBK.mdb"))));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("RoumuBK.mdb"))));

    // What the other copy saves afterwards lands in the database, and its session ends well.
    other.write("INSERT INTO SYAIN_MT (SName) VALUES ('後から')\n");
    other.closeWriteChannel();
    ASSERT_TRUE(other.waitForFinished(60000));
    EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();
    EXPECT_EQ(employees(dbPath()), 4);

    // With the file closed everywhere, compaction goes ahead.
    rec.clear();
    EXPECT_TRUE(CompactDb(dbPath()));
    EXPECT_EQ(employees(dbPath()), 4);
    EXPECT_TRUE(rec.shown().empty());
}
#endif

// Whatever a server step's work throws comes back as the failure the screens show: the database
// layer's error as it is, another exception with its text, anything else as the engine error.
TEST(ServerMaintenanceTest, WhateverTheWorkThrowsComesBackAsAFailure) {
    const auto runnerThrowing = [](std::exception_ptr thrown) -> WorkRunner {
        return [thrown](const QString&, const auto&) { return thrown; };
    };
    const QString uri = QStringLiteral("postgresql:///unused");
    using plat::jet::err::EngineError;

    auto f = optimizeServerDatabase(
        uri, runnerThrowing(std::make_exception_ptr(plat::jet::Error(plat::jet::err::InUse))));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, plat::jet::err::InUse);

    f = dumpServerDatabase(
        uri, QDir::tempPath(),
        runnerThrowing(std::make_exception_ptr(std::runtime_error("disk full"))));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, EngineError);
    EXPECT_EQ(f->description, QStringLiteral("disk full"));

    f = optimizeServerDatabase(uri, runnerThrowing(std::make_exception_ptr(42)));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, EngineError);
    EXPECT_EQ(f->description, QString::fromUtf8(plat::jet::errorDescription(EngineError)));
}

TEST(LongTaskTest, TheWindowKeepsProcessingEventsWhileTheWorkRuns) {
    testsupport::qtApp();
    // The work can only finish once the user-interface thread has handled an event posted
    // before it started: a frozen window would leave it waiting.
    std::promise<void> uiHandledAnEvent;
    std::future<void> handled = uiHandledAnEvent.get_future();
    QTimer::singleShot(0, [&] { uiHandledAnEvent.set_value(); });
    bool sawTheEvent = false;
    const std::exception_ptr failure =
        runWithProgress(nullptr, QStringLiteral("..."), [&](const ProgressSink& progress) {
            progress(50);
            sawTheEvent = handled.wait_for(std::chrono::minutes(1)) == std::future_status::ready;
            progress(100);
        });
    EXPECT_FALSE(failure);
    EXPECT_TRUE(sawTheEvent);

    const std::exception_ptr thrown =
        runWithProgress(nullptr, QStringLiteral("..."),
                        [](const ProgressSink&) { throw std::runtime_error("disk full"); });
    ASSERT_TRUE(thrown);
    EXPECT_THROW(std::rethrow_exception(thrown), std::runtime_error);
}
