// Updatable dynaset: the rows of a table or stored query held in memory with their keys;
// changes are written through at once with UPDATE, INSERT and DELETE on the source.
#include "platform/jet/Dynaset.h"

#include "platform/jet/Columns.h"
#include "platform/jet/Connection.h"
#include "platform/jet/DynasetImpl.h"
#include "platform/jet/Engine.h"
#include "platform/text/Ascii.h"

#include <cctype>

namespace plat::jet {

namespace {

bool sameKey(const Value& a, const Value& b) {
    return !a.isNull() && !b.isNull() && a.toText() == b.toText();
}

} // namespace

void Dynaset::Impl::load() {
    rows.clear();
    mode = EditMode::None;
    if (!appendOnly)
        rows = readAll();
    pos = 0;
}

int Dynaset::Impl::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (plat::text::equalsNoCase(names[i], name))
            return static_cast<int>(i);
    return -1;
}

void Dynaset::Impl::requireCurrent() const {
    if (!hasCurrent())
        throw Error(err::NoCurrentRecord);
}

void Dynaset::Impl::storeEdit() {
    std::vector<std::size_t> cols;
    std::vector<Value> args;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (changed[i]) {
            cols.push_back(i);
            args.push_back(buffer[i]);
        }
    }
    Value key = rows[static_cast<std::size_t>(pos)].key;
    if (!cols.empty() && !updateRow(key, cols, args) && !isView)
        throw Error(err::RecordDeleted, source);
    DynasetRow fresh;
    if (readRow(key, fresh))
        rows[static_cast<std::size_t>(pos)] = std::move(fresh);
    lastKey = key;
}

void Dynaset::Impl::storeNew() {
    std::vector<std::size_t> cols;
    std::vector<Value> args;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (changed[i]) {
            cols.push_back(i);
            args.push_back(buffer[i]);
        }
    }
    const Value key = insertRow(cols, args);
    lastKey = key;
    if (appendOnly)
        return;
    DynasetRow fresh;
    if (readRow(key, fresh)) {
        rows.push_back(std::move(fresh));
        pos = static_cast<int>(rows.size()) - 1;
    }
}

