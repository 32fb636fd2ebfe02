// A forward-only record set over the result of one SELECT: read row after row until end of
// file, read a column's value by name (case-insensitive) or position. While rows remain it holds
// a read lock on the file, which keeps other programs from committing: it is released at end
// of file, by close() or when the record set goes away.
#pragma once

#include "platform/jet/Value.h"

#include <memory>
#include <string>
#include <string_view>

namespace plat::jet {

class Recordset {
public:
    class Impl;
    explicit Recordset(std::shared_ptr<Impl> impl);
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    // True when there is no current row (no rows at all, or moved past the last one).
    bool eof() const;
    void moveNext();

    int fieldCount() const;
    std::string fieldName(int index) const;
    bool hasField(std::string_view name) const;
    // Throws err::ItemNotFound for an unknown name, err::NoCurrentRecord at end of file.
    Value field(std::string_view name) const;
    Value field(int index) const;
    Value operator[](std::string_view name) const { return field(name); }
    Value operator[](int index) const { return field(index); }

    // Releases the statement (and the read lock it holds) before the object goes away.
    void close();

private:
    std::shared_ptr<Impl> impl_;
};

} // namespace plat::jet
