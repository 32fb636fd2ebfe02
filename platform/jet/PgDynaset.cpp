// Dynasets on the server: a table by its one-column primary key (or the row's physical
// address where it has none), a stored query by its first column through its INSTEAD OF
// triggers; new keys come back from INSERT … RETURNING.
#include "platform/jet/DynasetImpl.h"
#include "platform/jet/Engine.h"
#include "platform/jet/PgConnection.h"

namespace plat::jet {

namespace {

class PgDynaset final : public Dynaset::Impl {
public:
    PgDynaset(std::shared_ptr<PgConnection> c, std::string_view src, bool appendOnlyRows)
        : conn(std::move(c)) {
        appendOnly = appendOnlyRows;
        PgResult rel = conn->run("SELECT oid, relname, relkind FROM pg_class WHERE relname = $1 "
                                 "AND relkind IN ('r','v','p') AND pg_table_is_visible(oid)",
                                 {Value(foldName(src))});
        if (PQntuples(rel.get()) == 0)
            throw Error(err::TableNotFound, src);
        const std::string oid = PQgetvalue(rel.get(), 0, 0);
        source = canonicalName(src);
        quoted = quoteName(PQgetvalue(rel.get(), 0, 1));
        isView = *PQgetvalue(rel.get(), 0, 2) == 'v';
        PgResult cols = conn->run("SELECT * FROM " + quoted + " LIMIT 0");
        for (int i = 0; i < PQnfields(cols.get()); ++i) {
            columns.push_back(quoteName(PQfname(cols.get(), i)));
            names.push_back(canonicalColumnName(PQfname(cols.get(), i)));
            kinds.push_back(pgKindOf(PQftype(cols.get(), i), PQfmod(cols.get(), i)));
        }
        if (isView && names.empty())
            throw Error(err::ReadOnly, source);
        if (isView) {
            keyExpr = columns[0];
        } else {
            PgResult pk = conn->run(
                "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid "
                "AND a.attnum = ANY(i.indkey) WHERE i.indrelid = $1::oid AND i.indisprimary",
                {Value(oid)});
            keyExpr = PQntuples(pk.get()) == 1 ? quoteName(PQgetvalue(pk.get(), 0, 0))
                                               : std::string("ctid");
        }
        keyCast = keyExpr == "ctid" ? "::tid" : "";
        load();
    }

    static std::string canonicalName(std::string_view src) {
        std::string s(src);
        if (s.size() >= 2 && s.front() == '[' && s.back() == ']')
            s = s.substr(1, s.size() - 2);
        return s;
    }

    DynasetRow rowAt(const PGresult* res, int r) const {
        DynasetRow row;
        const int off = isView ? 0 : 1;
        for (std::size_t i = 0; i < names.size(); ++i)
            row.values.push_back(pgRead(res, r, static_cast<int>(i) + off, kinds[i]));
        row.key = isView ? row.values[0] : keyAt(res, r);
        return row;
    }

    // A primary key reads as the number it is; a physical address as its text.
    Value keyAt(const PGresult* res, int r) const {
        return pgRead(res, r, 0, keyCast.empty() ? PgKind::Long : PgKind::Text);
    }

    std::string selectList() const { return isView ? std::string("*") : keyExpr + ", *"; }

    std::vector<DynasetRow> readAll() override {
        PgResult res = conn->run("SELECT " + selectList() + " FROM " + quoted +
                                 (isView ? "" : " ORDER BY " + keyExpr));
        std::vector<DynasetRow> all;
        for (int r = 0; r < PQntuples(res.get()); ++r)
            all.push_back(rowAt(res.get(), r));
        return all;
    }

    bool readRow(const Value& key, DynasetRow& out) override {
        PgResult res = conn->run("SELECT " + selectList() + " FROM " + quoted + " WHERE " +
                                     keyExpr + " = $1" + keyCast,
                                 {key});
        if (PQntuples(res.get()) == 0)
            return false;
        out = rowAt(res.get(), 0);
        return true;
    }

    bool updateRow(Value& key, const std::vector<std::size_t>& cols,
                   const std::vector<Value>& values) override {
        std::string sql = "UPDATE " + quoted + " SET ";
        for (std::size_t i = 0; i < cols.size(); ++i)
            sql += (i ? "," : "") + columns[cols[i]] + " = $" + std::to_string(i + 1);
        sql += " WHERE " + keyExpr + " = $" + std::to_string(cols.size() + 1) + keyCast;
        if (!isView)
            sql += " RETURNING " + keyExpr; // a row's physical address changes with an update
        std::vector<Value> args = values;
        args.push_back(key);
        PgResult res = conn->run(sql, args);
        if (isView)
            return std::strtoll(PQcmdTuples(res.get()), nullptr, 10) > 0;
        if (PQntuples(res.get()) == 0)
            return false;
        key = keyAt(res.get(), 0);
        return true;
    }

    Value insertRow(const std::vector<std::size_t>& cols,
                    const std::vector<Value>& values) override {
        std::string sql = "INSERT INTO " + quoted;
        if (cols.empty()) {
            sql += " DEFAULT VALUES";
        } else {
            std::string list, marks;
            for (std::size_t i = 0; i < cols.size(); ++i) {
                list += (i ? "," : "") + columns[cols[i]];
                marks += (i ? ",$" : "$") + std::to_string(i + 1);
            }
            sql += " (" + list + ") VALUES (" + marks + ")";
        }
        sql += " RETURNING " + keyExpr;
        PgResult res = conn->run(sql, values);
        if (PQntuples(res.get()) == 0)
            return Value();
        if (isView)
            return pgRead(res.get(), 0, 0, kinds[0]);
        return keyAt(res.get(), 0);
    }

    void deleteRow(const Value& key) override {
        conn->run("DELETE FROM " + quoted + " WHERE " + keyExpr + " = $1" + keyCast, {key});
    }

    Value coerceFor(std::size_t column, const Value& value) const override {
        return pgCoerce(kinds[column], value);
    }

    std::shared_ptr<PgConnection> conn;
    std::string quoted;
    std::string keyExpr;
    std::string keyCast;
    std::vector<std::string> columns; // quoted as the server spells them
    std::vector<PgKind> kinds;
};

} // namespace

Dynaset makePgDynaset(std::shared_ptr<PgConnection> conn, std::string_view source,
                      bool appendOnly) {
    return Dynaset(std::make_shared<PgDynaset>(std::move(conn), source, appendOnly));
}

} // namespace plat::jet