namespace {

// A table (by rowid) or a view updated through its INSTEAD OF triggers, on SQLite.
class SqliteDynaset final : public Dynaset::Impl {
public:
    SqliteDynaset(std::shared_ptr<Connection> c, std::string_view src, bool appendOnlyRows)
        : conn(std::move(c)) {
        appendOnly = appendOnlyRows;
        Statement st = conn->prepareNative(
            "SELECT name, type FROM sqlite_master WHERE type IN ('table','view') AND "
            "name=?1 COLLATE NOCASE");
        sqlite3_bind_text(st.get(), 1, src.data(), static_cast<int>(src.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(st.get());
        if (rc != SQLITE_ROW) {
            if (rc != SQLITE_DONE)
                conn->raise(rc);
            throw Error(err::TableNotFound, src);
        }
        source = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0));
        isView = std::string_view(
                     reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 1))) == "view";
        st.release();
        quoted = quoteName(source);
        // Column names and kinds from the source's own result columns.
        Statement cols = conn->prepareNative("SELECT * FROM " + quoted + " LIMIT 0");
        const int n = sqlite3_column_count(cols.get());
        for (int i = 0; i < n; ++i) {
            names.emplace_back(sqlite3_column_name(cols.get(), i));
            kinds.push_back(kindOfDeclaredType(sqlite3_column_decltype(cols.get(), i)));
        }
        if (isView && names.empty())
            throw Error(err::ReadOnly, source);
        keyCondition = isView ? quoteName(names[0]) + "=?" : std::string("rowid=?");
        load();
    }

    std::vector<DynasetRow> readAll() override {
        std::vector<DynasetRow> all;
        const std::string sql = isView ? "SELECT * FROM " + quoted
                                       : "SELECT rowid, * FROM " + quoted + " ORDER BY rowid";
        Statement st = conn->prepareNative(sql);
        int rc;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
            all.push_back(readStatementRow(st.get()));
        if (rc != SQLITE_DONE)
            conn->raise(rc);
        return all;
    }

    DynasetRow readStatementRow(sqlite3_stmt* st) const {
        DynasetRow r;
        const int off = isView ? 0 : 1;
        for (std::size_t i = 0; i < names.size(); ++i)
            r.values.push_back(readColumn(st, static_cast<int>(i) + off, kinds[i]));
        r.key =
            isView ? r.values[0] : Value(static_cast<std::int64_t>(sqlite3_column_int64(st, 0)));
        return r;
    }

    bool readRow(const Value& key, DynasetRow& out) override {
        const std::string sql = isView ? "SELECT * FROM " + quoted + " WHERE " + keyCondition
                                       : "SELECT rowid, * FROM " + quoted + " WHERE rowid=?";
        Statement st = conn->prepareNative(sql);
        bindValue(st.get(), 1, key);
        const int rc = sqlite3_step(st.get());
        if (rc == SQLITE_ROW) {
            out = readStatementRow(st.get());
            return true;
        }
        if (rc != SQLITE_DONE)
            conn->raise(rc);
        return false;
    }

    void step(const Statement& st) {
        const int rc = sqlite3_step(st.get());
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            conn->raise(rc);
    }

    bool updateRow(Value& key, const std::vector<std::size_t>& columns,
                   const std::vector<Value>& values) override {
        std::string sql = "UPDATE " + quoted + " SET ";
        for (std::size_t i = 0; i < columns.size(); ++i)
            sql += (i ? "," : "") + quoteName(names[columns[i]]) + "=?";
        sql += " WHERE " + keyCondition;
        Statement st = conn->prepareNative(sql);
        int n = 1;
        for (const auto& a : values)
            bindValue(st.get(), n++, a);
        bindValue(st.get(), n, key);
        step(st);
        return sqlite3_changes(conn->db()) != 0;
    }

    Value insertRow(const std::vector<std::size_t>& columns,
                    const std::vector<Value>& values) override {
        std::string cols, marks;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            cols += (i ? "," : "") + quoteName(names[columns[i]]);
            marks += i ? ",?" : "?";
        }
        std::string sql;
        if (!columns.empty())
            sql = "INSERT INTO " + quoted + " (" + cols + ") VALUES (" + marks + ")";
        else if (isView)
            sql = "INSERT INTO " + quoted + " (" + quoteName(names[0]) + ") VALUES (NULL)";
        else
            sql = "INSERT INTO " + quoted + " DEFAULT VALUES";
        // The insert and the read of the key it got form one unit, so no other writer's row
        // can come between them.
        conn->exec("SAVEPOINT jet_add");
        Value key;
        try {
            Statement st = conn->prepareNative(sql);
            int n = 1;
            for (const auto& a : values)
                bindValue(st.get(), n++, a);
            step(st);
            st.release();
            if (isView) {
                // An updatable stored query assigns keys through its base table, which hands
                // out ever larger keys: the new row has the largest one.
                Statement mx =
                    conn->prepareNative("SELECT max(" + quoteName(names[0]) + ") FROM " + quoted);
                if (sqlite3_step(mx.get()) == SQLITE_ROW)
                    key = readColumn(mx.get(), 0, ColumnKind::Any);
            } else {
                key = Value(static_cast<std::int64_t>(sqlite3_last_insert_rowid(conn->db())));
            }
            conn->exec("RELEASE jet_add");
        } catch (...) {
            sqlite3_exec(conn->db(), "ROLLBACK TO jet_add; RELEASE jet_add", nullptr, nullptr,
                         nullptr);
            throw;
        }
        return key;
    }

    void deleteRow(const Value& key) override {
        Statement st = conn->prepareNative("DELETE FROM " + quoted + " WHERE " + keyCondition);
        bindValue(st.get(), 1, key);
        step(st);
    }

    Value coerceFor(std::size_t column, const Value& value) const override {
        return coerce(kinds[column], value);
    }

    std::shared_ptr<Connection> conn;
    std::string quoted;
    std::string keyCondition;
    std::vector<ColumnKind> kinds;
};

} // namespace

Dynaset makeDynaset(std::shared_ptr<Connection> conn, std::string_view source, bool appendOnly) {
    return Dynaset(std::make_shared<SqliteDynaset>(std::move(conn), source, appendOnly));
}

