// The row-set interface through which a data-bound control fills itself from a data source:
// the names of the source's fields (bookmark columns marked as such), the values of named
// fields fetched in blocks of rows, notifications of changes, and the request to move the
// source to a record. A host hands a row set to a control as an object property; the object
// answers it through Dispatch::rowSet().
#pragma once

#include "platform/automation/Variant.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat::automation {

struct RowSetField {
    std::u16string name;
    bool bookmark = false; // a column that identifies a row rather than holding data
};

// Told of changes of the source.
class RowSetListener {
public:
    virtual ~RowSetListener() = default;
    // The value of field `field` of the source's current record changed.
    virtual void rowSetFieldChanged(std::u16string_view field) = 0;
};

class RowSet {
public:
    virtual ~RowSet() = default;

    // The source's fields in order; nullopt when the source cannot describe them.
    virtual std::optional<std::vector<RowSetField>> fields() = 0;

    // Appends to `out`, row after row, the values of `names` (one value per name, Null for a
    // field without a value) of at most `count` rows starting at row `first` (0-based), and
    // answers how many rows it appended. A short block means there are no more rows. A failure
    // of the source is thrown as an AutomationException.
    virtual std::int32_t fetch(std::span<const std::u16string> names, std::int64_t first,
                               std::int32_t count, std::vector<Variant>& out) = 0;

    // Listeners are told of changes until they are removed; a listener removes itself before
    // it goes away.
    virtual void addListener(RowSetListener* listener) = 0;
    virtual void removeListener(RowSetListener* listener) = 0;

    // Moves the source's current record to the first one whose `field` equals `value`;
    // false when there is none (the current record stays).
    virtual bool locate(std::u16string_view field, const Variant& value) = 0;
};

} // namespace plat::automation
