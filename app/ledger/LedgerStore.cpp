// Reading, replacing and deleting one employee-month of the ledger.
#include "app/ledger/LedgerStore.h"

#include "app/closing/ClosedMonths.h"
#include "app/ledger/Texts.h"

namespace tamsel::ledger {

TooManyLines::TooManyLines() : std::runtime_error(texts::kSubscriptOutOfRange) {}

StoredMonth readMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                      std::int64_t syainId) {
    StoredMonth stored;
    plat::jet::Recordset rs = db.openRecordset(readMonthSql(month, syainId));
    while (!rs.eof()) {
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
} // namespace

void replaceMonth(plat::jet::Database& db, const MonthToSave& save) {
    inTransaction(db, [&] {
        closing::refuseIfClosed(db, save.month);
        db.execute(deleteMonthSql(save.month, save.syainId));
        int rowNo = 1;
        for (const LedgerLine& line : save.lines)
            db.execute(
                insertLineSql(save.month, save.syainId, save.sName, save.wage, rowNo++, line));
    });
}

void deleteMonth(plat::jet::Database& db, const plat::text::DateTime& month, std::int64_t syainId) {
    inTransaction(db, [&] {
        closing::refuseIfClosed(db, month);
        db.execute(deleteMonthSql(month, syainId));
    });
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
