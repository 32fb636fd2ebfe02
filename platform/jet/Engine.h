// Internal: one open database on one engine, behind Database's operations. The file engine
// (SQLite) and the server engine (PostgreSQL through libpq) each implement it.
#pragma once

#include "platform/jet/Dynaset.h"
#include "platform/jet/Recordset.h"
#include "platform/jet/SqlDialect.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat::jet {

class Engine {
public:
    virtual ~Engine() = default;

    virtual SqlEngine dialect() const = 0;
    virtual const std::string& location() const = 0;

    virtual Recordset openRecordset(std::string_view sqlOrName) = 0;
    virtual std::int64_t execute(std::string_view sql) = 0;
    virtual std::int64_t executeBatch(const std::vector<std::string>& statements) = 0;
    // The batch, then the commit of the transaction it belongs to. An engine that can send both
    // together overrides this.
    virtual std::int64_t executeBatchAndCommit(const std::vector<std::string>& statements) {
        const std::int64_t rows = executeBatch(statements);
        commitTrans();
        return rows;
    }

    virtual void beginTrans() = 0;
    virtual void commitTrans() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() = 0;

    virtual void createQuery(std::string_view name, std::string_view sql) = 0;
    virtual void deleteQuery(std::string_view name) = 0;
    virtual bool hasQuery(std::string_view name) = 0;
    virtual Recordset openQuery(std::string_view name) = 0;

    virtual Dynaset openDynaset(std::string_view tableOrQuery, bool appendOnly) = 0;
    virtual std::int64_t lastInsertId() const = 0;
    virtual void setBusyTimeout(int milliseconds) = 0;
};

// True when the text bare names a table or stored query ("KYUYO_F", "[Q Genba]").
bool isBareName(std::string_view s);
// "name" with inner double quotes doubled.
std::string quoteName(std::string_view name);

// The server engine: opens the database a "postgresql://" or "postgres://" URI names.
std::shared_ptr<Engine> openServerDatabase(const std::string& uri);

} // namespace plat::jet
