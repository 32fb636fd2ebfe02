// "The program's folder", where Roumu.MDB and bkmdb.ini live: the environment variable
// TAMSEL_HOME when set, else the command-line option --home DIR, else the executable's folder.
#pragma once

#include <QString>

namespace tamsel {

QString programFolder();
// Where the office database is, as Database::open takes it: the environment variable
// TAMSEL_DATABASE when set (a file path or a server URI; for tests and scripts), else the
// URI= of section [DATABASE] in tamsel.ini in the program's folder (a server database,
// "postgresql://host/dbname?user=…"; the password comes from libpq's password or service
// file, never from tamsel.ini), else programFolder() + "/Roumu.MDB".
QString databasePath();
// The same for a given program folder (the folder's tamsel.ini, else its Roumu.MDB).
QString databasePathIn(const QString& folder);
// True when databasePath() names a server database rather than a file.
bool databaseIsServer();

} // namespace tamsel
