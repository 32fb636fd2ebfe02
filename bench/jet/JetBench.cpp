// The database layer beside the raw SQLite C API doing the same work in the same run: saving
// one employee-month (DELETE + 9 INSERTs of 38 columns in one transaction) and the monthly
// inquiry on 50 employees × 10 years of ledgers.
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "tools/tamsel-db/DemoData.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using plat::jet::Database;

constexpr int kLines = 9;
const plat::text::DateTime kToday{2026, 12, 8};
const char* const kMonthText = "2026/06/01";
const char* const kMonthCanonical = "2026-06-01 00:00:00";

// One shared database file for the whole run.
const std::string& benchFile() {
    static const std::string path = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/jet-bench-XXXXXX";
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data()))
            std::abort();
        std::string p = std::string(buf.data()) + "/Roumu.MDB";
        plat::jet::createSchema(p, kToday);
        auto db = Database::open(p);
        tamseldb::fillDemoData(db, kToday, {50, 30, 120});
        return p;
    }();
    return path;
}

std::string num(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v));
    return std::string(buf, r.ptr);
}

// Hours that change with every save, so every statement text is new (no cache hits).
double hours(long save, int line, int day) {
    return static_cast<double>((save + line + day) % 17) * 0.5;
}

void BM_SaveMonth_Layer(benchmark::State& state) {
    Database db = Database::open(benchFile());
    long save = 0;
    for (auto _ : state) {
        ++save;
        db.beginTrans();
        db.execute(std::string("DELETE * FROM KYUYO_F WHERE NENGETU=#") + kMonthText +
                   "# AND SYAINID=1");
        for (int b = 0; b < kLines; ++b) {
            std::string sql = "INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY"
                              ",ROWNO,GENBAID,GNAME";
            for (int d = 1; d <= 31; ++d)
                sql += ",D" + std::to_string(d);
            sql += ") VALUES (#" + std::string(kMonthText) + "#,1,'" +
                   plat::jet::sqlEscape("佐藤　健一") + "',1250," + std::to_string(b + 1) + "," +
                   std::to_string(b + 1) + ",'現場'";
            for (int d = 1; d <= 31; ++d)
                sql += "," + num(hours(save, b, d));
            sql += ")";
            db.execute(sql);
        }
        db.commitTrans();
    }
}

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

void BM_SaveMonth_RawSqlite(benchmark::State& state) {
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(benchFile().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                          nullptr),
          db);
    sqlite3_busy_timeout(db, 3000);
    check(sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* del = nullptr;
    sqlite3_stmt* ins = nullptr;
    check(sqlite3_prepare_v2(db, "DELETE FROM KYUYO_F WHERE NENGETU=?1 AND SYAINID=?2", -1, &del,
                             nullptr),
          db);
    std::string sql = "INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY,ROWNO,GENBAID,GNAME";
    for (int d = 1; d <= 31; ++d)
        sql += ",D" + std::to_string(d);
    sql += ") VALUES (?";
    for (int i = 1; i < 38; ++i)
        sql += ",?";
    sql += ")";
    check(sqlite3_prepare_v2(db, sql.c_str(), -1, &ins, nullptr), db);
    long save = 0;
    for (auto _ : state) {
        ++save;
        check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
        sqlite3_bind_text(del, 1, kMonthCanonical, -1, SQLITE_STATIC);
        sqlite3_bind_int64(del, 2, 1);
        check(sqlite3_step(del), db);
        sqlite3_reset(del);
        for (int b = 0; b < kLines; ++b) {
            sqlite3_bind_text(ins, 1, kMonthCanonical, -1, SQLITE_STATIC);
            sqlite3_bind_int64(ins, 2, 1);
            sqlite3_bind_text(ins, 3, "佐藤　健一", -1, SQLITE_STATIC);
            sqlite3_bind_double(ins, 4, 1250);
            sqlite3_bind_int64(ins, 5, b + 1);
            sqlite3_bind_int64(ins, 6, b + 1);
            sqlite3_bind_text(ins, 7, "現場", -1, SQLITE_STATIC);
            for (int d = 1; d <= 31; ++d)
                sqlite3_bind_double(ins, 7 + d, static_cast<float>(hours(save, b, d)));
            check(sqlite3_step(ins), db);
            sqlite3_reset(ins);
        }
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    }
    sqlite3_finalize(del);
    sqlite3_finalize(ins);
    sqlite3_close(db);
}

std::string inquiryText(const char* date) {
    std::string s = "SELECT GENBAID,GNAME,";
    for (int n = 0; n < 31; ++n)
        s += "SUM(D" + std::to_string(n + 1) + ") AS SD" + std::to_string(n) + (n < 30 ? "," : "");
    s += " FROM KYUYO_F WHERE NENGETU=#";
    s += date;
    s += "# ";
    s += "GROUP BY GENBAID,GNAME,NENGETU ORDER BY GENBAID DESC";
    return s;
}

const char* const kSdNames[31] = {"SD0",  "SD1",  "SD2",  "SD3",  "SD4",  "SD5",  "SD6",  "SD7",
                                  "SD8",  "SD9",  "SD10", "SD11", "SD12", "SD13", "SD14", "SD15",
                                  "SD16", "SD17", "SD18", "SD19", "SD20", "SD21", "SD22", "SD23",
                                  "SD24", "SD25", "SD26", "SD27", "SD28", "SD29", "SD30"};

// The inquiry as the screen reads it: site name and the 31 day sums by name.
void BM_Inquiry_Layer(benchmark::State& state) {
    Database db = Database::open(benchFile());
    const std::string sql = inquiryText("2025/03/01");
    double total = 0;
    for (auto _ : state) {
        for (auto rs = db.openRecordset(sql); !rs.eof(); rs.moveNext()) {
            benchmark::DoNotOptimize(rs["GNAME"].toText());
            for (const char* n : kSdNames)
                total += rs[n].toDouble();
        }
    }
    benchmark::DoNotOptimize(total);
    state.counters["limit_ms"] = 20;
}

void BM_Inquiry_RawSqlite(benchmark::State& state) {
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(benchFile().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                          nullptr),
          db);
    std::string sql = "SELECT GENBAID,GNAME,";
    for (int n = 0; n < 31; ++n)
        sql +=
            "SUM(D" + std::to_string(n + 1) + ") AS SD" + std::to_string(n) + (n < 30 ? "," : "");
    sql += " FROM KYUYO_F WHERE NENGETU=?1 GROUP BY GENBAID,GNAME,NENGETU ORDER BY GENBAID DESC";
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), db);
    double total = 0;
    for (auto _ : state) {
        sqlite3_bind_text(st, 1, "2025-03-01 00:00:00", -1, SQLITE_STATIC);
        while (sqlite3_step(st) == SQLITE_ROW) {
            benchmark::DoNotOptimize(
                std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))));
            for (int n = 0; n < 31; ++n)
                total += sqlite3_column_double(st, 2 + n);
        }
        sqlite3_reset(st);
    }
    benchmark::DoNotOptimize(total);
    sqlite3_finalize(st);
    sqlite3_close(db);
    state.counters["limit_ms"] = 20;
}

} // namespace

BENCHMARK(BM_SaveMonth_Layer)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SaveMonth_RawSqlite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Inquiry_Layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Inquiry_RawSqlite)->Unit(benchmark::kMicrosecond);
