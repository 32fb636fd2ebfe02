// Internal: one open SQLite connection with its cache of prepared statements, the mapping of
// SQLite result codes to error numbers, and the factories of record sets and dynasets.
#pragma once

#include "platform/jet/Dynaset.h"
#include "platform/jet/Error.h"
#include "platform/jet/FileUse.h"
#include "platform/jet/LiteralLifter.h"
#include "platform/jet/Recordset.h"

#include <sqlite3.h>

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace plat::jet {

class Connection;

// A prepared statement borrowed from the connection's cache; handed back (reset, bindings
// cleared) when it goes out of scope.
class Statement {
public:
    Statement() = default;
    Statement(Connection* owner, std::string key, sqlite3_stmt* stmt)
        : owner_(owner), key_(std::move(key)), stmt_(stmt) {}
    Statement(Statement&& o) noexcept { *this = std::move(o); }
    Statement& operator=(Statement&& o) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { release(); }

    sqlite3_stmt* get() const { return stmt_; }
    void release();

private:
    Connection* owner_ = nullptr;
    std::string key_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Builds the Error for a failed SQLite call (the message taken from `db` when given).
Error sqliteError(int rc, sqlite3* db);

class Connection {
public:
    Connection(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    sqlite3* db() const { return db_; }
    const std::string& path() const { return path_; }

    // A statement text of the system's dialect, translated on a cache miss.
    Statement prepare(std::string_view dialectSql);
    // SQLite SQL as is.
    Statement prepareNative(std::string_view sql);
    [[noreturn]] void raise(int rc) const;
    // Runs SQLite SQL that returns no rows.
    void exec(const std::string& sql);

    int transactionDepth = 0;
    // The handle's mark on the file, given up after the connection is closed.
    FileUse use;

private:
    friend class Statement;
    // The cached statement of `key`, taken out of the cache (the key moves into it); an empty
    // Statement, the key untouched, when there is none.
    Statement takeCached(std::string& key);
    Statement borrow(std::string key, std::string_view sqliteSql);
    void giveBack(std::string key, sqlite3_stmt* stmt);

    static constexpr std::size_t kCacheSize = 64;
    struct Entry {
        sqlite3_stmt* stmt;
        std::list<std::string>::iterator age;
    };
    sqlite3* db_;
    std::string path_;
    std::unordered_map<std::string, Entry> cache_;
    std::list<std::string> ages_; // most recently returned first
    ShapeTranslations shapes_{SqlEngine::Sqlite};
};

// Brings a file written by an earlier version up to the rule that a day column never holds
// Null (Database::open calls it; Schema.cpp): Nulls already stored become 0 and later ones are
// stored as 0. Nothing is written when the file follows the rule already.
void upgradeDayColumns(Connection& connection);

Recordset makeRecordset(std::shared_ptr<Connection> conn, Statement stmt);
Dynaset makeDynaset(std::shared_ptr<Connection> conn, std::string_view source, bool appendOnly);

} // namespace plat::jet
