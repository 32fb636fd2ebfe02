// One print from a work table that every user of the database file shares (PRTROUMUM,
// PRTRUIKEI). The table is emptied and filled, and the report reads it back, inside one write
// transaction on one connection: a second copy of the program printing at the same moment waits
// for it (up to the busy timeout, then error 3260) instead of overwriting these rows, so each
// print shows exactly the rows it prepared. The transaction is committed once the report is laid
// out, and the table keeps the last print's rows; a run that stops early commits what it wrote.
#pragma once

#include "platform/jet/Database.h"

#include <optional>

namespace plat::report {
class Report;
}

namespace tamsel::reports {

class PrintRun {
public:
    PrintRun() = default;
    ~PrintRun();
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

    // Takes the write lock on db's file; throws plat::jet::Error (3260 when another copy holds
    // it past the busy timeout).
    void begin(plat::jet::Database db);
    bool active() const { return db_.has_value(); }
    // The connection of the run (begin() first).
    plat::jet::Database& db();

    // Lays the report out, reading its stored query through the run's connection, then commits.
    // Throws plat::report::ReportError; the transaction is committed either way.
    void layOut(plat::report::Report& report);
    void commit();

private:
    std::optional<plat::jet::Database> db_;
};

} // namespace tamsel::reports
