// "The program's folder", where Roumu.MDB and bkmdb.ini live: the environment variable
// TAMSEL_HOME when set, else the command-line option --home DIR, else the executable's folder.
#pragma once

#include <QString>

namespace tamsel {

QString programFolder();
// programFolder() + "/Roumu.MDB".
QString databasePath();

} // namespace tamsel
