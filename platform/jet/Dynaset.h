// An updatable, scrollable set of rows over a table or an updatable stored query, for the
// bound data control of the master screens: move, add new, edit, update, delete, requery.
#pragma once

#include "platform/jet/Value.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat::jet {

enum class EditMode { None, Edit, AddNew };

// Rows are read when the dynaset opens and on requery(); changes of other users appear after
// requery(). A table's rows come in key order, a stored query's rows in the query's own order.
// A stored query is updated through its INSTEAD OF triggers and names its key column first.
class Dynaset {
public:
    class Impl;
    explicit Dynaset(std::shared_ptr<Impl> impl);
    Dynaset(Dynaset&&) noexcept;
    Dynaset& operator=(Dynaset&&) noexcept;
    ~Dynaset();

    const std::string& source() const;
    std::vector<std::string> fieldNames() const;

    bool bof() const;
    bool eof() const;
    int recordCount() const;
    // Zero-based position of the current row, -1 at BOF/EOF.
    int absolutePosition() const;

    // Moving beyond either end leaves the dynaset at BOF or EOF (no error); moving from BOF or
    // EOF further out raises err::NoCurrentRecord. A pending edit or add new is cancelled.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Makes the row with this key current; false (position unchanged) when it is not there.
    bool moveToKey(const Value& key);

    // Field of the current row, or of the row being edited or added.
    Value field(std::string_view name) const;
    Value operator[](std::string_view name) const { return field(name); }
    // Only between edit()/addNew() and update(); raises err::UpdateWithoutEdit otherwise.
    void setField(std::string_view name, const Value& value);

    EditMode editMode() const;
    // Starts a new row whose fields are all Null (the database fills keys and defaults).
    void addNew();
    void edit();
    // Stores the pending row. A new row is read back (with its assigned key and defaults),
    // appended to the set and made current; its key is then lastModifiedKey().
    void update();
    void cancelUpdate();
    // Deletes the current row; the next row becomes current (the previous one after the last).
    void remove();
    // Reads the rows again and makes the first one current.
    void requery();

    // Key of the row stored by the last update(), Null before any.
    Value lastModifiedKey() const;

private:
    std::shared_ptr<Impl> impl_;
};

} // namespace plat::jet
