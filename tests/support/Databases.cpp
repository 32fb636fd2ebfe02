#include "Databases.h"

#include "PgCluster.h"

#include "platform/jet/Schema.h"
#include "platform/jet/SqlDialect.h"

#include <cstdlib>

namespace testsupport {

plat::jet::Database createDatabase(const std::string& location) {
    plat::jet::createSchema(location, plat::text::DateTime{2004, 4, 1});
    return plat::jet::Database::open(location);
}

std::string engineName(const testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::File ? "File" : "Server";
}

std::string skipReason(Engine engine) {
    return engine == Engine::Server ? serverSkipReason() : std::string();
}

std::string newLocation(Engine engine, const TempDir& dir) {
    if (engine == Engine::File)
        return dir.file("Roumu.MDB");
    return newServerDatabase();
}

plat::jet::Database freshDatabase(const std::filesystem::path& home, Engine engine) {
    if (engine == Engine::File) {
        unsetenv("TAMSEL_DATABASE");
        return createDatabase((home / "Roumu.MDB").string());
    }
    const std::string uri = newServerDatabase();
    setenv("TAMSEL_DATABASE", uri.c_str(), 1);
    return createDatabase(uri);
}

std::string officeDatabase(const std::filesystem::path& home) {
    const char* env = std::getenv("TAMSEL_DATABASE");
    return env && *env ? std::string(env) : (home / "Roumu.MDB").string();
}

std::int64_t addEmployee(plat::jet::Database& db, const std::string& name, int wage) {
    db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES (" + plat::jet::sqlQuote(name) + "," +
               std::to_string(wage) + ")");
    return db.lastInsertId();
}

std::int64_t addSite(plat::jet::Database& db, const std::string& name) {
    db.execute("INSERT INTO GENBA_MT (GName) VALUES (" + plat::jet::sqlQuote(name) + ")");
    return db.lastInsertId();
}

std::string EngineTest::newLocationOrFile(Engine engine, const TempDir& dir) {
    if (!skipReason(engine).empty())
        return dir.file("Roumu.MDB");
    return newLocation(engine, dir);
}

void EngineCase::SetUp() {
    if (const std::string why = skipReason(GetParam()); !why.empty())
        GTEST_SKIP() << why;
}

} // namespace testsupport
