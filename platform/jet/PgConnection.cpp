// The server connection: session set-up, prepared statements shared by statement shape,
// values read by column type, and the server's error codes as the layer's error numbers.
#include "platform/jet/PgConnection.h"

#include "platform/jet/Coercion.h"
#include "platform/jet/LiteralLifter.h"
#include "platform/jet/SqlDialect.h"
#include "platform/text/Ascii.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>

#include <unistd.h>

namespace plat::jet {

namespace {

// Type identifiers of the server's built-in types.
constexpr unsigned kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700,
                   kFloat8 = 701, kNumeric = 1700, kTimestamp = 1114, kTimestampTz = 1184,
                   kDate = 1082;

// The server's message on one line: libpq breaks its reasons over indented lines.
std::string trimmed(const char* s) {
    std::string t;
    for (const char* p = s ? s : ""; *p; ++p) {
        const bool space = *p == '\n' || *p == '\t' || *p == ' ';
        if (!space)
            t += *p;
        else if (!t.empty() && t.back() != ' ')
            t += ' ';
    }
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    return t;
}

int errorNumberOf(std::string_view state) {
    if (state == "23505")
        return err::DuplicateKey;
    if (state == "23502")
        return err::NullNotAllowed;
    if (state == "42P01")
        return err::TableNotFound;
    if (state == "42703")
        return err::UnknownColumn;
    if (state == "42601")
        return err::SyntaxError;
    if (state == "42P07" || state == "42710" || state == "42723")
        return err::ObjectExists;
    // A lock not granted within lock_timeout, a deadlock or a serialisation failure: the
    // clerk waits and tries again, as with a locked file.
    if (state == "55P03" || state == "40P01" || state == "40001")
        return err::Locked;
    if (state == "22P02" || state == "42804" || state == "22003" || state == "22007" ||
        state == "22008")
        return err::TypeMismatch;
    if (state == "25006" || state == "42501")
        return err::ReadOnly;
    if (state == "53100")
        return err::DiskError;
    if (state.starts_with("08") || state.starts_with("57P"))
        return err::ServerUnavailable;
    return err::EngineError;
}

void ignoreNotice(void*, const char*) {}

// A zone name or POSIX zone rule: nothing that a literal's quoting could read otherwise.
bool plainZoneText(std::string_view z) {
    for (const char ch : z)
        if (!plat::text::isAsciiAlnum(ch) && !std::strchr("_+-/:.,<>", ch))
            return false;
    return !z.empty();
}

// The name of the zone the client's clock shows, read where the C library reads it: TZ, else
// the link /etc/localtime. Empty when neither names one.
std::string clientZoneName() {
    std::string where;
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        std::string_view z(tz);
        if (z.front() == ':')
            z.remove_prefix(1);
        if (!z.empty() && z.front() != '/') // a zone name or a POSIX rule, as the server reads
            return plainZoneText(z) ? std::string(z) : std::string();
        where = z;
    } else {
        char link[PATH_MAX];
        const ssize_t n = ::readlink("/etc/localtime", link, sizeof link - 1);
        if (n <= 0)
            return {};
        where.assign(link, static_cast<std::size_t>(n));
    }
    const auto at = where.find("zoneinfo/");
    if (at == std::string::npos)
        return {};
    std::string name = where.substr(at + 9);
    for (const char* variant : {"posix/", "right/"})
        if (name.starts_with(variant))
            name.erase(0, std::strlen(variant));
    return plainZoneText(name) ? name : std::string();
}

// The client's present distance from UTC, for a server that does not know the zone's name.
std::string clientOffsetSetting() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const long minutes = local.tm_gmtoff / 60;
    const long a = minutes < 0 ? -minutes : minutes;
    char text[64];
    std::snprintf(text, sizeof text, "SET TIME ZONE INTERVAL '%c%02ld:%02ld' HOUR TO MINUTE",
                  minutes < 0 ? '-' : '+', a / 60, a % 60);
    return text;
}

// A NUMERIC's decimal text to ten-thousandths, exactly (digits beyond the fourth decimal are
// rounded half away from zero).
Currency currencyFromText(std::string_view t) {
    bool negative = false;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        negative = t[i++] == '-';
    std::int64_t units = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        units = units * 10 + (t[i++] - '0');
    std::int64_t frac = 0;
    int digits = 0;
    bool roundUp = false;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            if (digits < 4)
                frac = frac * 10 + (t[i] - '0');
            else if (digits == 4)
                roundUp = t[i] >= '5';
            ++digits, ++i;
        }
    }
    for (; digits < 4; ++digits)
        frac *= 10;
    std::int64_t scaled = units * Currency::kScale + frac + (roundUp ? 1 : 0);
    return Currency{negative ? -scaled : scaled};
}

} // namespace

