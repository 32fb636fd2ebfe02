// The closed months: a month whose statements went to payroll is closed, and its ledger can no
// longer be changed until it is opened again. Kept in the database file in the table SIME_F
// (the month key and when it was closed), created the first time a month is closed; a file
// without it (every file made before closing existed) has no closed month. Only portable SQL:
// both columns are text in canonical date form, which compares and sorts as the dates do.
#pragma once

#include "platform/jet/Database.h"
#include "platform/text/DateTime.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel::closing {

// A save or delete of a closed month's ledger, refused inside the write's transaction.
class MonthClosed : public std::runtime_error {
public:
    MonthClosed();
};

struct ClosedMonth {
    plat::text::DateTime month; // first of the month
    plat::text::DateTime closedAt;
};

// Creates SIME_F when it is missing.
void ensureTable(plat::jet::Database& db);

// Newest first; none when the table is missing. Other database errors are thrown.
std::vector<ClosedMonth> closedMonths(plat::jet::Database& db);
// False when the table is missing.
bool isClosed(plat::jet::Database& db, const plat::text::DateTime& month);

// Inside a transaction that writes the ledger of `month`: throws MonthClosed when the month is
// closed. The table is made first when missing, so the check reads without an error on every
// engine (an error inside a transaction ends it on some).
void refuseIfClosed(plat::jet::Database& db, const plat::text::DateTime& month);

// Only months before the current one (the month of `today`) can be closed.
bool canClose(const plat::text::DateTime& month, const plat::text::DateTime& today);

enum class CloseResult { Closed, AlreadyClosed, NotBeforeCurrent };
// Closes `month` (any day of it) in one transaction, recording `now` as the time of closing.
CloseResult closeMonth(plat::jet::Database& db, const plat::text::DateTime& month,
                       const plat::text::DateTime& now);

enum class OpenResult { Opened, NotClosed };
OpenResult openMonth(plat::jet::Database& db, const plat::text::DateTime& month);

// One line of the closing screen and of `tamsel-db months`.
struct MonthSummary {
    plat::text::DateTime month;
    double hours = 0;
    // The ledgers' month amounts added up: each employee's hours times wage, cut to a whole
    // number as the ledger shows it.
    std::int64_t amount = 0;
    std::optional<plat::text::DateTime> closedAt; // set when closed
};
// The months that have ledger lines, and closed months without any, newest first.
std::vector<MonthSummary> monthSummaries(plat::jet::Database& db);

// "YYYY-MM" (also "YYYY/MM", a single-digit month) as a month key; nullopt otherwise.
std::optional<plat::text::DateTime> parseMonth(std::string_view text);
// "%1年%2月度" with a two-digit month.
std::string monthTitle(const plat::text::DateTime& month);
// The message of a refused close or open; empty for success.
const char* refusalText(CloseResult result);
const char* refusalText(OpenResult result);

} // namespace tamsel::closing