Dynaset::Dynaset(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}
Dynaset::Dynaset(Dynaset&&) noexcept = default;
Dynaset& Dynaset::operator=(Dynaset&&) noexcept = default;
Dynaset::~Dynaset() = default;

const std::string& Dynaset::source() const {
    return impl_->source;
}

std::vector<std::string> Dynaset::fieldNames() const {
    return impl_->names;
}

bool Dynaset::bof() const {
    return impl_->rows.empty() || impl_->pos < 0;
}

bool Dynaset::eof() const {
    return impl_->rows.empty() || impl_->pos >= static_cast<int>(impl_->rows.size());
}

int Dynaset::recordCount() const {
    return static_cast<int>(impl_->rows.size());
}

int Dynaset::absolutePosition() const {
    return impl_->hasCurrent() ? impl_->pos : -1;
}

void Dynaset::moveFirst() {
    impl_->mode = EditMode::None;
    impl_->pos = 0;
}

void Dynaset::moveLast() {
    impl_->mode = EditMode::None;
    impl_->pos = impl_->rows.empty() ? 0 : static_cast<int>(impl_->rows.size()) - 1;
}

void Dynaset::moveNext() {
    if (eof())
        throw Error(err::NoCurrentRecord);
    impl_->mode = EditMode::None;
    ++impl_->pos;
}

void Dynaset::movePrevious() {
    if (bof())
        throw Error(err::NoCurrentRecord);
    impl_->mode = EditMode::None;
    --impl_->pos;
}

bool Dynaset::moveToKey(const Value& key) {
    for (std::size_t i = 0; i < impl_->rows.size(); ++i) {
        if (sameKey(impl_->rows[i].key, key)) {
            impl_->mode = EditMode::None;
            impl_->pos = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

Value Dynaset::field(std::string_view name) const {
    const int i = impl_->indexOf(name);
    if (i < 0)
        throw Error(err::ItemNotFound, name);
    if (impl_->mode != EditMode::None)
        return impl_->buffer[static_cast<std::size_t>(i)];
    impl_->requireCurrent();
    return impl_->rows[static_cast<std::size_t>(impl_->pos)].values[static_cast<std::size_t>(i)];
}

void Dynaset::setField(std::string_view name, const Value& value) {
    const int i = impl_->indexOf(name);
    if (i < 0)
        throw Error(err::ItemNotFound, name);
    if (impl_->mode == EditMode::None)
        throw Error(err::UpdateWithoutEdit);
    const auto k = static_cast<std::size_t>(i);
    impl_->buffer[k] = impl_->coerceFor(k, value);
    impl_->changed[k] = true;
}

EditMode Dynaset::editMode() const {
    return impl_->mode;
}

void Dynaset::addNew() {
    impl_->buffer.assign(impl_->names.size(), Value());
    impl_->changed.assign(impl_->names.size(), false);
    impl_->mode = EditMode::AddNew;
}

void Dynaset::edit() {
    impl_->requireCurrent();
    impl_->buffer = impl_->rows[static_cast<std::size_t>(impl_->pos)].values;
    impl_->changed.assign(impl_->names.size(), false);
    impl_->mode = EditMode::Edit;
}

void Dynaset::update() {
    switch (impl_->mode) {
    case EditMode::None:
        throw Error(err::UpdateWithoutEdit);
    case EditMode::Edit:
        impl_->storeEdit();
        break;
    case EditMode::AddNew:
        impl_->storeNew();
        break;
    }
    impl_->mode = EditMode::None;
}

void Dynaset::cancelUpdate() {
    impl_->mode = EditMode::None;
}

void Dynaset::remove() {
    impl_->requireCurrent();
    impl_->mode = EditMode::None;
    auto& rows = impl_->rows;
    const auto at = static_cast<std::size_t>(impl_->pos);
    impl_->deleteRow(rows[at].key);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(at));
    if (impl_->pos >= static_cast<int>(rows.size()) && !rows.empty())
        impl_->pos = static_cast<int>(rows.size()) - 1;
}

void Dynaset::requery() {
    impl_->load();
}

Value Dynaset::lastModifiedKey() const {
    return impl_->lastKey;
}

} // namespace plat::jet
