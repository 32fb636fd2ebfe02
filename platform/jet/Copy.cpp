// The database copy: the tables are found in each engine's catalogue, rows are written as
// statement texts (so literal lifting prepares each table's INSERT once), and the content is
// summed up as a row-order-free checksum.
#include "platform/jet/Copy.h"

#include "platform/jet/Database.h"
#include "platform/jet/Location.h"
#include "platform/jet/Schema.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace plat::jet {

namespace {

// The tables whose keys the database assigns, with their key column.
struct KeyedTable {
    const char* table;
    const char* key;
};
constexpr KeyedTable kKeyedTables[] = {{"SYAIN_MT", "SyainID"}, {"GENBA_MT", "GenbaID"}};

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> tableNames(Database& db) {
    const char* sql =
        db.engine() == SqlEngine::Sqlite
            ? "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%'"
            : "SELECT c.relname AS name FROM pg_class c JOIN pg_namespace n ON "
              "n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relkind = 'r'";
    std::vector<std::string> names;
    for (auto rs = db.openRecordset(sql); !rs.eof(); rs.moveNext())
        names.push_back(upper(rs["name"].toText()));
    std::sort(names.begin(), names.end());
    return names;
}

std::int64_t rowCount(Database& db, const std::string& table) {
    return db.openRecordset("SELECT count(*) AS n FROM [" + table + "]")["n"].toLong();
}

// The number of the last key the database handed out for the table (0 when none yet).
std::int64_t keyCounter(Database& db, const KeyedTable& t) {
    if (db.engine() == SqlEngine::Sqlite) {
        auto rs = db.openRecordset(std::string("SELECT seq FROM sqlite_sequence WHERE name='") +
                                   t.table + "'");
        return rs.eof() ? 0 : rs["seq"].toLong();
    }
    const std::string seq = db.openRecordset(std::string("SELECT pg_get_serial_sequence('") +
                                             t.table + "', '" + lower(t.key) + "') AS s")["s"]
                                .toText();
    return db
        .openRecordset("SELECT CASE WHEN is_called THEN last_value ELSE 0 END AS n FROM " +
                       seq)["n"]
        .toLong();
}

void setKeyCounter(Database& db, const KeyedTable& t, std::int64_t value) {
    if (db.engine() == SqlEngine::Sqlite) {
        db.execute(std::string("DELETE FROM sqlite_sequence WHERE name='") + t.table + "'");
        if (value > 0)
            db.execute(std::string("INSERT INTO sqlite_sequence (name, seq) VALUES ('") + t.table +
                       "'," + std::to_string(value) + ")");
        return;
    }
    if (value > 0)
        db.openRecordset(std::string("SELECT setval(pg_get_serial_sequence('") + t.table + "', '" +
                         lower(t.key) + "'), " + std::to_string(value) + ") AS n");
}

// A value as a literal of the statement texts.
std::string literal(const Value& v) {
    switch (v.type()) {
    case ValueType::Null:
        return "NULL";
    case ValueType::Date: {
        const auto d = v.toDate();
        char buf[40];
        std::snprintf(buf, sizeof buf, "#%04d/%02d/%02d %02d:%02d:%02d#", d.year, d.month, d.day,
                      d.hour, d.minute, d.second);
        return buf;
    }
    case ValueType::Text:
        return sqlQuote(v.toText());
    default:
        return v.toText();
    }
}

// The CREATE TABLE of a source table the target lacks, in the schema's declared types.
std::string createTableSql(Database& source, const std::string& table) {
    if (source.engine() == SqlEngine::Sqlite)
        return source
            .openRecordset("SELECT sql FROM sqlite_master WHERE type='table' AND name=" +
                           sqlQuote(table) + " COLLATE NOCASE")["sql"]
            .toText();
    std::string sql = "CREATE TABLE " + table + " (";
    bool first = true;
    for (auto rs = source.openRecordset(
             "SELECT column_name AS c, data_type AS t, numeric_scale AS s FROM "
             "information_schema.columns WHERE table_schema = current_schema() AND table_name = " +
             sqlQuote(lower(table)) + " ORDER BY ordinal_position");
         !rs.eof(); rs.moveNext()) {
        const std::string type = rs["t"].toText();
        std::string declared = "TEXT";
        if (type == "integer" || type == "bigint" || type == "smallint" || type == "boolean")
            declared = "INTEGER";
        else if (type == "double precision" || type == "real")
            declared = "REAL";
        else if (type == "numeric")
            declared = rs["s"].toLong() == 4 ? "CURRENCY REAL" : "REAL";
        else if (type.rfind("timestamp", 0) == 0 || type == "date")
            declared = "DATETIME TEXT";
        sql += (first ? "" : ", ") + rs["c"].toText() + " " + declared;
        first = false;
    }
    return sql + ")";
}

std::uint64_t fnv(std::uint64_t h, const std::string& s) {
    for (unsigned char c : s)
        h = (h ^ c) * 1099511628211ull;
    return (h ^ 0xff) * 1099511628211ull; // a separator, so "ab","c" differs from "a","bc"
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

std::uint64_t databaseChecksum(const std::string& location) {
    Database db = Database::open(location);
    std::uint64_t sum = 0;
    for (const std::string& table : tableNames(db)) {
        for (auto rs = db.openRecordset("SELECT * FROM [" + table + "]"); !rs.eof();
             rs.moveNext()) {
            std::uint64_t h = fnv(14695981039346656037ull, table);
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const Value v = rs.field(i);
                h = fnv(h, v.isNull() ? std::string("\x01N") : v.toText());
            }
            sum += h; // rows in any order
        }
    }
    for (const auto& t : kKeyedTables)
        sum += fnv(fnv(1, t.table), std::to_string(keyCounter(db, t)));
    return sum;
}

CopyReport copyDatabase(const std::string& sourceLocation, const std::string& targetLocation) {
    Database source = Database::open(sourceLocation);
    const bool newFile = !isServerLocation(targetLocation) && !exists(targetLocation);
    try {
        try {
            createSchema(targetLocation, plat::text::firstOfMonth(plat::text::nowLocal()));
        } catch (const Error& e) {
            if (e.number() != err::DatabaseExists || newFile)
                throw;
        }
        Database target = Database::open(targetLocation);
        const std::vector<std::string> targetTables = tableNames(target);
        for (const std::string& t : targetTables)
            if (rowCount(target, t) > 0)
                throw Error(err::DatabaseExists, targetLocation + " (" + t + ")");

        CopyReport report;
        target.beginTrans();
        try {
            for (const std::string& table : tableNames(source)) {
                if (!std::binary_search(targetTables.begin(), targetTables.end(), table))
                    target.execute(createTableSql(source, table));
                TableCount count{table, 0};
                auto rs = source.openRecordset("SELECT * FROM [" + table + "]");
                std::string columns;
                for (int i = 0; i < rs.fieldCount(); ++i)
                    columns += (i ? ",[" : "[") + rs.fieldName(i) + "]";
                for (; !rs.eof(); rs.moveNext(), ++count.rows) {
                    std::string sql = "INSERT INTO [" + table + "] (" + columns + ") VALUES (";
                    for (int i = 0; i < rs.fieldCount(); ++i)
                        sql += (i ? "," : "") + literal(rs.field(i));
                    target.execute(sql + ")");
                }
                report.tables.push_back(count);
            }
            for (const auto& t : kKeyedTables)
                setKeyCounter(target, t, keyCounter(source, t));
            target.commitTrans();
        } catch (...) {
            if (target.inTransaction())
                target.rollback();
            throw;
        }
        report.checksum = databaseChecksum(targetLocation);
        return report;
    } catch (...) {
        if (newFile) {
            ::unlink(targetLocation.c_str());
            ::unlink((targetLocation + "-lock").c_str());
        }
        throw;
    }
}

} // namespace plat::jet
