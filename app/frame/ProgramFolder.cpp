// Locating the program's folder.
#include "app/frame/ProgramFolder.h"

#include "app/frame/ClsGetIni.h"
#include "platform/jet/Location.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace tamsel {

QString programFolder() {
    const QString fromEnv = qEnvironmentVariable("TAMSEL_HOME");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
    if (QCoreApplication::instance() == nullptr)
        return QDir::currentPath();
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--home") && i + 1 < args.size())
            return QDir::cleanPath(args[i + 1]);
        if (args[i].startsWith(QLatin1String("--home=")))
            return QDir::cleanPath(args[i].mid(7));
    }
    return QCoreApplication::applicationDirPath();
}

QString databasePath() {
    return databasePathIn(programFolder());
}

QString databasePathIn(const QString& folder) {
    const QString fromEnv = qEnvironmentVariable("TAMSEL_DATABASE");
    if (!fromEnv.isEmpty())
        return fromEnv;
    ClsGetIni ini;
    if (ini.SetInifile(folder + QStringLiteral("/tamsel.ini")) == 0) {
        const auto uri = ini.GetKeyword(QStringLiteral("DATABASE"), QStringLiteral("URI"));
        if (uri && !uri->trimmed().isEmpty())
            return uri->trimmed();
    }
    return folder + QStringLiteral("/Roumu.MDB");
}

bool databaseIsServer() {
    return plat::jet::isServerLocation(databasePath().toStdString());
}

} // namespace tamsel
