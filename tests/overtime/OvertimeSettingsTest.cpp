// The settings table on real database files: a file made before the check reads the defaults
// and stays untouched until settings are stored; stored values come back; nonsense reads as
// the defaults.
#include "app/overtime/OvertimeSettings.h"
#include "tests/support/Databases.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace tamsel::overtime;

TEST(OvertimeSettings, OldFilesReadDefaultsAndTheTableIsMadeOnFirstStore) {
    const testsupport::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    plat::jet::Database db = testsupport::createDatabase(path);

    EXPECT_EQ(loadSettings(db), Settings{});
    EXPECT_THROW(db.openRecordset("SELECT * FROM ZANGYO_SET"), plat::jet::Error);

    const Settings stored{6, true, 1};
    saveSettings(db, stored);
    saveSettings(db, stored);
    plat::jet::Database other = plat::jet::Database::open(path);
    EXPECT_EQ(loadSettings(other), stored);
    EXPECT_EQ(db.openRecordset("SELECT count(*) FROM ZANGYO_SET")[0].toLong(), 1);

    db.execute("UPDATE ZANGYO_SET SET HouteiKyujitu=7, NendoKaisi=13, TokubetuJoko=Null");
    EXPECT_EQ(loadSettings(db), Settings{});
}

} // namespace
