// The work-table transaction of one print.
#include "app/reports/PrintRun.h"

#include "platform/jet/Error.h"
#include "platform/report/JetRecordSource.h"
#include "platform/report/Report.h"

namespace tamsel::reports {

PrintRun::~PrintRun() {
    try {
        commit();
    } catch (const plat::jet::Error&) {
        // A failed commit leaves the file as it was before the run; the print already failed.
        if (db_ && db_->inTransaction())
            db_->rollback();
    }
}

void PrintRun::begin(plat::jet::Database db) {
    commit();
    db.beginTrans();
    db_ = std::move(db);
}

plat::jet::Database& PrintRun::db() {
    if (!db_)
        throw plat::jet::Error(plat::jet::err::ObjectClosed);
    return *db_;
}

void PrintRun::layOut(plat::report::Report& report) {
    plat::report::readThrough(report, db());
    struct CommitAtEnd {
        PrintRun& run;
        ~CommitAtEnd() {
            try {
                run.commit();
            } catch (const plat::jet::Error&) {
                if (run.db_ && run.db_->inTransaction())
                    run.db_->rollback();
            }
        }
    } commitAtEnd{*this};
    report.run();
}

void PrintRun::commit() {
    if (db_ && db_->inTransaction())
        db_->commitTrans();
    db_.reset();
}

} // namespace tamsel::reports
