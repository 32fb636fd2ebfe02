// The server engine beside bare libpq doing the same work in the same run, against a private
// cluster the benchmark starts (as the tests do): saving one employee-month (DELETE + 9 INSERTs
// of 38 columns in one transaction, as the ledger saves it: one batch; also statement by
// statement; libpq with prepared statements, and in pipeline mode) and the monthly inquiry on
// 50 employees × 10 years of ledgers. The file engine's figures for the same work are printed
// beside them. Limits: the layer's batched save ≤ 1.3 × pipelined libpq, the inquiry ≤ 1.2 ×
// libpq. The cluster runs without fsync, so the figures compare client work, not disks. On a
// shared machine the figures drift between runs; compare medians of interleaved repetitions:
//   pg_bench --benchmark_repetitions=8 --benchmark_enable_random_interleaving=true
//            --benchmark_report_aggregates_only=true
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "tests/support/PgCluster.h"
#include "tools/tamsel-db/DemoData.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using plat::jet::Database;

constexpr int kLines = 9;
const plat::text::DateTime kToday{2026, 12, 8};
const char* const kMonthText = "2026/06/01";
const char* const kMonthCanonical = "2026-06-01 00:00:00";

std::string makeDatabase(const std::string& location) {
    plat::jet::createSchema(location, kToday);
    auto db = Database::open(location);
    tamseldb::fillDemoData(db, kToday, {50, 30, 120});
    return location;
}

const std::string& serverDb() {
    static const std::string uri = makeDatabase(testsupport::newServerDatabase());
    return uri;
}

const std::string& fileDb() {
    static const std::string path = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/pg-bench-XXXXXX";
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data()))
            std::abort();
        return makeDatabase(std::string(buf.data()) + "/Roumu.MDB");
    }();
    return path;
}

std::string num(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v));
    return std::string(buf, r.ptr);
}

// Hours that change with every save, so every statement text is new.
double hours(long save, int line, int day) {
    return static_cast<double>((save + line + day) % 17) * 0.5;
}

std::string deleteText() {
    return std::string("DELETE * FROM KYUYO_F WHERE NENGETU=#") + kMonthText + "# AND SYAINID=1";
}

std::string insertText(long save, int b) {
    std::string sql = "INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY"
                      ",ROWNO,GENBAID,GNAME";
    for (int d = 1; d <= 31; ++d)
        sql += ",D" + std::to_string(d);
    sql += ") VALUES (#" + std::string(kMonthText) + "#,1,'" + plat::jet::sqlEscape("佐藤　健一") +
           "',1250," + std::to_string(b + 1) + "," + std::to_string(b + 1) + ",'現場'";
    for (int d = 1; d <= 31; ++d)
        sql += "," + num(hours(save, b, d));
    sql += ")";
    return sql;
}

// The ledger's replacement of a month: one transaction, the removal and the lines one batch.
void saveThroughLayer(benchmark::State& state, const std::string& location) {
    Database db = Database::open(location);
    long save = 0;
    for (auto _ : state) {
        ++save;
        std::vector<std::string> batch{deleteText()};
        for (int b = 0; b < kLines; ++b)
            batch.push_back(insertText(save, b));
        db.beginTrans();
        db.executeBatchAndCommit(batch);
    }
}

void saveStatementByStatement(benchmark::State& state, const std::string& location) {
    Database db = Database::open(location);
    long save = 0;
    for (auto _ : state) {
        ++save;
        db.beginTrans();
        db.execute(deleteText());
        for (int b = 0; b < kLines; ++b)
            db.execute(insertText(save, b));
        db.commitTrans();
    }
}

void BM_SaveMonth_ServerLayer(benchmark::State& state) {
    saveThroughLayer(state, serverDb());
    state.counters["limit_ratio"] = 1.3; // to BM_SaveMonth_ServerLibpqPipeline
}

void BM_SaveMonth_ServerLayerStatementByStatement(benchmark::State& state) {
    saveStatementByStatement(state, serverDb());
}

void BM_SaveMonth_FileLayer(benchmark::State& state) {
    saveThroughLayer(state, fileDb());
}

PGconn* connectBare() {
    // The layer's URI is libpq's own connection string.
    PGconn* c = PQconnectdb(serverDb().c_str());
    if (PQstatus(c) != CONNECTION_OK) {
        std::fprintf(stderr, "libpq: %s\n", PQerrorMessage(c));
        std::abort();
    }
    return c;
}

void ok(PGresult* r, PGconn* c) {
    const auto st = PQresultStatus(r);
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && st != PGRES_PIPELINE_SYNC) {
        std::fprintf(stderr, "libpq: %s\n", PQerrorMessage(c));
        std::abort();
    }
    PQclear(r);
}

void prepareSave(PGconn* c) {
    ok(PQprepare(c, "del", "DELETE FROM kyuyo_f WHERE nengetu=$1 AND syainid=$2", 2, nullptr), c);
    std::string sql = "INSERT INTO kyuyo_f (nengetu,syainid,sname,tmony,rowno,genbaid,gname";
    for (int d = 1; d <= 31; ++d)
        sql += ",d" + std::to_string(d);
    sql += ") VALUES ($1";
    for (int i = 2; i <= 38; ++i)
        sql += ",$" + std::to_string(i);
    sql += ")";
    ok(PQprepare(c, "ins", sql.c_str(), 38, nullptr), c);
}