PgKind pgKindOf(unsigned typeOid, int typmod) {
    switch (typeOid) {
    case kBool:
        return PgKind::Bool;
    case kInt8:
    case kInt2:
    case kInt4:
    case kOid:
        return PgKind::Long;
    case kFloat4:
    case kFloat8:
        return PgKind::Real;
    case kNumeric:
        return typmod >= 4 && ((typmod - 4) & 0xffff) == 4 ? PgKind::Currency : PgKind::Real;
    case kTimestamp:
    case kTimestampTz:
    case kDate:
        return PgKind::Date;
    default:
        return PgKind::Text;
    }
}

Value pgRead(const PGresult* res, int row, int column, PgKind kind) {
    if (PQgetisnull(res, row, column))
        return Value();
    const char* p = PQgetvalue(res, row, column);
    const std::size_t n = static_cast<std::size_t>(PQgetlength(res, row, column));
    switch (kind) {
    case PgKind::Bool:
        return Value(std::int64_t{*p == 't' ? 1 : 0});
    case PgKind::Long: {
        std::int64_t v = 0;
        std::from_chars(p, p + n, v);
        return Value(v);
    }
    case PgKind::Real:
        return Value(std::strtod(p, nullptr));
    case PgKind::Currency:
        return Value(currencyFromText(std::string_view(p, n)));
    case PgKind::Date:
        if (auto d = plat::text::parseCanonical(std::string(p, n)))
            return Value(*d);
        return Value(std::string(p, n));
    default:
        return Value(std::string(p, n));
    }
}

Value pgCoerce(PgKind kind, const Value& value) {
    if (value.isNull())
        return value;
    switch (kind) {
    case PgKind::Any:
        return value;
    case PgKind::Text:
        return Value(value.toText());
    case PgKind::Date:
        return coerceToDate(value);
    case PgKind::Long:
    case PgKind::Bool:
        return coerceToNumber(value, NumberKind::Long);
    case PgKind::Real:
        return coerceToNumber(value, NumberKind::Real);
    case PgKind::Currency:
        return coerceToNumber(value, NumberKind::Currency);
    }
    return value;
}

std::string foldName(std::string_view name) {
    return plat::text::asciiLowered(name);
}

std::string canonicalColumnName(std::string_view serverName) {
    static const std::unordered_map<std::string, std::string> names = [] {
        std::unordered_map<std::string, std::string> m;
        for (const char* n : {"SyainID", "SName", "TMony", "GenbaID", "GName", "CrtDate", "Nengetu",
                              "RowNo", "GTOTAL", "RTime", "MMony"})
            m.emplace(foldName(n), n);
        for (int d = 1; d <= 31; ++d)
            m.emplace("d" + std::to_string(d), "D" + std::to_string(d));
        return m;
    }();
    const auto it = names.find(std::string(serverName));
    return it == names.end() ? std::string(serverName) : it->second;
}

std::shared_ptr<PgConnection> PgConnection::connect(const std::string& uri) {
    PGconn* raw = PQconnectdb(uri.c_str());
    if (!raw)
        throw Error(err::ServerUnavailable);
    if (PQstatus(raw) != CONNECTION_OK) {
        const std::string reason = trimmed(PQerrorMessage(raw));
        PQfinish(raw);
        throw Error(err::ServerUnavailable, reason);
    }
    PQsetNoticeProcessor(raw, ignoreNotice, nullptr);
    std::shared_ptr<PgConnection> c(new PgConnection(raw, uri));
    // Literals keep backslashes as ordinary characters (what sqlEscape relies on); dates are
    // read and written as "YYYY-MM-DD HH:MM:SS"; a lock wait ends after the same 3 s as on a
    // file.
    const std::string session = "SET client_encoding = 'UTF8'; SET standard_conforming_strings = "
                                "on; SET DateStyle = 'ISO, YMD'; SET extra_float_digits = 1; "
                                "SET lock_timeout = '3s'";
    // The server stamps new rows (a site's CrtDate) in the session's zone, a file in the
    // client's local time: the session takes the client's zone, unless PGTZ already chose one.
    // By its name where the server knows it, else at its present offset; the settings of one
    // text take effect together or not at all, so a refused name is sent again as the offset.
    if (std::getenv("PGTZ")) {
        c->exec(session);
        return c;
    }
    const std::string zone = clientZoneName();
    if (!zone.empty()) {
        try {
            c->exec(session + "; SET TimeZone = " + sqlQuote(zone));
            return c;
        } catch (const Error&) {
            if (c->broken())
                throw;
        }
    }
    c->exec(session + "; " + clientOffsetSetting());
    return c;
}

