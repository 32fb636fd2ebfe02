// Opening a database (a file, or a server database by URI) and the statement-level operations
// on it; the file engine on SQLite.
#include "platform/jet/Database.h"

#include "platform/jet/Connection.h"
#include "platform/jet/Engine.h"
#include "platform/jet/Location.h"
#include "platform/text/Ascii.h"

#include <sys/stat.h>

#include <cctype>

namespace plat::jet {

bool isBareName(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    if (s.size() >= 2 && s.front() == '[' && s.back() == ']')
        return s.find(']') == s.size() - 1;
    if (s.empty())
        return false;
    for (char c : s)
        if (!plat::text::isSqlWordChar(c))
            return false;
    return true;
}

std::string quoteName(std::string_view name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"')
            q += '"';
        q += c;
    }
    return q + "\"";
}

namespace {

class SqliteEngine final : public Engine {
public:
    explicit SqliteEngine(std::shared_ptr<Connection> c) : c_(std::move(c)) {}

    SqlEngine dialect() const override { return SqlEngine::Sqlite; }
    const std::string& location() const override { return c_->path(); }
    Recordset openRecordset(std::string_view sqlOrName) override;
    std::int64_t execute(std::string_view sql) override;
    // The statements one after the other, each from the connection's statement cache.
    std::int64_t executeBatch(const std::vector<std::string>& statements) override {
        std::int64_t rows = 0;
        for (const std::string& sql : statements)
            rows += execute(sql);
        return rows;
    }
    void beginTrans() override;
    void commitTrans() override;
    void rollback() override;
    bool inTransaction() override;
    void createQuery(std::string_view name, std::string_view sql) override;
    void deleteQuery(std::string_view name) override;
    bool hasQuery(std::string_view name) override;
    Recordset openQuery(std::string_view name) override;
    Dynaset openDynaset(std::string_view tableOrQuery, bool appendOnly) override;
    std::int64_t lastInsertId() const override;
    void setBusyTimeout(int milliseconds) override;

private:
    std::shared_ptr<Connection> c_;
};

std::shared_ptr<Engine> openFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw Error(err::FileNotFound, path);
    if (!S_ISREG(st.st_mode))
        throw Error(err::CannotOpen, path);
    // The mark comes first, so a compaction that holds the file is never met half-way.
    FileUse use = FileUse::acquire(path, FileUse::Mode::Shared);
    sqlite3* db = nullptr;
    // One thread uses a connection at a time, so SQLite's own per-call locking is left out.
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw Error(rc == SQLITE_CANTOPEN ? err::CannotOpen : sqliteError(rc, nullptr).number(),
                    path);
    }
    sqlite3_extended_result_codes(db, 1);
    auto conn = std::make_shared<Connection>(db, path);
    conn->use = std::move(use);
    sqlite3_busy_timeout(db, Database::kDefaultBusyTimeoutMs);
    // Reading the schema proves the file is a database; the pragmas then make every commit
    // durable before it returns.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        conn->raise(rc);
    conn->exec("PRAGMA synchronous=FULL");
    // A file that cannot be brought up to date now (read-only, or another copy is writing)
    // still opens; the next open tries again.
    try {
        upgradeDayColumns(*conn);
    } catch (const Error&) {
    }
    return std::make_shared<SqliteEngine>(std::move(conn));
}

} // namespace

Database Database::open(const std::string& location) {
    if (isServerLocation(location))
        return Database(openServerDatabase(location));
    return Database(openFile(location));
}

Database::Database(std::shared_ptr<Engine> e) : e_(std::move(e)) {}
Database::~Database() = default;

const std::string& Database::path() const {
    return e_->location();
}

SqlEngine Database::engine() const {
    return e_->dialect();
}

Recordset Database::openRecordset(std::string_view sqlOrName) {
    return e_->openRecordset(sqlOrName);
}
std::int64_t Database::execute(std::string_view sql) {
    return e_->execute(sql);
}
std::int64_t Database::executeBatch(const std::vector<std::string>& statements) {
    return e_->executeBatch(statements);
}
void Database::beginTrans() {
    e_->beginTrans();
}
std::int64_t Database::executeBatchAndCommit(const std::vector<std::string>& statements) {
    if (!e_->inTransaction())
        throw Error(err::NoTransaction);
    return e_->executeBatchAndCommit(statements);
}

