// The ledger's database work on one employee-month: reading its lines, replacing them in one
// transaction (DELETE, then one INSERT per line), deleting the month, and the sites of a month
// for copying them into the next. Database errors arrive as plat::jet::Error.
#pragma once

#include "app/ledger/LedgerSql.h"
#include "platform/jet/Database.h"

#include <cstdint>
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

// What the stored employee-month looks like: its row count and a checksum over every column
// of its rows. Another program that saved the month in between changes it; saving the same
// figures again does not.
inline constexpr std::uint64_t kStampBasis = 14695981039346656037ull;
struct MonthStamp { // the default is the stamp of a month without rows
    int rows = 0;
    std::uint64_t checksum = kStampBasis;
    bool operator==(const MonthStamp&) const = default;
};

struct StoredMonth {
    std::vector<LedgerLine> lines; // at most kLines
    MonthStamp stamp;
    // The wage the lines were saved with (the last line's; all carry the same); none when the
    // month has no lines.
    std::optional<plat::jet::Currency> wage;
};

// Null day values read as 0. A tenth line throws TooManyLines.
StoredMonth readMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                      std::int64_t syainId);
MonthStamp stampMonth(plat::jet::Database& db, const plat::text::DateTime& month,
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
// rolling back.
void replaceMonth(plat::jet::Database& db, const MonthToSave& save);

// How the screen saves: what it knows of the stored month, and whether the clerk already
// agreed to replace a month that changed since it was read.
struct SaveGuard {
    std::optional<MonthStamp> readAs; // none: nothing is checked
    bool overwrite = false;
};
// Saved, or the reason nothing was written; the screen turns each reason into its message.
enum class SaveOutcome { Saved, MonthClosed, ChangedElsewhere, EmployeeUnknown };
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    MonthStamp stamp; // Saved: the month as it is now stored
};
// The checks against the stored month and the replacement in one transaction: the checks run
// first (checkStoredMonth), and a refused save writes nothing. Database errors are thrown as by
// replaceMonth.
SaveResult saveMonth(plat::jet::Database& db, const MonthToSave& save, const SaveGuard& guard);
// Deletes the employee-month after the same checks as a save, in one transaction: a month
// closed meanwhile (by any program), an employee gone from the master or a month changed since
// it was read is refused, and the month stays as stored. Saved here means deleted.
SaveOutcome deleteMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                        std::int64_t syainId, const SaveGuard& guard);

struct EmployeeRow {
    std::string SName;
    plat::jet::Currency TMony;
};
// The employee's master row (name and current wage); none when the number has no row.
std::optional<EmployeeRow> findEmployee(plat::jet::Database& db, std::int64_t syainId);

struct SiteRef {
    std::int64_t GenbaID = 0;
    std::string GName;
};
// The month's sites in line order with their current names (sites gone from the master are
// left out).
std::vector<SiteRef> monthSites(plat::jet::Database& db, const plat::text::DateTime& month,
                                std::int64_t syainId);

} // namespace tamsel::ledger
