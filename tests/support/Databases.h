// Databases for the tests: a new database with the application schema on either engine (a
// file, or a database on the test program's own PostgreSQL cluster, PgCluster.h), the
// demonstration data, master rows, and the base of a suite run once per engine.
#pragma once

#include "Scratch.h"

#include "platform/jet/Database.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace testsupport {

// Creates the application schema at `location` (report query for April 2004) and opens it.
plat::jet::Database createDatabase(const std::string& location);

enum class Engine { File, Server };
std::string engineName(const testing::TestParamInfo<Engine>& info);
// Why a server case cannot run here (empty when it can): PgCluster's serverSkipReason().
std::string skipReason(Engine engine);
// A location for a new database: `dir`/Roumu.MDB, or a new empty server database.
std::string newLocation(Engine engine, const TempDir& dir);

// The program folder's office database made afresh with the schema on `engine`: its
// Roumu.MDB, or a new server database that TAMSEL_DATABASE then names.
plat::jet::Database freshDatabase(const std::filesystem::path& home, Engine engine = Engine::File);
// Where the program of this folder finds its database: TAMSEL_DATABASE, else its Roumu.MDB.
std::string officeDatabase(const std::filesystem::path& home);
// The demonstration data of `tamsel-db init --demo` as of 15 December 2004 (ledgers to
// December 2004) in a fresh office database of a new program folder `name`.
std::filesystem::path demoProgramFolder(const std::string& name, Engine engine = Engine::File);

std::int64_t addEmployee(plat::jet::Database& db, const std::string& name, int wage);
std::int64_t addSite(plat::jet::Database& db, const std::string& name);

// Base of a suite run once per engine (TEST_ENGINE_SUITE): without PostgreSQL's server programs
// the server cases are skipped.
class EngineCase : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
};

// The same with `db`, a new database with the application schema (for a skipped server case a
// file that no test uses).
class EngineTest : public EngineCase {
protected:
    std::string location() const { return location_; }

    TempDir dir;

private:
    std::string location_ = newLocationOrFile(GetParam(), dir);
    static std::string newLocationOrFile(Engine engine, const TempDir& dir);

protected:
    plat::jet::Database db = createDatabase(location_);
};

} // namespace testsupport

// Runs a suite parameterised by testsupport::Engine once on a file and once on the server.
#define TEST_ENGINE_SUITE(suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Engines, suite, testing::Values(testsupport::Engine::File, testsupport::Engine::Server),   \
        testsupport::engineName)
