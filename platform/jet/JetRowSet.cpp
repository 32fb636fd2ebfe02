// A table, stored query or SELECT text of a database as a row set for data-bound controls.
#include "platform/jet/JetRowSet.h"

#include "platform/automation/Unicode.h"

#include <algorithm>
#include <limits>

namespace plat::jet {

namespace au = plat::automation;

namespace {

// Runs `body`, turning a database error into the automation error the control reports.
template <class F> auto guarded(F&& body) {
    try {
        return body();
    } catch (const Error& e) {
        au::raise(au::AutomationError::fromNumber(e.number(), e.description()));
    }
}

} // namespace

au::Variant toVariant(const Value& v) {
    switch (v.type()) {
    case ValueType::Null:
        return au::Variant::null();
    case ValueType::Long: {
        const std::int64_t n = v.toLong();
        if (n >= std::numeric_limits<std::int32_t>::min() &&
            n <= std::numeric_limits<std::int32_t>::max()) {
            return au::Variant(static_cast<std::int32_t>(n));
        }
        return au::Variant(static_cast<double>(n));
    }
    case ValueType::Double:
        return au::Variant(v.toDouble());
    case ValueType::Currency:
        return au::Variant(au::Currency{v.toCurrency().scaled});
    case ValueType::Date:
        return au::Variant(au::Date{plat::text::toSerial(v.toDate())});
    case ValueType::Text:
        return au::Variant::fromUtf8(v.toText());
    }
    return au::Variant::null();
}

std::shared_ptr<JetRowSet> JetRowSet::create(Database db, std::string source) {
    return std::shared_ptr<JetRowSet>(new JetRowSet(std::move(db), std::move(source)));
}

JetRowSet::JetRowSet(Database db, std::string source)
    : DispatchObject(u"IRowCursor"), db_(std::move(db)), source_(std::move(source)) {}

JetRowSet::~JetRowSet() = default;

std::optional<std::vector<au::RowSetField>> JetRowSet::fields() {
    try {
        Recordset rs = db_.openRecordset(source_);
        std::vector<au::RowSetField> out;
        for (int i = 0; i < rs.fieldCount(); ++i) {
            out.push_back(au::RowSetField{au::toUtf16(rs.fieldName(i)), false});
        }
        return out;
    } catch (const Error&) {
        // A source that cannot be opened has no fields to describe.
        return std::nullopt;
    }
}

Recordset& JetRowSet::cursorAt(std::int64_t row) {
    if (!cursor_ || row < cursorRow_) {
        endRow_ = -1;
        cursor_.reset();
        cursor_.emplace(db_.openRecordset(source_));
        cursorRow_ = 0;
    }
    while (cursorRow_ < row && !cursor_->eof()) {
        cursor_->moveNext();
        ++cursorRow_;
    }
    return *cursor_;
}

std::int32_t JetRowSet::fetch(std::span<const std::u16string> names, std::int64_t first,
                              std::int32_t count, std::vector<au::Variant>& out) {
    if (!cursor_ && endRow_ >= 0 && first >= endRow_ && first > 0) {
        // The block after the last one of a pass: nothing more, without reading the rows again.
        return std::int32_t{0};
    }
    return guarded([&] {
        Recordset& rs = cursorAt(first);
        std::vector<int> columns;
        for (const std::u16string& name : names) {
            const std::string utf8 = au::toUtf8(name);
            int found = -1;
            for (int i = 0; i < rs.fieldCount() && found < 0; ++i) {
                if (au::foldAsciiLower(au::toUtf16(rs.fieldName(i))) == au::foldAsciiLower(name)) {
                    found = i;
                }
            }
            if (found < 0) {
                throw Error(err::ItemNotFound, utf8);
            }
            columns.push_back(found);
        }
        std::int32_t rows = 0;
        while (rows < count && !rs.eof()) {
            for (const int c : columns) {
                out.push_back(toVariant(rs.field(c)));
            }
            rs.moveNext();
            ++cursorRow_;
            ++rows;
        }
        if (rs.eof()) {
            // The read lock goes with the last row.
            endRow_ = cursorRow_;
            cursor_.reset();
        }
        return rows;
    });
}

void JetRowSet::addListener(au::RowSetListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void JetRowSet::removeListener(au::RowSetListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

bool JetRowSet::locate(std::u16string_view field, const au::Variant& value) {
    if (value.isNull() || value.isEmpty()) {
        return false;
    }
    au::Variant wanted;
    if (au::failed(value.tryConvert(au::VarType::String, wanted))) {
        return false;
    }
    const std::string text = au::toUtf8(wanted.asString());
    return guarded([&] {
        Recordset rs = db_.openRecordset(source_);
        const std::string name = au::toUtf8(field);
        if (!rs.hasField(name)) {
            return false;
        }
        for (std::int64_t row = 0; !rs.eof(); rs.moveNext(), ++row) {
            const Value v = rs.field(name);
            if (!v.isNull() && v.toText() == text) {
                current_ = row;
                return true;
            }
        }
        return false;
    });
}

void JetRowSet::fieldChanged(std::u16string_view field) {
    // A listener may remove itself while it is told.
    const std::vector<au::RowSetListener*> listeners = listeners_;
    for (au::RowSetListener* l : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) {
            l->rowSetFieldChanged(field);
        }
    }
}

} // namespace plat::jet
