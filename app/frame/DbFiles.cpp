// Compaction in place, backup copy, backup folder: the checks and the failures they report.
#include "app/frame/DbFiles.h"

#include "app/frame/ScreenText.h"
#include "app/frame/ServerMaintenance.h"
#include "app/frame/Texts.h"
#include "platform/jet/Error.h"
#include "platform/jet/FileUse.h"
#include "platform/jet/Location.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tamsel {

DbFailure failureOf(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const plat::jet::Error& err) {
        return {err.number(), QString::fromStdString(err.description())};
    } catch (const std::exception& err) {
        return {plat::jet::err::EngineError, QString::fromLocal8Bit(err.what())};
    } catch (...) {
        return {plat::jet::err::EngineError,
                QString::fromUtf8(plat::jet::errorDescription(plat::jet::err::EngineError))};
    }
}

namespace {

// Compacts p into the work file p + "wk", then puts the work file in p's place with one rename
// that replaces p; `then` runs on the result while p is still held. The work file made here is
// removed again when the rename fails while p still holds the database. Should p be gone after a
// failed rename, the work file is kept and the message says where the data is.
std::optional<DbFailure> compactHeld(const QString& p, const FileOps& ops, const WorkRunner& run,
                                     const char* workFileExists,
                                     const std::function<std::optional<DbFailure>()>& then) {
    const QString w = p + QStringLiteral("wk");
    if (ops.fileExists(w))
        return DbFailure{plat::jet::err::DatabaseExists, w + tr8(workFileExists)};
    if (!ops.fileExists(p)) {
        const plat::jet::Error missing(plat::jet::err::FileNotFound, p.toStdString());
        return DbFailure{missing.number(), QString::fromStdString(missing.description())};
    }
    plat::jet::FileUse exclusive;
    try {
        exclusive =
            plat::jet::FileUse::acquire(p.toStdString(), plat::jet::FileUse::Mode::Exclusive);
    } catch (...) {
        return failureOf(std::current_exception());
    }
    const std::exception_ptr failed =
        run(tr8(texts::kCompacting), [&](const plat::jet::ProgressCallback& progress) {
            plat::jet::compactHeldDatabase(exclusive, p.toStdString(), w.toStdString(), progress);
        });
    if (failed) {
        DbFailure f = failureOf(failed);
        if (f.number == plat::jet::err::DatabaseExists)
            f.description = w + tr8(workFileExists);
        return f;
    }
    if (!ops.renameReplacing(w, p)) {
        const QString cannot = tr8(texts::kCannotRename).arg(w);
        if (ops.fileExists(p)) {
            ops.removeFile(w);
            return DbFailure{kFileAccessFailure,
                             cannot + QLatin1Char('\n') + tr8(texts::kDatabaseUnchanged)};
        }
        return DbFailure{kFileAccessFailure,
                         cannot + QLatin1Char('\n') +
                             tr8(texts::kDataKeptInWorkFile).arg(w, QFileInfo(p).fileName())};
    }
    return then ? then() : std::nullopt;
}

} // namespace

std::exception_ptr runInPlace(const QString&,
                              const std::function<void(const plat::jet::ProgressCallback&)>& work) {
    try {
        work([](int) {});
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

std::optional<DbFailure> compactFile(const QString& path, const FileOps& ops,
                                     const WorkRunner& run) {
    if (plat::jet::isServerLocation(path.toStdString()))
        return optimizeServerDatabase(path, run);
    return compactHeld(path, ops, run, texts::kWorkFileExistsCompact, {});
}

std::optional<DbFailure> backupFile(const QString& path, const QString& backupPath,
                                    const FileOps& ops, const WorkRunner& run) {
    if (plat::jet::isServerLocation(path.toStdString())) {
        if (auto failure = optimizeServerDatabase(path, run))
            return failure;
        return dumpServerDatabase(path, QFileInfo(backupPath).absolutePath(), run);
    }
    return compactHeld(
        path, ops, run, texts::kWorkFileExistsBackup, [&]() -> std::optional<DbFailure> {
            bool copied = false;
            const std::exception_ptr e =
                run(tr8(texts::kCopyingBackup), [&](const plat::jet::ProgressCallback&) {
                    copied = ops.copyFile(path, backupPath);
                });
            if (!e && copied)
                return std::nullopt;
            return DbFailure{kFileAccessFailure, tr8(texts::kCannotCopy).arg(backupPath)};
        });
}

std::optional<DbFailure> ensureFolder(const QString& folder, const FileOps& ops) {
    if (!folder.isEmpty() && ops.folderExists(folder))
        return std::nullopt;
    if (!folder.isEmpty() && ops.createFolder(folder))
        return std::nullopt;
    const bool parentExists =
        !folder.isEmpty() && ops.folderExists(QFileInfo(folder).absolutePath());
    if (parentExists)
        return DbFailure{kFileAccessFailure, tr8(texts::kCannotCreateFolder).arg(folder)};
    return DbFailure{kPathNotFoundFailure, tr8(texts::kPathNotFound).arg(folder)};
}

std::optional<DbFailure> resolveBackupFolder(const QString& configured, const QString& baseFolder,
                                             QString& folder) {
    static const QRegularExpression driveLetter(QStringLiteral("^\\s*([A-Za-z]:|\\\\\\\\)"));
    if (driveLetter.match(configured).hasMatch())
        return DbFailure{kPathNotFoundFailure, tr8(texts::kDriveLetterPath).arg(configured)};
    folder = configured.isEmpty() || QDir::isAbsolutePath(configured)
                 ? configured
                 : QDir::cleanPath(baseFolder + QLatin1Char('/') + configured);
    return std::nullopt;
}

} // namespace tamsel
