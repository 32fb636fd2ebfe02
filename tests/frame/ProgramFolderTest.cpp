// The program's folder: TAMSEL_HOME wins; without it the executable's folder is used.
#include "app/frame/ProgramFolder.h"
#include "tests/widgets/QtTestApp.h"

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