// The parameters of one line as text.
struct Line {
    std::vector<std::string> text;
    std::vector<const char*> values;
    Line(long save, int b) {
        text = {kMonthCanonical,       "1",   "佐藤　健一", "1250", std::to_string(b + 1),
                std::to_string(b + 1), "現場"};
        for (int d = 1; d <= 31; ++d)
            text.push_back(num(hours(save, b, d)));
        for (const auto& t : text)
            values.push_back(t.c_str());
    }
};

void BM_SaveMonth_ServerLibpq(benchmark::State& state) {
    PGconn* c = connectBare();
    prepareSave(c);
    const char* delArgs[] = {kMonthCanonical, "1"};
    long save = 0;
    for (auto _ : state) {
        ++save;
        ok(PQexec(c, "BEGIN"), c);
        ok(PQexecPrepared(c, "del", 2, delArgs, nullptr, nullptr, 0), c);
        for (int b = 0; b < kLines; ++b) {
            Line line(save, b);
            ok(PQexecPrepared(c, "ins", 38, line.values.data(), nullptr, nullptr, 0), c);
        }
        ok(PQexec(c, "COMMIT"), c);
    }
    PQfinish(c);
}

void BM_SaveMonth_ServerLibpqPipeline(benchmark::State& state) {
    PGconn* c = connectBare();
    prepareSave(c);
    const char* delArgs[] = {kMonthCanonical, "1"};
    long save = 0;
    for (auto _ : state) {
        ++save;
        PQenterPipelineMode(c);
        PQsendQueryParams(c, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0);
        PQsendQueryPrepared(c, "del", 2, delArgs, nullptr, nullptr, 0);
        std::vector<Line> lines;
        lines.reserve(kLines);
        for (int b = 0; b < kLines; ++b) {
            lines.emplace_back(save, b);
            PQsendQueryPrepared(c, "ins", 38, lines.back().values.data(), nullptr, nullptr, 0);
        }
        PQsendQueryParams(c, "COMMIT", 0, nullptr, nullptr, nullptr, nullptr, 0);
        PQpipelineSync(c);
        for (int n = 0; n < kLines + 3; ++n) {
            ok(PQgetResult(c), c);
            if (PGresult* end = PQgetResult(c)) // the null that ends each query's results
                ok(end, c);
        }
        ok(PQgetResult(c), c); // the sync
        PQexitPipelineMode(c);
    }
    PQfinish(c);
}

std::string inquiryText(const char* date) {
    std::string s = "SELECT GENBAID,GNAME,";
    for (int n = 0; n < 31; ++n)
        s += "SUM(D" + std::to_string(n + 1) + ") AS SD" + std::to_string(n) + (n < 30 ? "," : "");
    s += " FROM KYUYO_F WHERE NENGETU=#";
    s += date;
    s += "# GROUP BY GENBAID,GNAME,NENGETU ORDER BY GENBAID DESC";
    return s;
}

void inquiryThroughLayer(benchmark::State& state, const std::string& location) {
    Database db = Database::open(location);
    const std::string sql = inquiryText("2025/03/01");
    std::vector<std::string> names;
    for (int n = 0; n < 31; ++n)
        names.push_back("SD" + std::to_string(n));
    double total = 0;
    for (auto _ : state) {
        for (auto rs = db.openRecordset(sql); !rs.eof(); rs.moveNext()) {
            benchmark::DoNotOptimize(rs["GNAME"].toText());
            for (const auto& n : names)
                total += rs[n].toDouble();
        }
    }
    benchmark::DoNotOptimize(total);
}

void BM_Inquiry_ServerLayer(benchmark::State& state) {
    inquiryThroughLayer(state, serverDb());
}

void BM_Inquiry_FileLayer(benchmark::State& state) {
    inquiryThroughLayer(state, fileDb());
}

void BM_Inquiry_ServerLibpq(benchmark::State& state) {
    PGconn* c = connectBare();
    std::string sql = "SELECT genbaid,gname,";
    for (int n = 0; n < 31; ++n)
        sql +=
            "SUM(d" + std::to_string(n + 1) + ") AS sd" + std::to_string(n) + (n < 30 ? "," : "");
    sql += " FROM kyuyo_f WHERE nengetu=$1::timestamp GROUP BY genbaid,gname,nengetu "
           "ORDER BY genbaid DESC";
    ok(PQprepare(c, "inq", sql.c_str(), 1, nullptr), c);
    const char* args[] = {"2025-03-01 00:00:00"};
    double total = 0;
    for (auto _ : state) {
        PGresult* r = PQexecPrepared(c, "inq", 1, args, nullptr, nullptr, 0);
        for (int row = 0; row < PQntuples(r); ++row) {
            benchmark::DoNotOptimize(std::string(PQgetvalue(r, row, 1)));
            for (int n = 0; n < 31; ++n)
                total += std::strtod(PQgetvalue(r, row, 2 + n), nullptr);
        }
        ok(r, c);
    }
    benchmark::DoNotOptimize(total);
    PQfinish(c);
}

} // namespace

BENCHMARK(BM_SaveMonth_ServerLayer)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SaveMonth_ServerLayerStatementByStatement)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_SaveMonth_ServerLibpq)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SaveMonth_ServerLibpqPipeline)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_SaveMonth_FileLayer)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Inquiry_ServerLayer)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Inquiry_ServerLibpq)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Inquiry_FileLayer)->Unit(benchmark::kMicrosecond)->UseRealTime();
