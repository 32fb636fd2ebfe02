// The server engine: a database on a PostgreSQL server behind Database's operations, with its
// record sets (a result read row by row) and dynasets.
#include "platform/jet/Engine.h"
#include "platform/jet/PgConnection.h"
#include "platform/jet/RecordsetImpl.h"

namespace plat::jet {

Dynaset makePgDynaset(std::shared_ptr<PgConnection> conn, std::string_view source, bool appendOnly);

namespace {

// Every transaction of the default workspace takes this lock of the database first, as a
// transaction on the file takes the file's write lock at its start: two clerks' replacements
// of one employee-month run one after the other, never interleaved. The lock is the
// transaction's own and ends with it (also when the client is killed).
constexpr char kTransactionLock[] = "SELECT pg_advisory_xact_lock(7419305)";

// The print work tables the statement and annual reports fill before a print, and the stored
// queries over them, belong to one session each: every connection gets temporary tables and
// views of those names, which hide the database's own, so two clerks printing at once each
// read exactly the rows they prepared (the reports read through the handle that filled them).
// The site report's query Q_PrtRoumuG, which the inquiry screen rewrites for the month it
// prints, is the session's own too: a session starts with a copy of the database's query, and
// its rewrites replace only that copy, so two clerks printing different months never drop each
// other's query (3012) or print the other's month.
constexpr const char* kSessionQueries[] = {"q_sroumum", "q_prtruikei", "q_prtroumug"};

bool isSessionQuery(const std::string& folded) {
    for (const char* q : kSessionQueries)
        if (folded == q)
            return true;
    return false;
}

void prepareSessionObjects(PgConnection& c) {
    PgResult present = c.run("SELECT to_regclass('public.prtroumum') IS NOT NULL, "
                             "to_regclass('public.prtruikei') IS NOT NULL, "
                             "to_regclass('public.q_prtroumug') IS NOT NULL");
    std::string sql;
    if (*PQgetvalue(present.get(), 0, 0) == 't')
        sql += "CREATE TEMP TABLE prtroumum (LIKE public.prtroumum INCLUDING DEFAULTS);\n"
               "CREATE TRIGGER prtroumum_days_zero BEFORE INSERT OR UPDATE ON pg_temp.prtroumum "
               "FOR EACH ROW EXECUTE FUNCTION jet_days_zero();\n"
               "CREATE TEMP VIEW q_sroumum AS SELECT * FROM pg_temp.prtroumum "
               "ORDER BY syainid, rowno;\n";
    if (*PQgetvalue(present.get(), 0, 1) == 't')
        sql += "CREATE TEMP TABLE prtruikei (LIKE public.prtruikei INCLUDING DEFAULTS);\n"
               "CREATE TEMP VIEW q_prtruikei AS SELECT nengetu, syainid, sname, tmony, rtime, "
               "mmony FROM pg_temp.prtruikei ORDER BY syainid, nengetu;\n";
    if (*PQgetvalue(present.get(), 0, 2) == 't')
        sql += "CREATE TEMP VIEW q_prtroumug AS SELECT * FROM public.q_prtroumug;\n";
    if (!sql.empty())
        c.exec(sql);
}

class PgRecordset final : public Recordset::Impl {
public:
    PgRecordset(std::shared_ptr<PgConnection> c, PgResult r)
        : conn(std::move(c)), res(std::move(r)) {
        const int n = PQnfields(res.get());
        for (int i = 0; i < n; ++i) {
            addColumn(canonicalColumnName(PQfname(res.get(), i)));
            kinds.push_back(pgKindOf(PQftype(res.get(), i), PQfmod(res.get(), i)));
        }
        rowCount = PQntuples(res.get());
        step();
    }

    void step() override {
        ++row;
        atEnd = row >= rowCount;
        if (atEnd)
            res.reset();
    }

    Value read(int index) const override {
        return pgRead(res.get(), row, index, kinds[static_cast<std::size_t>(index)]);
    }

    void release() override { res.reset(); }

    std::shared_ptr<PgConnection> conn;
    PgResult res;
    std::vector<PgKind> kinds;
    int row = -1;
    int rowCount = 0;
};

Recordset makePgRecordset(std::shared_ptr<PgConnection> conn, PgResult res) {
    return Recordset(std::make_shared<PgRecordset>(std::move(conn), std::move(res)));
}

class PgEngine final : public Engine {
public:
    explicit PgEngine(std::shared_ptr<PgConnection> c) : c_(std::move(c)) {}

    SqlEngine dialect() const override { return SqlEngine::Postgres; }
    const std::string& location() const override { return c_->uri(); }

    Recordset openRecordset(std::string_view sqlOrName) override {
        if (isBareName(sqlOrName))
            return makePgRecordset(c_, c_->runDialect("SELECT * FROM " + std::string(sqlOrName)));
        return makePgRecordset(c_, c_->runDialect(sqlOrName));
    }

    std::int64_t execute(std::string_view sql) override {
        PgResult res = c_->runDialect(sql);
        const char* n = PQcmdTuples(res.get());
        return n && *n ? std::strtoll(n, nullptr, 10) : 0;
    }

    std::int64_t executeBatch(const std::vector<std::string>& statements) override {
        return c_->runDialectBatch(statements);
    }

    std::int64_t executeBatchAndCommit(const std::vector<std::string>& statements) override {
        if (c_->transactionDepth > 1 || statements.empty()) {
            const std::int64_t rows = executeBatch(statements);
            commitTrans();
            return rows;
        }
        return c_->runDialectBatch(statements, true);
    }

