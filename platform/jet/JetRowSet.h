// A table, stored query or SELECT text of a database as the row set a data-bound control fills
// itself from, so a host binds a control to its data without code of its own. Built as its own
// library (plat_jet_rowset) so the database layer itself stays free of the automation layer.
#pragma once

#include "platform/automation/DispatchObject.h"
#include "platform/automation/RowSet.h"
#include "platform/jet/Database.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat::jet {

class JetRowSet final : public automation::DispatchObject, public automation::RowSet {
public:
    // `source`: the name of a table or stored query, or a SELECT text as the screens write it.
    static std::shared_ptr<JetRowSet> create(Database db, std::string source);
    ~JetRowSet() override;

    automation::RowSet* rowSet() override { return this; }

    std::optional<std::vector<automation::RowSetField>> fields() override;
    // Blocks asked for one after the other walk one forward-only record set, so reading every
    // row passes over the result once; a block from any other row opens the result again.
    std::int32_t fetch(std::span<const std::u16string> names, std::int64_t first,
                       std::int32_t count, std::vector<automation::Variant>& out) override;
    void addListener(automation::RowSetListener* listener) override;
    void removeListener(automation::RowSetListener* listener) override;
    bool locate(std::u16string_view field, const automation::Variant& value) override;

    // The current record (0-based): the first until a locate moves it.
    std::int64_t currentRecord() const { return current_; }
    // The host wrote `field` of the current record: the listeners hear of it.
    void fieldChanged(std::u16string_view field);

private:
    JetRowSet(Database db, std::string source);
    Recordset& cursorAt(std::int64_t row);

    Database db_;
    std::string source_;
    std::optional<Recordset> cursor_;
    std::int64_t cursorRow_ = 0; // the row the cursor stands on
    std::int64_t endRow_ = -1;   // the number of rows when the last pass reached the end
    std::int64_t current_ = 0;
    std::vector<automation::RowSetListener*> listeners_;
};

// A database value as an automation value: Null stays Null, dates become serial dates.
automation::Variant toVariant(const Value& v);

} // namespace plat::jet
