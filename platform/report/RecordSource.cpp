// The in-memory record source and column-name matching.
#include "platform/report/RecordSource.h"

#include "platform/report/ReportError.h"

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
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace plat::report