    void beginTrans() override {
        if (serverEndedTransaction())
            c_->transactionDepth = 0;
        if (c_->transactionDepth == 0) {
            // The begin and the lock travel with the transaction's first statement or batch; a
            // lock that cannot be had fails that statement with 3260.
            c_->deferBegin({"BEGIN", kTransactionLock});
        } else {
            c_->exec("SAVEPOINT jet_" + std::to_string(c_->transactionDepth));
        }
        ++c_->transactionDepth;
    }

    void commitTrans() override {
        if (!inTransaction())
            throw Error(err::NoTransaction);
        if (c_->transactionDepth == 1 && c_->beginPending()) {
            c_->dropPendingBegin(); // nothing was sent: nothing to commit
            --c_->transactionDepth;
            return;
        }
        if (c_->transactionDepth == 1) {
            // A transaction a failed statement aborted cannot commit: the server rolls it back.
            const bool failed = PQtransactionStatus(c_->raw()) == PQTRANS_INERROR;
            c_->exec("COMMIT");
            --c_->transactionDepth;
            if (failed)
                throw Error(err::EngineError, "transaction rolled back");
            return;
        }
        c_->exec("RELEASE jet_" + std::to_string(c_->transactionDepth - 1));
        --c_->transactionDepth;
    }

    void rollback() override {
        if (c_->broken()) {
            c_->transactionDepth = 0; // the server has discarded the transaction
            c_->dropPendingBegin();
            return;
        }
        if (!inTransaction())
            throw Error(err::NoTransaction);
        if (c_->transactionDepth == 1 && c_->beginPending()) {
            c_->dropPendingBegin();
        } else if (c_->transactionDepth == 1) {
            c_->exec("ROLLBACK");
        } else {
            const std::string sp = "jet_" + std::to_string(c_->transactionDepth - 1);
            c_->exec("ROLLBACK TO " + sp + "; RELEASE " + sp);
        }
        --c_->transactionDepth;
    }

    bool inTransaction() override {
        if (serverEndedTransaction())
            c_->transactionDepth = 0;
        return c_->transactionDepth > 0;
    }

    bool hasQuery(std::string_view name) override {
        const std::string folded = foldName(name);
        PgResult r = c_->run(isSessionQuery(folded)
                                 ? "SELECT 1 FROM pg_class WHERE relkind = 'v' AND relname = $1 "
                                   "AND relnamespace = pg_my_temp_schema()"
                                 : "SELECT 1 FROM pg_class WHERE relkind = 'v' AND relname = $1 "
                                   "AND pg_table_is_visible(oid)",
                             {Value(folded)});
        return PQntuples(r.get()) > 0;
    }

    void createQuery(std::string_view name, std::string_view sql) override {
        if (hasQuery(name))
            throw Error(err::ObjectExists, name);
        const std::string folded = foldName(name);
        c_->dropStatements();
        c_->exec((isSessionQuery(folded) ? "CREATE TEMP VIEW " : "CREATE VIEW ") +
                 quoteName(folded) + " AS " + translateSql(sql, SqlEngine::Postgres));
    }

    void deleteQuery(std::string_view name) override {
        if (!hasQuery(name))
            throw Error(err::ItemNotFound, name);
        const std::string folded = foldName(name);
        c_->dropStatements();
        c_->exec("DROP VIEW " + std::string(isSessionQuery(folded) ? "pg_temp." : "") +
                 quoteName(folded));
    }

    Recordset openQuery(std::string_view name) override {
        if (!hasQuery(name))
            throw Error(err::ItemNotFound, name);
        return makePgRecordset(c_, c_->run("SELECT * FROM " + quoteName(foldName(name))));
    }

    Dynaset openDynaset(std::string_view tableOrQuery, bool appendOnly) override {
        return makePgDynaset(c_, tableOrQuery, appendOnly);
    }

    // The identity the session's last insert took (0 before any). Inside a transaction the
    // question runs under a savepoint, so "none yet" does not abort the transaction.
    std::int64_t lastInsertId() const override {
        const bool inTrans = PQtransactionStatus(c_->raw()) == PQTRANS_INTRANS;
        if (inTrans)
            PgResult(PQexec(c_->raw(), "SAVEPOINT jet_id"));
        PgResult r(PQexec(c_->raw(), "SELECT lastval()"));
        const bool ok = PQresultStatus(r.get()) == PGRES_TUPLES_OK && PQntuples(r.get()) > 0;
        if (inTrans)
            PgResult(
                PQexec(c_->raw(), ok ? "RELEASE jet_id" : "ROLLBACK TO jet_id; RELEASE jet_id"));
        return ok ? std::strtoll(PQgetvalue(r.get(), 0, 0), nullptr, 10) : 0;
    }

    void setBusyTimeout(int milliseconds) override {
        c_->exec("SET lock_timeout = " + std::to_string(milliseconds));
    }

private:
    // The server has no transaction although one was begun here and sent (a statement failed
    // with a lost or reset session): the layer's count follows.
    bool serverEndedTransaction() const {
        return c_->transactionDepth > 0 && !c_->beginPending() &&
               PQtransactionStatus(c_->raw()) == PQTRANS_IDLE;
    }

    std::shared_ptr<PgConnection> c_;
};

} // namespace

std::shared_ptr<Engine> openServerDatabase(const std::string& uri) {
    auto conn = PgConnection::connect(uri);
    prepareSessionObjects(*conn);
    return std::make_shared<PgEngine>(std::move(conn));
}

} // namespace plat::jet
