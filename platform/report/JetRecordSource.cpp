// Rows of a stored query converted to report values.
#include "platform/report/JetRecordSource.h"

#include "platform/report/ReportError.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace plat::report {

Value toReportValue(const jet::Value& v) {
    switch (v.type()) {
    case jet::ValueType::Null:
        return Value::null();
    case jet::ValueType::Long:
        return Value::number(static_cast<double>(v.toLong()));
    case jet::ValueType::Double:
        return Value::number(v.toDouble());
    case jet::ValueType::Currency:
        return Value::currency(v.toCurrency().scaled);
    case jet::ValueType::Date:
        return Value::date(v.toDate());
    case jet::ValueType::Text:
        return Value::text(v.toText());
    }
    return Value::null();
}

JetRecordSource::JetRecordSource(jet::Database database, jet::Recordset rows)
    : database_(std::move(database)), rows_(std::move(rows)) {
    for (int i = 0; i < rows_.fieldCount(); ++i)
        columns_.push_back(rows_.fieldName(i));
}

bool JetRecordSource::next(std::vector<Value>& row) {
    try {
        if (rows_.eof())
            return false;
        row.resize(columns_.size());
        for (std::size_t i = 0; i < columns_.size(); ++i)
            row[i] = toReportValue(rows_.field(static_cast<int>(i)));
        rows_.moveNext();
        return true;
    } catch (const jet::Error& e) {
        throw ReportError(e.number(), e.description());
    }
}

namespace {

std::string filePath(const std::string& databasePath) {
    std::string path = databasePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace

std::unique_ptr<RecordSource> openStoredQuery(const std::string& databasePath,
                                              const std::string& queryName) {
    const std::string path = filePath(databasePath);
    try {
        jet::Database db = jet::Database::open(path);
        jet::Recordset rows = db.openQuery(queryName);
        return std::make_unique<JetRecordSource>(std::move(db), std::move(rows));
    } catch (const jet::Error& e) {
        throw ReportError(e.number(), e.description());
    }
}

void readThrough(Report& report, jet::Database database) {
    report.setSourceOpener(
        [database](const std::string& databasePath,
                   const std::string& queryName) mutable -> std::unique_ptr<RecordSource> {
            // The same server URI is the same database too: reading through the handle keeps
            // the print in the session that prepared its work rows.
            std::error_code ec;
            if (databasePath != database.path() &&
                !std::filesystem::equivalent(filePath(databasePath), database.path(), ec))
                return openStoredQuery(databasePath, queryName);
            try {
                jet::Recordset rows = database.openQuery(queryName);
                return std::make_unique<JetRecordSource>(database, std::move(rows));
            } catch (const jet::Error& e) {
                throw ReportError(e.number(), e.description());
            }
        });
}

} // namespace plat::report
