// Reading, replacing and deleting one employee-month of the ledger.
#include "app/ledger/LedgerStore.h"

#include "app/closing/ClosedMonths.h"
#include "app/ledger/Texts.h"

#include <bit>

namespace tamsel::ledger {

TooManyLines::TooManyLines() : std::runtime_error(texts::kSubscriptOutOfRange) {}

namespace {
// FNV-1a over each column's value (its kind, then its bits or bytes), so every stored figure,
// name and wage of a row goes into the month's checksum.
void stampRow(MonthStamp& stamp, const plat::jet::Recordset& rs) {
    constexpr std::uint64_t kPrime = 1099511628211ull;
    auto add = [&](const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            stamp.checksum ^= bytes[i];
            stamp.checksum *= kPrime;
        }
    };
    auto addWord = [&](std::uint64_t word) { add(&word, sizeof word); };
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const plat::jet::Value v = rs.field(i);
        const auto kind = static_cast<unsigned char>(v.type());
        add(&kind, 1);
        switch (v.type()) {
        case plat::jet::ValueType::Null:
            break;
        case plat::jet::ValueType::Long:
            addWord(static_cast<std::uint64_t>(v.toLong()));
            break;
        case plat::jet::ValueType::Double:
            addWord(std::bit_cast<std::uint64_t>(v.toDouble()));
            break;
        case plat::jet::ValueType::Currency:
            addWord(static_cast<std::uint64_t>(v.toCurrency().scaled));
            break;
        case plat::jet::ValueType::Date:
        case plat::jet::ValueType::Text: {
            const std::string text = v.toText();
            addWord(text.size());
            add(text.data(), text.size());
            break;
        }
        }
    }
    ++stamp.rows;
}
} // namespace

MonthStamp stampMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                      std::int64_t syainId) {
    MonthStamp stamp;
    for (plat::jet::Recordset rs = db.openRecordset(readMonthSql(month, syainId)); !rs.eof();
         rs.moveNext())
        stampRow(stamp, rs);
    return stamp;
}

StoredMonth readMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                      std::int64_t syainId) {
    StoredMonth stored;
    plat::jet::Recordset rs = db.openRecordset(readMonthSql(month, syainId));
    while (!rs.eof()) {
        stampRow(stored.stamp, rs);
        if (stored.lines.size() == kLines)
            throw TooManyLines();
        LedgerLine line;
        stored.wage = rs["TMony"].toCurrency();
        line.GenbaID = rs["GenbaID"].toLong();
        line.GName = rs["GName"].toText();
        for (int d = 0; d < kDays; ++d)
            line.hours[static_cast<std::size_t>(d)] =
                static_cast<float>(rs["D" + std::to_string(d + 1)].toDouble());
        stored.lines.push_back(std::move(line));
        rs.moveNext();
    }
    return stored;
}

namespace {
// Runs work inside a transaction of db's workspace; rolls back and rethrows on any error.
template <typename Work> void inTransaction(plat::jet::Database& db, Work&& work) {
    db.beginTrans();
    try {
        work();
        db.commitTrans();
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
}

// The removal and the new lines go as one batch: the lines share one prepared insert, and on a
// server the whole replacement is one round trip.
std::vector<std::string> monthStatements(const MonthToSave& save) {
    std::vector<std::string> statements;
    statements.reserve(save.lines.size() + 1);
    statements.push_back(deleteMonthSql(save.month, save.syainId));
    int rowNo = 1;
    for (const LedgerLine& line : save.lines)
        statements.push_back(
            insertLineSql(save.month, save.syainId, save.sName, save.wage, rowNo++, line));
    return statements;
}

// Every check against what is stored now, inside the transaction of a save or a deletion: the
// month is not closed, the employee is still in the master, and the month is still the one the
// screen read.
SaveOutcome checkStoredMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                             std::int64_t syainId, const SaveGuard& guard) {
    closing::ensureTable(db);
    if (closing::isClosed(db, month))
        return SaveOutcome::MonthClosed;
    if (!findEmployee(db, syainId))
        return SaveOutcome::EmployeeUnknown;
    if (guard.readAs && !guard.overwrite && stampMonth(db, month, syainId) != *guard.readAs)
        return SaveOutcome::ChangedElsewhere;
    return SaveOutcome::Saved;
}
} // namespace

void replaceMonth(plat::jet::Database& db, const MonthToSave& save) {
    // The replacement is the whole transaction: its begin, its statements and its commit travel
    // together.
    db.beginTrans();
    try {
        db.executeBatchAndCommit(monthStatements(save));
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
}

SaveResult saveMonth(plat::jet::Database& db, const MonthToSave& save, const SaveGuard& guard) {
    SaveResult result;
    inTransaction(db, [&] {
        result.outcome = checkStoredMonth(db, save.month, save.syainId, guard);
        if (result.outcome != SaveOutcome::Saved)
            return;
        db.executeBatch(monthStatements(save));
        result.stamp = stampMonth(db, save.month, save.syainId);
    });
    return result;
}

SaveOutcome deleteMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                        std::int64_t syainId, const SaveGuard& guard) {
    SaveOutcome outcome = SaveOutcome::Saved;
    inTransaction(db, [&] {
        outcome = checkStoredMonth(db, month, syainId, guard);
        if (outcome == SaveOutcome::Saved)
            db.execute(deleteMonthSql(month, syainId));
    });
    return outcome;
}

std::optional<EmployeeRow> findEmployee(plat::jet::Database& db, std::int64_t syainId) {
    plat::jet::Recordset rs = db.openRecordset(employeeSql(syainId));
    if (rs.eof())
        return std::nullopt;
    return EmployeeRow{rs["SName"].toText(), rs["TMony"].toCurrency()};
}

std::vector<SiteRef> monthSites(plat::jet::Database& db, const plat::text::DateTime& month,
                                std::int64_t syainId) {
    std::vector<SiteRef> sites;
    plat::jet::Recordset rs = db.openRecordset(monthSitesSql(month, syainId));
    while (!rs.eof() && sites.size() < kLines) {
        sites.push_back({rs[0].toLong(), rs[1].toText()});
        rs.moveNext();
    }
    return sites;
}

} // namespace tamsel::ledger