PgConnection::~PgConnection() {
    PQfinish(conn_);
}

bool PgConnection::broken() const {
    return PQstatus(conn_) != CONNECTION_OK;
}

Error PgConnection::errorOf(const PGresult* res) {
    if (broken()) {
        transactionDepth = 0;
        pendingBegin_.clear();
        return Error(err::ServerUnavailable, trimmed(PQerrorMessage(conn_)));
    }
    const char* state = res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr;
    const char* primary = res ? PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const std::string detail = trimmed(primary ? primary : PQerrorMessage(conn_));
    return Error(state ? errorNumberOf(state) : err::EngineError, detail);
}

PgResult PgConnection::check(PGresult* raw) {
    PgResult res(raw);
    const ExecStatusType st = res ? PQresultStatus(res.get()) : PGRES_FATAL_ERROR;
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK)
        raise(res.get());
    return res;
}

void PgConnection::sendPendingBegin() {
    if (pendingBegin_.empty())
        return;
    std::string text;
    for (const std::string& statement : pendingBegin_)
        text += (text.empty() ? "" : "; ") + statement;
    pendingBegin_.clear();
    try {
        check(PQexec(conn_, text.c_str()));
    } catch (const Error&) {
        abandonBegin();
        throw;
    }
}

void PgConnection::abandonBegin() {
    // A begin whose lock could not be had: no transaction was begun, as when a file's write
    // lock cannot be had.
    if (!broken())
        PgResult end(PQexec(conn_, "ROLLBACK"));
    transactionDepth = 0;
}

void PgConnection::exec(const std::string& sql) {
    sendPendingBegin();
    check(PQexec(conn_, sql.c_str()));
}

void PgConnection::dropStatements() {
    if (cache_.empty())
        return;
    cache_.clear();
    ages_.clear();
    exec("DEALLOCATE ALL");
}

namespace {

// A statement's parameters as the text libpq sends (null pointers for Nulls), written one
// after the other into one buffer.
struct ParamTexts {
    std::string buffer;
    std::vector<const char*> values;
    explicit ParamTexts(const std::vector<Value>& params) {
        std::vector<std::size_t> starts;
        starts.reserve(params.size());
        buffer.reserve(params.size() * 8);
        for (const auto& p : params) {
            starts.push_back(buffer.size());
            p.appendText(buffer);
            buffer += '\0';
        }
        values.reserve(params.size());
        for (std::size_t i = 0; i < params.size(); ++i)
            values.push_back(params[i].isNull() ? nullptr : buffer.data() + starts[i]);
    }
    int count() const { return static_cast<int>(values.size()); }
};

} // namespace

LiftedSql PgConnection::serverShape(std::string_view dialectSql) {
    // Writes built from values differ in their literals only: they share one translation and
    // one prepared statement.
    if (auto lifted = shapes_.lift(dialectSql))
        return std::move(*lifted);
    return {translateSql(dialectSql, SqlEngine::Postgres), {}};
}

PgResult PgConnection::runDialect(std::string_view dialectSql) {
    const LiftedSql shape = serverShape(dialectSql);
    return run(shape.shape, shape.values);
}

namespace {

std::int64_t rowsOf(PGresult* r) {
    const char* n = PQcmdTuples(r);
    return n && *n ? std::strtoll(n, nullptr, 10) : 0;
}

// Where in a pipelined batch a result belongs: the deferred begin's statements, the batch's own,
// or the closing commit.
enum class BatchPart { Begin, Statement, Commit };

} // namespace

// One prepared statement of a pipelined batch, with its parameters (none for the begin and
// the commit).
struct PgConnection::Send {
    std::string name;
    const std::vector<Value>* values;
    BatchPart part;
};

