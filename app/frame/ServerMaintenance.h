// Maintenance of a database on a server, in place of the file routines: the server optimises
// its database itself (VACUUM (ANALYZE)), a backup is the server's dump in its custom format
// (pg_dump) named with the date, and a dump is read back into an empty database (pg_restore).
#pragma once

#include "app/frame/DbFiles.h"

#include <QDate>
#include <QString>

#include <optional>

namespace tamsel {

std::optional<DbFailure> optimizeServerDatabase(const QString& uri, const WorkRunner& run);
// The dump's name in `folder` for `day`: "Roumu_yyyyMMdd.dump".
QString serverDumpPath(const QString& folder, const QDate& day);
// Writes serverDumpPath(folder, today), replacing a dump of the same day.
std::optional<DbFailure> dumpServerDatabase(const QString& uri, const QString& folder,
                                            const WorkRunner& run);
// Restores `dumpFile` into the database `uri` names, in one transaction, stopping at the first
// error (a database that already holds the tables refuses it).
std::optional<DbFailure> restoreServerDatabase(const QString& dumpFile, const QString& uri);

} // namespace tamsel
