// Internal: one connection to a PostgreSQL server through libpq, with its cache of prepared
// statements, the reading of result values by column type and the mapping of the server's
// error codes to the layer's error numbers.
#pragma once

#include "platform/jet/Error.h"
#include "platform/jet/LiteralLifter.h"
#include "platform/jet/Value.h"

#include <libpq-fe.h>

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat::jet {

struct PgResultFree {
    void operator()(PGresult* r) const { PQclear(r); }
};
using PgResult = std::unique_ptr<PGresult, PgResultFree>;

enum class PgKind { Any, Long, Real, Currency, Date, Text, Bool };

// The kind a result column reads as, from its type and type modifier (a NUMERIC with four
// decimals is currency, like the schema's currency columns).
PgKind pgKindOf(unsigned typeOid, int typmod);
Value pgRead(const PGresult* res, int row, int column, PgKind kind);
// The value as a column of that kind stores it; err::TypeMismatch when it cannot be converted.
Value pgCoerce(PgKind kind, const Value& value);
// The spelling the schema gives a column the server reports in lower case ("syainid" ->
// "SyainID"); other names unchanged.
std::string canonicalColumnName(std::string_view serverName);
// ASCII lower case: how the server folds an unquoted name.
std::string foldName(std::string_view name);

class PgConnection {
public:
    // Connects and sets the session up (UTF-8, ISO dates, standard-conforming strings, the lock
    // timeout). Raises err::ServerUnavailable with the server's reason when it cannot.
    static std::shared_ptr<PgConnection> connect(const std::string& uri);
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;
    ~PgConnection();

    PGconn* raw() const { return conn_; }
    const std::string& uri() const { return uri_; }

    // A statement text of the system's dialect: translated, its literals lifted into
    // parameters for writes, prepared once per shape and run.
    PgResult runDialect(std::string_view dialectSql);
    // Statement texts of the system's dialect, prepared as runDialect prepares each, sent
    // together in pipeline mode and their results read after one synchronisation; returns the
    // rows affected. The first failing statement's error is raised once every result is read
    // (the server skips the statements after it). With `commit` the transaction's COMMIT
    // travels last in the same round trip; the transaction is then over unless a statement
    // before it failed.
    std::int64_t runDialectBatch(const std::vector<std::string>& dialectSql, bool commit = false);
    // Server SQL with parameters, prepared once per text and run.
    PgResult run(const std::string& sql, const std::vector<Value>& params = {});
    // Server SQL without parameters, possibly several statements, not prepared.
    void exec(const std::string& sql);
    // Forgets every prepared statement (after the stored queries changed).
    void dropStatements();

    // The error of a failed result (or of a lost connection), and raising it.
    Error errorOf(const PGresult* res);
    [[noreturn]] void raise(const PGresult* res) { throw errorOf(res); }

    int transactionDepth = 0;
    bool broken() const;

    // A transaction begun but not yet sent: its opening statements travel with the next
    // statement or batch, so a save's begin, lock and writes reach the server in one round trip.
    // A transaction that ends before any statement sends nothing.
    void deferBegin(std::vector<std::string> statements) { pendingBegin_ = std::move(statements); }
    bool beginPending() const { return !pendingBegin_.empty(); }
    void dropPendingBegin() { pendingBegin_.clear(); }

private:
    PgConnection(PGconn* conn, std::string uri) : conn_(conn), uri_(std::move(uri)) {}
    PgResult check(PGresult* res);
    // Sends a deferred begin on its own, ahead of a statement that cannot carry it.
    void sendPendingBegin();
    void abandonBegin();
    // Sends the prepared statements (after a deferred begin, before the commit when asked) in
    // pipeline mode and reads their results after one synchronisation.
    struct Send;
    std::int64_t runPipeline(const std::vector<Send>& sends, bool commit);
    // COMMIT of the outermost transaction on its own; the transaction is over either way.
    void endTransaction();
    // A dialect statement as the server runs it: its translated shape and the literals lifted
    // out of it (none from reads and the other statements liftDialectLiterals leaves).
    LiftedSql serverShape(std::string_view dialectSql);
    // The name of the prepared statement of `sql`, prepared on a cache miss.
    std::string prepared(const std::string& sql, int paramCount);

    static constexpr std::size_t kCacheSize = 64;
    struct Entry {
        std::string name;
        std::list<std::string>::iterator age;
    };
    PGconn* conn_;
    std::string uri_;
    std::unordered_map<std::string, Entry> cache_;
    std::list<std::string> ages_; // most recently used first
    std::uint64_t nextName_ = 1;
    std::vector<std::string> pendingBegin_;
    ShapeTranslations shapes_{SqlEngine::Postgres};
};

} // namespace plat::jet
