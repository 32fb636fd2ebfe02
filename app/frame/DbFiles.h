// The database-file routines behind compaction and backup, without any window: they return what
// failed (number and the description the user sees) instead of showing it, so the maintenance
// screen and the console tool run exactly the same checks and report the same errors.
#pragma once

#include "app/frame/FileOps.h"
#include "platform/jet/Compaction.h"

#include <QString>

#include <exception>
#include <functional>
#include <optional>

namespace tamsel {

// Error numbers of the file-system steps (the database layer brings its own).
inline constexpr int kFileAccessFailure = 75;
inline constexpr int kPathNotFoundFailure = 76;

struct DbFailure {
    int number = 0;
    QString description;
};

// What a database call or a long step threw, as number and description: the database layer's
// own error as it is, any other exception as an engine error with its text, anything else as
// the engine error's description.
DbFailure failureOf(std::exception_ptr e);

// Runs a long step (label: what it does) and hands back what it threw. The screen runs it on a
// worker thread behind a progress dialog; the console runs it in place (runInPlace).
using WorkRunner = std::function<std::exception_ptr(
    const QString& label, const std::function<void(const plat::jet::ProgressCallback&)>& work)>;
std::exception_ptr runInPlace(const QString& label,
                              const std::function<void(const plat::jet::ProgressCallback&)>& work);

// A server database (path a URI) is optimised and backed up by the server's own means instead
// (ServerMaintenance.h): the backup is then a dump named with the date in backupPath's folder.
//
// Compacts the database at path in place through the work file path + "wk". The file is held
// for this caller alone from the compaction until the copy has replaced it (another user's
// handle makes it fail with err::InUse and changes nothing). A work file found beforehand
// blocks the run (3204) and is never touched.
std::optional<DbFailure> compactFile(const QString& path, const FileOps& ops,
                                     const WorkRunner& run);
// Compacts as above and copies the compacted file to backupPath, replacing an existing copy,
// while still holding the database.
std::optional<DbFailure> backupFile(const QString& path, const QString& backupPath,
                                    const FileOps& ops, const WorkRunner& run);
// Creates folder (one level) unless it exists.
std::optional<DbFailure> ensureFolder(const QString& folder, const FileOps& ops);

// The backup folder as configured or typed: a relative path is taken relative to baseFolder
// (the program's folder); a path written for another system, with a drive letter ("D:\BK") or
// a network share ("\\server\bk"), is refused, so nothing is ever created under such a name.
std::optional<DbFailure> resolveBackupFolder(const QString& configured, const QString& baseFolder,
                                             QString& folder);

} // namespace tamsel
