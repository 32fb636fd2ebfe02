// The bound data control of the master screens: owns a dynaset over a table or an updatable
// stored query of a database file, keeps one row current, moves, adds, deletes, requeries and
// refreshes, fills the widgets bound to columns and stores their changes when the record is
// left. Failures of the database layer never escape: they are reported through
// errorOccurred() and leave the pending change (widget texts and data-changed flags) in place.
#pragma once

#include "platform/jet/Database.h"
#include "platform/jet/Dynaset.h"
#include "platform/jet/Value.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace plat::widgets {

class NumericBox;
class TextBox;

class DBCtl : public QWidget {
    Q_OBJECT
public:
    // The operation a reported error interrupted.
    enum class Step { Open, Store, Move, Delete, Requery };
    Q_ENUM(Step)

    explicit DBCtl(QWidget* parent = nullptr);
    ~DBCtl() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    // Path of the database file and the table or stored query to open; both take effect at
    // the next refresh() while no record set is open.
    QString databaseName() const { return databaseName_; }
    void setDatabaseName(const QString& path) { databaseName_ = path; }
    QString recordSource() const { return recordSource_; }
    void setRecordSource(const QString& source) { recordSource_ = source; }

    // Without an open record set: opens it (first row current). With one: stores the pending
    // change, reads the rows again and makes the first row current. False on a failure.
    bool refresh();
    // Releases the record set and the database file; pending changes are dropped.
    void close();
    bool isOpen() const { return rs_.has_value(); }

    bool bof() const;
    bool eof() const;
    int recordCount() const;
    // Row index of the current stored row; -1 when none (empty set, BOF/EOF, new record).
    int currentRow() const;
    bool isAddingNew() const { return addingNew_; }
    // A bound widget was changed since it was filled from the current record.
    bool hasPendingChange() const;

    // Every move, add and jump first stores the pending change and does nothing when that
    // fails. A new record without a change is dropped by a move. Moving beyond either end
    // leaves the set at BOF/EOF; moving further out is reported as an error.
    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool moveTo(int row);
    // Blanks the bound widgets for a new record, which is stored when it is left changed.
    bool addNew();
    // Deletes the current stored row (its pending change is dropped); on a new, unstored
    // record only that record is dropped. The next row becomes current.
    bool deleteCurrent();
    // Reads the rows again, first row current; a pending change is dropped.
    bool requery();
    // Stores the pending change into the current row, or as a new row; true when nothing was
    // pending. A new row stays current after it is stored.
    bool updateRecord();
    // Drops the pending change and fills the bound widgets from the current row again.
    void cancelUpdate();
    // Makes the row with this key current (after storing the pending change); false when the
    // row is not in the set.
    bool moveToKey(const plat::jet::Value& key);
    // Key of the row stored last (Null before any): the identifier the database gave a new row.
    plat::jet::Value lastStoredKey() const;

    void bind(TextBox* box, const QString& column);
    void bind(NumericBox* box, const QString& column);

    // Value of the current stored row (Null without one).
    plat::jet::Value field(const QString& column) const;
    // The rows as last read, for the grid.
    const std::vector<std::string>& fieldNames() const { return names_; }
    int fieldIndex(const QString& column) const;
    int rowCount() const { return static_cast<int>(rows_.size()); }
    const plat::jet::Value& value(int row, int column) const;

signals:
    // The rows were read again, or a row was added, changed or deleted.
    void rowsReset();
    // The current row changed (row as currentRow()); the bound widgets are filled.
    void currentChanged(int row);
    void errorOccurred(plat::widgets::DBCtl::Step step, int number, const QString& description);

private:
    struct Binding {
        QPointer<QWidget> widget;
        std::string column;
        bool numeric = false;
    };

    bool guard(Step step, const std::function<void()>& action);
    bool storeThenMove(const std::function<void()>& move);
    void readRows();
    void fillBound();
    void afterMove();
    bool widgetChanged(const Binding& b) const;
    plat::jet::Value widgetValue(const Binding& b) const;
    void navigate(int which);

    QString caption_;
    QString databaseName_;
    QString recordSource_;
    QLabel* captionLabel_;
    std::optional<plat::jet::Database> db_;
    std::optional<plat::jet::Dynaset> rs_;
    std::vector<Binding> bindings_;
    std::vector<std::string> names_;
    std::vector<std::vector<plat::jet::Value>> rows_;
    bool addingNew_ = false;
};

} // namespace plat::widgets
