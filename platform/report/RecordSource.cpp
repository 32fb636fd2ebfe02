// The in-memory record source and column-name matching.
#include "platform/report/RecordSource.h"

#include "platform/report/ReportError.h"
#include "platform/text/Ascii.h"

namespace plat::report {

MemoryRecordSource::MemoryRecordSource(std::vector<std::string> columns)
    : columns_(std::move(columns)) {}

void MemoryRecordSource::addRow(std::vector<Value> row) {
    if (row.size() != columns_.size())
        throw ReportError(ErrorCode::BadLayout);
    rows_.push_back(std::move(row));
}

bool MemoryRecordSource::next(std::vector<Value>& row) {
    if (position_ >= rows_.size())
        return false;
    row = rows_[position_++];
    return true;
}

bool sameColumnName(std::string_view a, std::string_view b) {
    return plat::text::equalsNoCase(a, b);
}

} // namespace plat::report
