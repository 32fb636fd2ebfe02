// Forward-only record set: the look-up of columns by name, and the SQLite record set, one
// prepared statement stepped row by row.
#include "platform/jet/Recordset.h"

#include "platform/jet/Columns.h"
#include "platform/jet/Connection.h"
#include "platform/jet/RecordsetImpl.h"
#include "platform/text/Ascii.h"

#include <cctype>
#include <unordered_map>
#include <vector>

namespace plat::jet {

namespace {
using plat::text::asciiLowered;
using plat::text::equalsNoCase;
} // namespace

void Recordset::Impl::addColumn(std::string name) {
    names.push_back(std::move(name));
    // The first of equal names wins.
    firstOfName.push_back(
        byName.emplace(asciiLowered(names.back()), static_cast<int>(names.size()) - 1).second);
}

int Recordset::Impl::indexOf(std::string_view name) const {
    const std::size_t next = static_cast<std::size_t>(lastFound + 1);
    if (next < names.size() && firstOfName[next] && equalsNoCase(names[next], name))
        return lastFound = static_cast<int>(next);
    const auto it = byName.find(asciiLowered(name));
    if (it == byName.end())
        return -1;
    return lastFound = it->second;
}

namespace {

// One prepared SQLite statement stepped row by row.
class SqliteRecordset final : public Recordset::Impl {
public:
    SqliteRecordset(std::shared_ptr<Connection> c, Statement s)
        : conn(std::move(c)), stmt(std::move(s)) {
        sqlite3_stmt* st = stmt.get();
        const int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i) {
            const char* name = sqlite3_column_name(st, i);
            addColumn(name ? name : "");
            kinds.push_back(kindOfDeclaredType(sqlite3_column_decltype(st, i)));
        }
        step();
    }

    void step() override {
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_ROW) {
            atEnd = false;
        } else if (rc == SQLITE_DONE) {
            atEnd = true;
            stmt.release(); // frees the read lock as soon as the rows are exhausted
        } else {
            atEnd = true;
            const Error e = sqliteError(rc, conn->db());
            stmt.release();
            throw e;
        }
    }

    Value read(int index) const override {
        return readColumn(stmt.get(), index, kinds[static_cast<std::size_t>(index)]);
    }

    void release() override { stmt.release(); }

    std::shared_ptr<Connection> conn;
    Statement stmt;
    std::vector<ColumnKind> kinds;
};

} // namespace

Recordset makeRecordset(std::shared_ptr<Connection> conn, Statement stmt) {
    return Recordset(std::make_shared<SqliteRecordset>(std::move(conn), std::move(stmt)));
}

Recordset::Recordset(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::~Recordset() = default;

bool Recordset::eof() const {
    return !impl_ || impl_->atEnd;
}

void Recordset::moveNext() {
    if (eof())
        throw Error(err::NoCurrentRecord);
    impl_->step();
}

int Recordset::fieldCount() const {
    return impl_ ? static_cast<int>(impl_->names.size()) : 0;
}

std::string Recordset::fieldName(int index) const {
    if (index < 0 || index >= fieldCount())
        throw Error(err::ItemNotFound, std::to_string(index));
    return impl_->names[static_cast<std::size_t>(index)];
}

bool Recordset::hasField(std::string_view name) const {
    return impl_ && impl_->indexOf(name) >= 0;
}

Value Recordset::field(std::string_view name) const {
    const int i = impl_ ? impl_->indexOf(name) : -1;
    if (i < 0)
        throw Error(err::ItemNotFound, name);
    return field(i);
}

Value Recordset::field(int index) const {
    if (index < 0 || index >= fieldCount())
        throw Error(err::ItemNotFound, std::to_string(index));
    if (eof())
        throw Error(err::NoCurrentRecord);
    return impl_->read(index);
}

void Recordset::close() {
    if (impl_) {
        impl_->release();
        impl_->atEnd = true;
    }
}

} // namespace plat::jet
