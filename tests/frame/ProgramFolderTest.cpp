// The program's folder: TAMSEL_HOME wins; without it the executable's folder is used. Where
// the database is.
#include "app/frame/ProgramFolder.h"
#include "platform/jet/Database.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ProgramFolderTest, TheEnvironmentVariableWinsOverTheExecutablesFolder) {
    testsupport::qtApp();
    const QByteArray saved = qgetenv("TAMSEL_HOME");
    qputenv("TAMSEL_HOME", "/srv/tamsel/data/");
    EXPECT_EQ(tamsel::programFolder(), QStringLiteral("/srv/tamsel/data"));
    EXPECT_EQ(tamsel::databasePath(), QStringLiteral("/srv/tamsel/data/Roumu.MDB"));
    qunsetenv("TAMSEL_HOME");
    EXPECT_EQ(tamsel::programFolder(), QCoreApplication::applicationDirPath());
    if (!saved.isEmpty())
        qputenv("TAMSEL_HOME", saved);
}

// A server database is one setting away: URI= in tamsel.ini beside the program, and the
// environment variable TAMSEL_DATABASE over that; without either the file in the folder.
TEST(ProgramFolderTest, TamselIniOrTheEnvironmentSelectsTheServerDatabase) {
    testsupport::qtApp();
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("TAMSEL_HOME", home.path().toUtf8());
    const QByteArray savedDb = qgetenv("TAMSEL_DATABASE");
    qunsetenv("TAMSEL_DATABASE");
    EXPECT_EQ(tamsel::databasePath(), home.path() + QStringLiteral("/Roumu.MDB"));
    EXPECT_FALSE(tamsel::databaseIsServer());
    {
        QFile ini(home.path() + QStringLiteral("/tamsel.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(
            "[BKPATH]\nPATH=bk\n[DATABASE]\n"
            "URI=postgresql://office-pc/roumu?user=jimu&sslmode=prefer  ; the office server\n");
    }
    EXPECT_EQ(tamsel::databasePath(),
              QStringLiteral("postgresql://office-pc/roumu?user=jimu&sslmode=prefer"));
    EXPECT_TRUE(tamsel::databaseIsServer());
    qputenv("TAMSEL_DATABASE", "postgresql:///test?host=/tmp/x");
    EXPECT_EQ(tamsel::databasePath(), QStringLiteral("postgresql:///test?host=/tmp/x"));
    // A server that cannot be reached is an error the screens show as it is.
    try {
        plat::jet::Database::open(tamsel::databasePath().toStdString());
        ADD_FAILURE();
    } catch (const plat::jet::Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::ServerUnavailable);
        EXPECT_EQ(e.description().rfind("データベースサーバーに接続できません。 (", 0), 0u);
        EXPECT_NE(e.description().find("/tmp/x"), std::string::npos) << e.description();
    }
    qunsetenv("TAMSEL_DATABASE");
    if (!savedDb.isEmpty())
        qputenv("TAMSEL_DATABASE", savedDb);
    qunsetenv("TAMSEL_HOME");
}
