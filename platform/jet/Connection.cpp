// The connection's statement cache and the translation of SQLite result codes into the
// layer's error numbers.
#include "platform/jet/Connection.h"

#include "platform/jet/Columns.h"
#include "platform/jet/LiteralLifter.h"
#include "platform/jet/SqlDialect.h"

#include <cctype>
#include <cstring>

namespace plat::jet {

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        release();
        owner_ = o.owner_;
        key_ = std::move(o.key_);
        stmt_ = o.stmt_;
        o.owner_ = nullptr;
        o.stmt_ = nullptr;
    }
    return *this;
}

void Statement::release() {
    if (!stmt_)
        return;
    if (owner_)
        owner_->giveBack(std::move(key_), stmt_);
    else
        sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    owner_ = nullptr;
}

namespace {
bool startsWith(const char* s, const char* prefix) {
    return std::strncmp(s, prefix, std::strlen(prefix)) == 0;
}
} // namespace

Error sqliteError(int rc, sqlite3* db) {
    const char* msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error(err::Locked);
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE)
            return Error(err::DuplicateKey, msg);
        if (rc == SQLITE_CONSTRAINT_NOTNULL)
            return Error(err::NullNotAllowed, msg);
        return Error(err::EngineError, msg);
    case SQLITE_ERROR:
        if (startsWith(msg, "no such table") || startsWith(msg, "no such view"))
            return Error(err::TableNotFound, msg);
        if (startsWith(msg, "no such column"))
            return Error(err::UnknownColumn, msg);
        if (std::strstr(msg, "syntax error") || std::strstr(msg, "incomplete input") ||
            std::strstr(msg, "unrecognized token"))
            return Error(err::SyntaxError, msg);
        if (std::strstr(msg, "already exists"))
            return Error(err::ObjectExists, msg);
        return Error(err::EngineError, msg);
    case SQLITE_IOERR:
    case SQLITE_FULL:
        return Error(err::DiskError, msg);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return Error(err::BadFormat);
    case SQLITE_READONLY:
        return Error(err::ReadOnly);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Error(err::CannotOpen);
    case SQLITE_MISMATCH:
        return Error(err::TypeMismatch);
    default:
        return Error(err::EngineError, msg);
    }
}

Connection::~Connection() {
    for (auto& [key, e] : cache_)
        sqlite3_finalize(e.stmt);
    sqlite3_close_v2(db_);
}

void Connection::raise(int rc) const {
    throw sqliteError(rc, db_);
}

void Connection::exec(const std::string& sql) {
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        raise(rc);
}

Statement Connection::takeCached(std::string& key) {
    auto it = cache_.find(key);
    if (it == cache_.end())
        return {};
    sqlite3_stmt* s = it->second.stmt;
    ages_.erase(it->second.age);
    cache_.erase(it);
    return Statement(this, std::move(key), s);
}

Statement Connection::prepare(std::string_view dialectSql) {
    std::string key = "D";
    key += dialectSql;
    if (Statement st = takeCached(key); st.get())
        return st;
    // Writes built from values differ in their literals only: they share one translation and
    // one statement.
    if (auto lifted = shapes_.lift(dialectSql)) {
        std::string shapeKey = "P" + lifted->shape;
        Statement st = takeCached(shapeKey);
        if (!st.get()) {
            try {
                st = borrow(std::move(shapeKey), lifted->shape);
            } catch (const Error&) {
                // reports the statement's own error
                return borrow(std::move(key), translateSql(dialectSql));
            }
        }
        int n = 1;
        for (const auto& v : lifted->values)
            bindValue(st.get(), n++, v);
        return st;
    }
    return borrow(std::move(key), translateSql(dialectSql));
}

Statement Connection::prepareNative(std::string_view sql) {
    std::string key = "N";
    key += sql;
    if (Statement st = takeCached(key); st.get())
        return st;
    return borrow(std::move(key), sql);
}

Statement Connection::borrow(std::string key, std::string_view sqliteSql) {
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sqliteSql.data(), static_cast<int>(sqliteSql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt, &tail);
    if (rc != SQLITE_OK)
        raise(rc);
    if (!stmt)
        throw Error(err::SyntaxError, "empty statement");
    const char* end = sqliteSql.data() + sqliteSql.size();
    while (tail && tail < end && (std::isspace(static_cast<unsigned char>(*tail)) || *tail == ';'))
        ++tail;
    if (tail && tail < end) {
        sqlite3_finalize(stmt);
        throw Error(err::SyntaxError, "more than one statement");
    }
    return Statement(this, std::move(key), stmt);
}

void Connection::giveBack(std::string key, sqlite3_stmt* stmt) {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (cache_.count(key)) {
        sqlite3_finalize(stmt);
        return;
    }
    if (cache_.size() >= kCacheSize) {
        auto oldest = cache_.find(ages_.back());
        sqlite3_finalize(oldest->second.stmt);
        cache_.erase(oldest);
        ages_.pop_back();
    }
    ages_.push_front(key);
    cache_.emplace(std::move(key), Entry{stmt, ages_.begin()});
}

} // namespace plat::jet
