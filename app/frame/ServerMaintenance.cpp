// VACUUM, pg_dump and pg_restore for a server database; failures carry the server tool's own
// reason.
#include "app/frame/ServerMaintenance.h"

#include "app/frame/ScreenText.h"
#include "app/frame/Texts.h"
#include "platform/jet/Database.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace tamsel {

namespace {

// Runs a client program of the server and waits for it; empty on success, else its reason.
QString runClientTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(-1))
        return program + QStringLiteral(": ") + p.errorString();
    p.waitForFinished(-1);
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return {};
    const QString out = QString::fromLocal8Bit(p.readAll()).trimmed();
    return out.isEmpty() ? program + QStringLiteral(": ") + QString::number(p.exitCode()) : out;
}

} // namespace

std::optional<DbFailure> optimizeServerDatabase(const QString& uri, const WorkRunner& run) {
    const std::exception_ptr e =
        run(tr8(texts::kVacuuming), [&](const plat::jet::ProgressCallback&) {
            plat::jet::Database db = plat::jet::Database::open(uri.toStdString());
            db.execute("VACUUM (ANALYZE)");
        });
    if (e)
        return failureOf(e);
    return std::nullopt;
}

QString serverDumpPath(const QString& folder, const QDate& day) {
    return folder + QStringLiteral("/Roumu_") + day.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral(".dump");
}

std::optional<DbFailure> dumpServerDatabase(const QString& uri, const QString& folder,
                                            const WorkRunner& run) {
    const QString target = serverDumpPath(folder, QDate::currentDate());
    const QString work = target + QStringLiteral(".part");
    QString reason;
    const std::exception_ptr e = run(tr8(texts::kDumping), [&](const plat::jet::ProgressCallback&) {
        reason = runClientTool(QStringLiteral("pg_dump"),
                               {QStringLiteral("--format=custom"), QStringLiteral("--file=") + work,
                                QStringLiteral("--dbname=") + uri});
    });
    if (e)
        return failureOf(e);
    // The dump takes the day's name only once it is complete.
    if (reason.isEmpty()) {
        QFile::remove(target);
        if (!QFile::rename(work, target))
            reason = target;
    }
    if (reason.isEmpty())
        return std::nullopt;
    QFile::remove(work);
    return DbFailure{kFileAccessFailure, tr8(texts::kDumpFailed).arg(reason)};
}

std::optional<DbFailure> restoreServerDatabase(const QString& dumpFile, const QString& uri) {
    const QString reason =
        runClientTool(QStringLiteral("pg_restore"),
                      {QStringLiteral("--exit-on-error"), QStringLiteral("--single-transaction"),
                       QStringLiteral("--no-owner"), QStringLiteral("--dbname=") + uri, dumpFile});
    if (reason.isEmpty())
        return std::nullopt;
    return DbFailure{kFileAccessFailure, tr8(texts::kRestoreFailed).arg(reason)};
}

} // namespace tamsel
