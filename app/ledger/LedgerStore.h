// The ledger's database work on one employee-month: reading its lines, replacing them in one
// transaction (DELETE, then one INSERT per line), deleting the month, and the sites of a month
// for copying them into the next. Database errors arrive as plat::jet::Error.
#pragma once

#include "app/ledger/LedgerSql.h"
#include "platform/jet/Database.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tamsel::ledger {

// A month with more lines than the ledger has (written by something else than this program).
class TooManyLines : public std::runtime_error {
public:
    TooManyLines();
    static constexpr int kNumber = 9; // subscript out of range
};

struct StoredMonth {
    std::vector<LedgerLine> lines; // at most kLines
    // The wage the lines were saved with (the last line's; all carry the same); none when the
    // month has no lines.
    std::optional<plat::jet::Currency> wage;
};

// Null day values read as 0. A tenth line throws TooManyLines.
StoredMonth readMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                      std::int64_t syainId);

struct MonthToSave {
    plat::text::DateTime month;
    std::int64_t syainId = 0;
    std::string sName;
    plat::jet::Currency wage;
    std::vector<LedgerLine> lines; // line i is stored as ROWNO i + 1
};

// One transaction: the stored month is afterwards either the old set of lines or the complete
// new one, also when another program saves the same month at the same time (the second writer
// waits for the first, or fails with err::Locked and changes nothing). Rethrows the error after
// rolling back. A month closed meanwhile (by any program) is refused inside the transaction
// with closing::MonthClosed and stays as stored; the same holds for deleteMonth.
void replaceMonth(plat::jet::Database& db, const MonthToSave& save);
void deleteMonth(plat::jet::Database& db, const plat::text::DateTime& month, std::int64_t syainId);

struct SiteRef {
    std::int64_t GenbaID = 0;
    std::string GName;
};
// The month's sites in line order with their current names (sites gone from the master are
// left out).
std::vector<SiteRef> monthSites(plat::jet::Database& db, const plat::text::DateTime& month,
                                std::int64_t syainId);

} // namespace tamsel::ledger