void Database::commitTrans() {
    e_->commitTrans();
}
void Database::rollback() {
    e_->rollback();
}
bool Database::inTransaction() const {
    return e_->inTransaction();
}
void Database::createQuery(std::string_view name, std::string_view sql) {
    e_->createQuery(name, sql);
}
void Database::deleteQuery(std::string_view name) {
    e_->deleteQuery(name);
}
bool Database::hasQuery(std::string_view name) {
    return e_->hasQuery(name);
}
Recordset Database::openQuery(std::string_view name) {
    return e_->openQuery(name);
}
Dynaset Database::openDynaset(std::string_view tableOrQuery, bool appendOnly) {
    return e_->openDynaset(tableOrQuery, appendOnly);
}
std::int64_t Database::lastInsertId() const {
    return e_->lastInsertId();
}
void Database::setBusyTimeout(int milliseconds) {
    e_->setBusyTimeout(milliseconds);
}

namespace {

Recordset SqliteEngine::openRecordset(std::string_view sqlOrName) {
    if (isBareName(sqlOrName))
        return makeRecordset(c_, c_->prepare("SELECT * FROM " + std::string(sqlOrName)));
    return makeRecordset(c_, c_->prepare(sqlOrName));
}

std::int64_t SqliteEngine::execute(std::string_view sql) {
    Statement st = c_->prepare(sql);
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        c_->raise(rc);
    return sqlite3_changes64(c_->db());
}

void SqliteEngine::beginTrans() {
    if (c_->transactionDepth > 0 && sqlite3_get_autocommit(c_->db()))
        c_->transactionDepth = 0; // the engine ended the transaction after an I/O error
    if (c_->transactionDepth == 0)
        c_->exec("BEGIN IMMEDIATE");
    else
        c_->exec("SAVEPOINT jet_" + std::to_string(c_->transactionDepth));
    ++c_->transactionDepth;
}

void SqliteEngine::commitTrans() {
    if (!inTransaction())
        throw Error(err::NoTransaction);
    if (c_->transactionDepth == 1)
        c_->exec("COMMIT"); // a failed commit (locked) leaves the transaction open
    else
        c_->exec("RELEASE jet_" + std::to_string(c_->transactionDepth - 1));
    --c_->transactionDepth;
}

void SqliteEngine::rollback() {
    if (!inTransaction())
        throw Error(err::NoTransaction);
    if (c_->transactionDepth == 1) {
        c_->exec("ROLLBACK");
    } else {
        const std::string sp = "jet_" + std::to_string(c_->transactionDepth - 1);
        c_->exec("ROLLBACK TO " + sp);
        c_->exec("RELEASE " + sp);
    }
    --c_->transactionDepth;
}

bool SqliteEngine::inTransaction() {
    if (c_->transactionDepth > 0 && sqlite3_get_autocommit(c_->db()))
        c_->transactionDepth = 0;
    return c_->transactionDepth > 0;
}

bool SqliteEngine::hasQuery(std::string_view name) {
    Statement st = c_->prepareNative(
        "SELECT 1 FROM sqlite_master WHERE type='view' AND name=?1 COLLATE NOCASE");
    sqlite3_bind_text(st.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        c_->raise(rc);
    return rc == SQLITE_ROW;
}

void SqliteEngine::createQuery(std::string_view name, std::string_view sql) {
    if (hasQuery(name))
        throw Error(err::ObjectExists, name);
    c_->exec("CREATE VIEW " + quoteName(name) + " AS " + translateSql(sql));
}

void SqliteEngine::deleteQuery(std::string_view name) {
    if (!hasQuery(name))
        throw Error(err::ItemNotFound, name);
    c_->exec("DROP VIEW " + quoteName(name));
}

Recordset SqliteEngine::openQuery(std::string_view name) {
    if (!hasQuery(name))
        throw Error(err::ItemNotFound, name);
    return makeRecordset(c_, c_->prepareNative("SELECT * FROM " + quoteName(name)));
}

Dynaset SqliteEngine::openDynaset(std::string_view tableOrQuery, bool appendOnly) {
    return makeDynaset(c_, tableOrQuery, appendOnly);
}

std::int64_t SqliteEngine::lastInsertId() const {
    return sqlite3_last_insert_rowid(c_->db());
}

void SqliteEngine::setBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(c_->db(), milliseconds);
}

} // namespace

} // namespace plat::jet
