// A database file as an earlier version wrote it, for the tests of bringing such a file up to
// date: its day columns accept Null. Written beside the database layer (raw SQLite), because the
// layer brings a file up to date as soon as it opens it.
#pragma once

#include "platform/jet/SqlDialect.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace jettest {

// Drops the Null rule from the day columns of the new, closed database file at `path`, then runs
// `statements` (statement texts of the system's dialect) on it.
inline void rewriteAsEarlierVersion(const std::string& path,
                                    const std::vector<std::string>& statements) {
    auto run = [&](const std::string& sql) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(db);
            sqlite3_close_v2(db);
            throw std::runtime_error(message);
        }
        sqlite3_close_v2(db);
    };
    run("PRAGMA writable_schema=ON;"
        "UPDATE sqlite_master SET sql=replace(sql,' NOT NULL ON CONFLICT REPLACE','') "
        "WHERE type='table';"
        "PRAGMA writable_schema=OFF;");
    std::string all;
    for (const std::string& s : statements)
        all += plat::jet::translateSql(s) + ";";
    run(all);
}

} // namespace jettest
