// Internal: the state and logic a dynaset has on every engine (rows in memory with their keys,
// the position, the edit buffer), and the few reads and writes each engine does its own way.
#pragma once

#include "platform/jet/Dynaset.h"
#include "platform/jet/Value.h"

#include <string>
#include <vector>

namespace plat::jet {

struct DynasetRow {
    Value key;
    std::vector<Value> values;
};

class Dynaset::Impl {
public:
    virtual ~Impl() = default;

    // Every row of the source in its order (tables in key order).
    virtual std::vector<DynasetRow> readAll() = 0;
    // The row with this key as the source shows it now, if it is still there.
    virtual bool readRow(const Value& key, DynasetRow& out) = 0;
    // Writes the given columns of the row with this key; false when no row has the key. An
    // engine whose row keys change with an update hands the new key back in `key`.
    virtual bool updateRow(Value& key, const std::vector<std::size_t>& columns,
                           const std::vector<Value>& values) = 0;
    // Inserts a row with the given columns (the database fills the others) and returns its key;
    // the insert and the read of the key are one unit.
    virtual Value insertRow(const std::vector<std::size_t>& columns,
                            const std::vector<Value>& values) = 0;
    virtual void deleteRow(const Value& key) = 0;
    // Coerces a value set into a column to what the column stores.
    virtual Value coerceFor(std::size_t column, const Value& value) const = 0;

    void load();
    int indexOf(std::string_view name) const;
    bool hasCurrent() const { return pos >= 0 && pos < static_cast<int>(rows.size()); }
    void requireCurrent() const;
    void storeEdit();
    void storeNew();

    std::string source;
    bool isView = false;
    bool appendOnly = false;
    std::vector<std::string> names;
    std::vector<DynasetRow> rows;
    int pos = 0; // -1 = BOF, rows.size() = EOF
    EditMode mode = EditMode::None;
    std::vector<Value> buffer;
    std::vector<bool> changed;
    Value lastKey;
};

} // namespace plat::jet
