// Internal: what a forward-only record set is on every engine (its column names and the
// look-up by name), and the stepping and reading each engine does its own way.
#pragma once

#include "platform/jet/Recordset.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat::jet {

class Recordset::Impl {
public:
    virtual ~Impl() = default;
    // Moves to the next row (the first one right after opening); sets atEnd past the last.
    virtual void step() = 0;
    virtual Value read(int index) const = 0;
    // Gives up the rows (and any lock they hold).
    virtual void release() = 0;

    void addColumn(std::string name);
    // Screens read the same fields in the same order on every row: the column after the last
    // one found is tried first, before the name map.
    int indexOf(std::string_view name) const;

    std::vector<std::string> names;
    std::unordered_map<std::string, int> byName; // lower-case name -> column
    std::vector<bool> firstOfName;
    bool atEnd = true;
    mutable int lastFound = -1;
};

} // namespace plat::jet
