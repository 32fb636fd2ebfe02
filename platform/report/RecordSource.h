// The rows a report reads: named columns and rows of values, in the order the source gives
// them. The engine reads them itself once the report has started.
#pragma once

#include "platform/report/Value.h"

#include <string>
#include <string_view>
#include <vector>

namespace plat::report {

class RecordSource {
public:
    virtual ~RecordSource() = default;
    virtual std::vector<std::string> columns() const = 0;
    // Fills row with one value per column; false once there are no more rows.
    virtual bool next(std::vector<Value>& row) = 0;
};

// Rows held in memory, for reports built from data the program already has (and for tests).
class MemoryRecordSource : public RecordSource {
public:
    explicit MemoryRecordSource(std::vector<std::string> columns);
    void addRow(std::vector<Value> row);

    std::vector<std::string> columns() const override { return columns_; }
    bool next(std::vector<Value>& row) override;

private:
    std::vector<std::string> columns_;
    std::vector<std::vector<Value>> rows_;
    std::size_t position_ = 0;
};

// Column names compare as SQL names do: ASCII letters without regard to case.
bool sameColumnName(std::string_view a, std::string_view b);

} // namespace plat::report
