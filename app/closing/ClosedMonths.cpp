// The closed-months table and its rules.
#include "app/closing/ClosedMonths.h"

#include "app/closing/Texts.h"
#include "platform/jet/Error.h"
#include "platform/jet/SqlDialect.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace tamsel::closing {

namespace {

constexpr char kCreate[] = "CREATE TABLE IF NOT EXISTS SIME_F (Nengetu TEXT NOT NULL PRIMARY KEY, "
                           "SimeDate TEXT NOT NULL)";

using plat::text::DateTime;

std::string monthKeyText(const DateTime& month) {
    return plat::jet::sqlQuote(plat::text::toCanonical(plat::text::firstOfMonth(month)));
}

bool isMissingTable(const plat::jet::Error& e) {
    return e.number() == plat::jet::err::TableNotFound;
}

DateTime readDate(const plat::jet::Value& v) {
    const auto parsed = plat::text::parseCanonical(v.toText());
    return parsed ? *parsed : v.toDate();
}

// All hours of a line, every day column added up in SQL.
std::string hoursSum() {
    std::string s;
    for (int d = 1; d <= 31; ++d)
        s += (d == 1 ? "" : "+") + std::string("D") + std::to_string(d);
    return s;
}

// Hours times wage cut down to a whole number, as the ledger's month amount.
std::int64_t amountOf(double wage, double hours) {
    const plat::jet::Currency product = plat::jet::Currency::fromDouble(wage * hours);
    std::int64_t units = product.scaled / plat::jet::Currency::kScale;
    if (product.scaled < 0 && product.scaled % plat::jet::Currency::kScale != 0)
        --units;
    return units;
}

} // namespace

MonthClosed::MonthClosed() : std::runtime_error(texts::kLedgerClosed) {}

void ensureTable(plat::jet::Database& db) {
    db.execute(kCreate);
}

std::vector<ClosedMonth> closedMonths(plat::jet::Database& db) {
    std::vector<ClosedMonth> months;
    try {
        plat::jet::Recordset rs =
            db.openRecordset("SELECT Nengetu,SimeDate FROM SIME_F ORDER BY Nengetu DESC");
        for (; !rs.eof(); rs.moveNext())
            months.push_back({readDate(rs["Nengetu"]), readDate(rs["SimeDate"])});
    } catch (const plat::jet::Error& e) {
        if (!isMissingTable(e))
            throw;
    }
    return months;
}

bool isClosed(plat::jet::Database& db, const DateTime& month) {
    try {
        plat::jet::Recordset rs =
            db.openRecordset("SELECT Nengetu FROM SIME_F WHERE Nengetu=" + monthKeyText(month));
        return !rs.eof();
    } catch (const plat::jet::Error& e) {
        if (!isMissingTable(e))
            throw;
    }
    return false;
}

void refuseIfClosed(plat::jet::Database& db, const DateTime& month) {
    ensureTable(db);
    if (isClosed(db, month))
        throw MonthClosed();
}

bool canClose(const DateTime& month, const DateTime& today) {
    return plat::text::firstOfMonth(month) < plat::text::firstOfMonth(today);
}

CloseResult closeMonth(plat::jet::Database& db, const DateTime& month, const DateTime& now) {
    if (!canClose(month, now))
        return CloseResult::NotBeforeCurrent;
    ensureTable(db);
    // The look-up and the insert in one write transaction: two copies closing the same month
    // at once record it once.
    db.beginTrans();
    try {
        CloseResult result = CloseResult::AlreadyClosed;
        if (!isClosed(db, month)) {
            db.execute("INSERT INTO SIME_F (Nengetu,SimeDate) VALUES (" + monthKeyText(month) +
                       "," + plat::jet::sqlQuote(plat::text::toCanonical(now)) + ")");
            result = CloseResult::Closed;
        }
        db.commitTrans();
        return result;
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
}

OpenResult openMonth(plat::jet::Database& db, const DateTime& month) {
    try {
        return db.execute("DELETE FROM SIME_F WHERE Nengetu=" + monthKeyText(month)) > 0
                   ? OpenResult::Opened
                   : OpenResult::NotClosed;
    } catch (const plat::jet::Error& e) {
        if (!isMissingTable(e))
            throw;
    }
    return OpenResult::NotClosed;
}

std::vector<MonthSummary> monthSummaries(plat::jet::Database& db) {
    std::map<DateTime, MonthSummary> byMonth;
    plat::jet::Recordset rs =
        db.openRecordset("SELECT NENGETU,SYAINID,MAX(TMONY) AS WAGE,SUM(" + hoursSum() +
                         ") AS HOURS FROM KYUYO_F GROUP BY NENGETU,SYAINID");
    for (; !rs.eof(); rs.moveNext()) {
        const DateTime month = plat::text::firstOfMonth(readDate(rs["NENGETU"]));
        MonthSummary& s = byMonth[month];
        s.month = month;
        // The ledger adds its hours in single precision; its amount is of those hours.
        const double hours = static_cast<float>(rs["HOURS"].toDouble());
        s.hours += hours;
        s.amount += amountOf(rs["WAGE"].toDouble(), hours);
    }
    for (const ClosedMonth& c : closedMonths(db)) {
        MonthSummary& s = byMonth[c.month];
        s.month = c.month;
        s.closedAt = c.closedAt;
    }
    std::vector<MonthSummary> out;
    out.reserve(byMonth.size());
    for (auto it = byMonth.rbegin(); it != byMonth.rend(); ++it)
        out.push_back(it->second);
    return out;
}

std::optional<DateTime> parseMonth(std::string_view text) {
    int year = 0, month = 0;
    char sep = 0;
    char rest = 0;
    const std::string s(text);
    if (std::sscanf(s.c_str(), "%4d%c%2d%c", &year, &sep, &month, &rest) != 3)
        return std::nullopt;
    if ((sep != '-' && sep != '/') || year < 1900 || year > 9999 || month < 1 || month > 12)
        return std::nullopt;
    return DateTime{year, month, 1};
}

std::string monthTitle(const DateTime& month) {
    char mm[8];
    std::snprintf(mm, sizeof mm, "%02d", month.month);
    std::string s = texts::kMonthFormat;
    s.replace(s.find("%1"), 2, std::to_string(month.year));
    s.replace(s.find("%2"), 2, mm);
    return s;
}

const char* refusalText(CloseResult result) {
    switch (result) {
    case CloseResult::NotBeforeCurrent:
        return texts::kNotBeforeCurrent;
    case CloseResult::AlreadyClosed:
        return texts::kAlreadyClosed;
    case CloseResult::Closed:
        break;
    }
    return "";
}

const char* refusalText(OpenResult result) {
    return result == OpenResult::NotClosed ? texts::kNotClosed : "";
}

} // namespace tamsel::closing
