// Record source over a stored query of the database file, read through the database layer.
// Kept apart from the engine so that the engine itself does not depend on the database.
#pragma once

#include "platform/jet/Database.h"
#include "platform/report/RecordSource.h"
#include "platform/report/Report.h"

#include <memory>
#include <string>

namespace plat::report {

class JetRecordSource : public RecordSource {
public:
    JetRecordSource(jet::Database database, jet::Recordset rows);

    std::vector<std::string> columns() const override { return columns_; }
    bool next(std::vector<Value>& row) override;

private:
    jet::Database database_;
    jet::Recordset rows_;
    std::vector<std::string> columns_;
};

Value toReportValue(const jet::Value& v);

// Opens the stored query `queryName` of the database file; database errors arrive as
// ReportError with the database's number and description. Backslashes in the path (as in
// program folder + "\Roumu.MDB") are read as folder separators.
std::unique_ptr<RecordSource> openStoredQuery(const std::string& databasePath,
                                              const std::string& queryName);

// Lets a report name its data source by file and stored query (Report::setDataSource).
inline void useDatabaseSources(Report& report) {
    report.setSourceOpener(&openStoredQuery);
}

// Lets the report read a stored query of `database`'s file through that open handle instead of
// opening the file again, so that inside the handle's transaction the report reads back exactly
// the rows the transaction wrote. A data source naming another file opens as usual.
void readThrough(Report& report, jet::Database database);

} // namespace plat::report