std::int64_t PgConnection::runDialectBatch(const std::vector<std::string>& dialectSql,
                                           bool commit) {
    std::vector<LiftedSql> shapes;
    shapes.reserve(dialectSql.size());
    for (const std::string& sql : dialectSql)
        shapes.push_back(serverShape(sql));
    // Every statement of the batch must stay prepared until the batch has run: a batch of more
    // shapes than half the cache runs statement by statement.
    const auto manyShapes = [&] {
        if (shapes.size() <= kCacheSize / 2)
            return false;
        std::unordered_map<std::string_view, int> distinct;
        for (const LiftedSql& s : shapes)
            distinct.emplace(s.shape, 0);
        return distinct.size() > kCacheSize / 2;
    };
    if ((dialectSql.size() < 2 && !commit) || manyShapes()) {
        std::int64_t rows = 0;
        for (const LiftedSql& s : shapes)
            rows += rowsOf(run(s.shape, s.values).get());
        if (commit)
            endTransaction();
        return rows;
    }
    // The begin, lock and commit are prepared statements too: the server plans them once. The
    // batch's own are prepared first, so one the server rejects leaves the begin still to send.
    static const std::vector<Value> none;
    std::vector<Send> sends(pendingBegin_.size());
    sends.reserve(pendingBegin_.size() + shapes.size() + 1);
    for (const LiftedSql& s : shapes)
        sends.push_back({prepared(s.shape, static_cast<int>(s.values.size())), &s.values,
                         BatchPart::Statement});
    for (std::size_t i = 0; i < pendingBegin_.size(); ++i)
        sends[i] = {prepared(pendingBegin_[i], 0), &none, BatchPart::Begin};
    pendingBegin_.clear();
    if (commit)
        sends.push_back({prepared("COMMIT", 0), &none, BatchPart::Commit});
    return runPipeline(sends, commit);
}

void PgConnection::endTransaction() {
    try {
        exec("COMMIT");
    } catch (const Error&) {
        transactionDepth = 0; // a failed commit ends the transaction on the server
        throw;
    }
    transactionDepth = 0;
}

std::int64_t PgConnection::runPipeline(const std::vector<Send>& sends, bool commit) {
    if (PQenterPipelineMode(conn_) != 1)
        raise(nullptr);
    std::optional<Error> failure;
    for (const Send& send : sends) {
        const ParamTexts params(*send.values);
        if (PQsendQueryPrepared(conn_, send.name.c_str(), params.count(), params.values.data(),
                                nullptr, nullptr, 0) != 1) {
            failure = errorOf(nullptr);
            break;
        }
    }
    if (PQpipelineSync(conn_) != 1 && !failure)
        failure = errorOf(nullptr);

    std::int64_t rows = 0;
    BatchPart failedIn = BatchPart::Statement;
    std::size_t index = 0;
    // Each statement's result is followed by a null; the synchronisation's result ends the
    // batch. Two nulls in a row: nothing more is coming (the connection was lost).
    for (bool lastWasNull = false;;) {
        PgResult r(PQgetResult(conn_));
        if (!r) {
            if (lastWasNull || broken()) {
                Error e = failure && !broken() ? *failure : errorOf(nullptr);
                PQexitPipelineMode(conn_);
                throw e;
            }
            lastWasNull = true;
            continue;
        }
        lastWasNull = false;
        const ExecStatusType st = PQresultStatus(r.get());
        if (st == PGRES_PIPELINE_SYNC)
            break;
        const BatchPart part = index < sends.size() ? sends[index++].part : BatchPart::Statement;
        if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) {
            if (part == BatchPart::Statement)
                rows += rowsOf(r.get());
        } else if (st != PGRES_PIPELINE_ABORTED && !failure) {
            failure = errorOf(r.get());
            failedIn = part;
        }
    }
    PQexitPipelineMode(conn_);
    if (failure && failedIn == BatchPart::Begin)
        abandonBegin();
    // The commit ended the transaction, whether it succeeded or not; a failed statement leaves
    // it open (aborted) for the caller's rollback.
    if (commit && (!failure || failedIn == BatchPart::Commit))
        transactionDepth = 0;
    if (failure)
        throw *failure;
    return rows;
}

std::string PgConnection::prepared(const std::string& sql, int paramCount) {
    auto it = cache_.find(sql);
    if (it != cache_.end()) {
        ages_.splice(ages_.begin(), ages_, it->second.age); // now the most recently used
        return it->second.name;
    }
    if (cache_.size() >= kCacheSize) {
        const auto oldest = cache_.find(ages_.back());
        PgResult gone(PQexec(conn_, ("DEALLOCATE " + oldest->second.name).c_str()));
        cache_.erase(oldest);
        ages_.pop_back();
    }
    std::string name = "jet_" + std::to_string(nextName_++);
    check(PQprepare(conn_, name.c_str(), sql.c_str(), paramCount, nullptr));
    ages_.push_front(sql);
    cache_.emplace(sql, Entry{name, ages_.begin()});
    return name;
}

PgResult PgConnection::run(const std::string& sql, const std::vector<Value>& params) {
    sendPendingBegin();
    const std::string name = prepared(sql, static_cast<int>(params.size()));
    const ParamTexts texts(params);
    return check(PQexecPrepared(conn_, name.c_str(), texts.count(), texts.values.data(), nullptr,
                                nullptr, 0));
}

} // namespace plat::jet
