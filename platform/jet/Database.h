// The database layer the screens use: open a database file, record sets over SQL text,
// execute, transactions, stored queries, dynasets and compaction, on SQLite's C API.
//
// Storage decisions every module relies on:
// - Statement texts are written the way the screens build them (#yyyy/mm/dd# date literals,
//   DELETE * FROM, [bracketed] names, Year(), Kyuyo_F.*) and run through translateSql()
//   (SqlDialect.h) before SQLite sees them.
// - Dates are stored as canonical text "YYYY-MM-DD HH:MM:SS" (declared type DATETIME TEXT),
//   which compares and sorts exactly; a month key is "YYYY-MM-01 00:00:00". CrtDate is filled
//   by the database on insert with the local time.
// - Hours are REAL. Currency (declared type CURRENCY REAL) is stored as a REAL amount, so SQL
//   arithmetic such as D1*TMONY works, and read back as Currency rounded to four decimals.
// - SyainID and GenbaID are INTEGER PRIMARY KEY AUTOINCREMENT: assigned on insert, never
//   reused after a delete.
// - Text put into statement text by callers goes through sqlEscape()/sqlQuote(); any UTF-8
//   text (quotes, %, backslashes, characters outside Shift-JIS) is stored unchanged.
// - Several programs may open one file: rollback journal (plain file copies of a closed
//   database are complete), synchronous=FULL (a committed month survives a crash), a busy
//   timeout of 3 s after which a writer fails with err::Locked (3260). Every open handle marks
//   the file as in use (FileUse.h), so compaction can refuse a file another user has open.
// - A day column (D1 … D31) never holds Null: Null written into one is stored as 0, and a file
//   written by an earlier version is brought up to that rule when it is opened.
// - Errors are plat::jet::Error exceptions with a number and a Japanese description (Error.h).
//
// On a server (PostgreSQL, a "postgresql://" URI; PgEngine.cpp and its neighbours):
// - The same texts are translated into the server's dialect; names fold to lower case and are
//   reported in the schema's spelling. Dates are TIMESTAMP(0), hours DOUBLE PRECISION, currency
//   NUMERIC(19,4) read as Currency exactly; the keys are identity columns that an insert with a
//   key of its own moves past. Writes that differ in their literals share one prepared statement.
// - Every transaction first takes one database-wide transaction lock (an advisory lock), so
//   replacements of one employee-month by several clerks run one after the other; a wait longer
//   than the lock timeout (3 s, lock_timeout) fails with err::Locked, as on a file.
// - Each session has its own print work tables and report queries, the site report's query
//   Q_PrtRoumuG included (temporary tables and views of the same names), so concurrent prints
//   never see each other's rows or month.
// - A server that cannot be reached, a refused login or a lost connection is
//   err::ServerUnavailable with the server's reason; a transaction the connection lost is
//   discarded by the server, and rollback() then succeeds quietly.
#pragma once

#include "platform/jet/Dynaset.h"
#include "platform/jet/Error.h"
#include "platform/jet/Recordset.h"
#include "platform/jet/SqlDialect.h"
#include "platform/jet/Value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat::jet {

class Engine;

// A handle to one open database: a database file (SQLite), or a database on a server
// (PostgreSQL) named by a "postgresql://" URI, which behaves the same to its callers. Copies share
// the connection; record sets and dynasets keep it open until they are gone too. A handle and
// everything opened from it are used from one thread at a time.
class Database {
public:
    // Opens an existing file read-write (shared). Never creates a file: a missing one raises
    // err::FileNotFound, an unreadable one or one that compaction holds err::CannotOpen, a
    // non-database err::BadFormat.
    // A URI opens the server database it names: a server that cannot be reached, a database
    // that does not exist or a refused login raise err::ServerUnavailable with the server's
    // reason as detail.
    static Database open(const std::string& location);

    Database(const Database&) = default;
    Database& operator=(const Database&) = default;
    Database(Database&&) noexcept = default;
    Database& operator=(Database&&) noexcept = default;
    ~Database();

    // The file path or URI the handle was opened with.
    const std::string& path() const;
    // Which engine runs the statements (the SQL dialect translateSql writes for it).
    SqlEngine engine() const;

    // A SELECT statement text, or the bare name of a table or stored query (all its rows).
    Recordset openRecordset(std::string_view sqlOrName);
    // DELETE, INSERT, UPDATE or a DDL statement; returns the number of rows affected.
    std::int64_t execute(std::string_view sql);
    // Several such statements, run in order as execute() runs each; returns the rows they
    // affected together. Statements that differ only in their literals (the lines of one
    // employee-month) share one prepared statement, and on a server the whole batch travels in
    // one round trip (pipeline mode). The first failing statement raises its own error number
    // (3260, 3022 …) and the statements after it are not run; inside a transaction the
    // transaction is then to be rolled back as after any failed statement. Outside a
    // transaction a batch on a server is all or nothing; on a file each statement stands alone.
    std::int64_t executeBatch(const std::vector<std::string>& statements);
    // The batch as the end of the current transaction: run as executeBatch runs it, then
    // committed as commitTrans commits. On a server the batch and the commit travel in one round
    // trip (with the transaction's begin too, when nothing was sent yet). err::NoTransaction
    // outside a transaction, before anything runs. A failing statement raises as executeBatch
    // does and the transaction is then to be rolled back; a failing commit raises its error, and
    // the caller rolls back whatever inTransaction() still reports open.
    std::int64_t executeBatchAndCommit(const std::vector<std::string>& statements);

    // Transactions of the default workspace. beginTrans() takes the write lock at once (waiting
    // up to the busy timeout), so a transaction that started can also commit.
    void beginTrans();
    void commitTrans();
    void rollback();
    bool inTransaction() const;

    // Stored queries are SQLite views named after the query; `sql` is a statement text as above.
    // createQuery raises err::ObjectExists for a taken name; deleteQuery raises
    // err::ItemNotFound for a missing one (callers that expect that may ignore it).
    void createQuery(std::string_view name, std::string_view sql);
    void deleteQuery(std::string_view name);
    bool hasQuery(std::string_view name);
    Recordset openQuery(std::string_view name);

    // A table or stored query as an updatable dynaset. With `appendOnly` no rows are read:
    // the dynaset only adds new ones (the work tables of the reports).
    Dynaset openDynaset(std::string_view tableOrQuery, bool appendOnly = false);

    // Key assigned to the last row inserted through this handle.
    std::int64_t lastInsertId() const;

    // How long a write waits for another program's lock before it fails with err::Locked
    // (kDefaultBusyTimeoutMs from open).
    static constexpr int kDefaultBusyTimeoutMs = 3000;
    void setBusyTimeout(int milliseconds);

private:
    explicit Database(std::shared_ptr<Engine> e);
    std::shared_ptr<Engine> e_;
};

} // namespace plat::jet
