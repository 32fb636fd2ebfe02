// The bound data control: record set, current row, bound widgets and storing on leaving.
#include "platform/widgets/datactl/DBCtl.h"

#include "platform/jet/Error.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/TextBox.h"
#include "platform/widgets/UiFont.h"

#include <QHBoxLayout>
#include <QLabel>

namespace plat::widgets {

using plat::jet::EditMode;
using plat::jet::Value;

namespace {
// The navigation arrows of the control: first, previous, next, last.
constexpr const char* kArrows[] = {"|◀", "◀", "▶", "▶|"};
} // namespace

DBCtl::DBCtl(QWidget* parent) : QWidget(parent) {
    setFont(uiFont());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    captionLabel_ = new QLabel(this);
    captionLabel_->setFrameShape(QFrame::Panel);
    captionLabel_->setFrameShadow(QFrame::Sunken);
    captionLabel_->setMinimumHeight(26);
    captionLabel_->setContentsMargins(6, 0, 6, 0);
    for (int i = 0; i < 4; ++i) {
        auto* b = new CommandButton(QString::fromUtf8(kArrows[i]), this);
        b->setObjectName(QStringLiteral("DBCtlArrow_%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(32);
        connect(b, &QPushButton::clicked, this, [this, i] { navigate(i); });
        if (i == 2)
            layout->addWidget(captionLabel_, 1);
        layout->addWidget(b);
    }
}

DBCtl::~DBCtl() = default;

void DBCtl::setCaption(const QString& caption) {
    caption_ = caption;
    captionLabel_->setText(caption);
}

bool DBCtl::guard(Step step, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const plat::jet::Error& e) {
        emit errorOccurred(step, e.number(), QString::fromStdString(e.description()));
    } catch (const std::exception& e) {
        emit errorOccurred(step, plat::jet::err::EngineError, QString::fromStdString(e.what()));
    }
    return false;
}

bool DBCtl::refresh() {
    if (rs_) {
        if (!updateRecord())
            return false;
        return requery();
    }
    const bool ok = guard(Step::Open, [this] {
        db_ = plat::jet::Database::open(databaseName_.toStdString());
        rs_ = db_->openDynaset(recordSource_.toStdString());
    });
    if (!ok) {
        rs_.reset();
        db_.reset();
    }
    addingNew_ = false;
    readRows();
    afterMove();
    emit rowsReset();
    return ok;
}

void DBCtl::close() {
    rs_.reset();
    db_.reset();
    addingNew_ = false;
    readRows();
    fillBound();
    emit rowsReset();
}

bool DBCtl::bof() const {
    return !rs_ || rs_->bof();
}

bool DBCtl::eof() const {
    return !rs_ || rs_->eof();
}

int DBCtl::recordCount() const {
    return rs_ ? rs_->recordCount() : 0;
}

int DBCtl::currentRow() const {
    return rs_ && !addingNew_ ? rs_->absolutePosition() : -1;
}

bool DBCtl::widgetChanged(const Binding& b) const {
    if (!b.widget)
        return false;
    if (b.numeric)
        return static_cast<NumericBox*>(b.widget.data())->dataChanged();
    return static_cast<TextBox*>(b.widget.data())->dataChanged();
}

Value DBCtl::widgetValue(const Binding& b) const {
    if (b.numeric) {
        const auto* box = static_cast<NumericBox*>(b.widget.data());
        return box->isNull() ? Value() : Value(plat::jet::Currency{box->currency()});
    }
    return Value(static_cast<TextBox*>(b.widget.data())->text().toStdString());
}

bool DBCtl::hasPendingChange() const {
    for (const Binding& b : bindings_)
        if (widgetChanged(b))
            return true;
    return false;
}

bool DBCtl::updateRecord() {
    if (!rs_ || !hasPendingChange())
        return true;
    const bool ok = guard(Step::Store, [this] {
        if (rs_->editMode() == EditMode::None) {
            // Typing with no current row (after the last row was deleted) starts a new one,
            // so nothing typed is lost.
            if (addingNew_ || rs_->bof() || rs_->eof())
                rs_->addNew();
            else
                rs_->edit();
        }
        for (const Binding& b : bindings_)
            if (widgetChanged(b))
                rs_->setField(b.column, widgetValue(b));
        rs_->update();
    });
    if (!ok)
        return false;
    addingNew_ = false;
    readRows();
    emit rowsReset();
    afterMove();
    return true;
}

void DBCtl::cancelUpdate() {
    if (rs_)
        rs_->cancelUpdate();
    addingNew_ = false;
    afterMove();
}

bool DBCtl::storeThenMove(const std::function<void()>& move) {
    if (!rs_ || !updateRecord())
        return false;
    addingNew_ = false;
    const bool ok = guard(Step::Move, move);
    afterMove();
    return ok;
}

bool DBCtl::moveFirst() {
    return storeThenMove([this] { rs_->moveFirst(); });
}

bool DBCtl::moveLast() {
    return storeThenMove([this] { rs_->moveLast(); });
}

bool DBCtl::moveNext() {
    return storeThenMove([this] { rs_->moveNext(); });
}

bool DBCtl::movePrevious() {
    return storeThenMove([this] { rs_->movePrevious(); });
}

bool DBCtl::moveTo(int row) {
    if (row < 0 || row >= recordCount())
        return false;
    return storeThenMove([this, row] {
        rs_->moveFirst();
        for (int i = 0; i < row; ++i)
            rs_->moveNext();
    });
}

bool DBCtl::moveToKey(const Value& key) {
    bool found = false;
    const bool ok = storeThenMove([this, &key, &found] { found = rs_->moveToKey(key); });
    return ok && found;
}

Value DBCtl::lastStoredKey() const {
    return rs_ ? rs_->lastModifiedKey() : Value();
}

bool DBCtl::addNew() {
    if (!rs_ || !updateRecord())
        return false;
    addingNew_ = true;
    afterMove();
    return true;
}

bool DBCtl::deleteCurrent() {
    if (!rs_)
        return false;
    if (addingNew_) {
        rs_->cancelUpdate();
        addingNew_ = false;
        afterMove();
        return true;
    }
    if (currentRow() < 0)
        return false;
    if (!guard(Step::Delete, [this] {
            rs_->cancelUpdate();
            rs_->remove();
        }))
        return false;
    readRows();
    emit rowsReset();
    afterMove();
    return true;
}

bool DBCtl::requery() {
    if (!rs_)
        return false;
    const bool ok = guard(Step::Requery, [this] { rs_->requery(); });
    addingNew_ = false;
    readRows();
    emit rowsReset();
    afterMove();
    return ok;
}

void DBCtl::bind(TextBox* box, const QString& column) {
    bindings_.push_back({box, column.toStdString(), false});
}

void DBCtl::bind(NumericBox* box, const QString& column) {
    bindings_.push_back({box, column.toStdString(), true});
}

Value DBCtl::field(const QString& column) const {
    const int row = currentRow();
    const int col = fieldIndex(column);
    if (row < 0 || col < 0 || row >= rowCount())
        return {};
    return value(row, col);
}

int DBCtl::fieldIndex(const QString& column) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (QString::fromStdString(names_[i]).compare(column, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

const Value& DBCtl::value(int row, int column) const {
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

// Keeps a copy of every row for the grid. The dynaset answers for its current row only, so
// the copy walks it once and puts the position back where it was.
void DBCtl::readRows() {
    rows_.clear();
    names_.clear();
    if (!rs_)
        return;
    names_ = rs_->fieldNames();
    const int count = rs_->recordCount();
    if (count == 0)
        return;
    const int pos = rs_->absolutePosition();
    const bool atBof = pos < 0 && rs_->bof();
    rows_.reserve(static_cast<std::size_t>(count));
    rs_->moveFirst();
    while (!rs_->eof()) {
        std::vector<Value> row;
        row.reserve(names_.size());
        for (const std::string& n : names_)
            row.push_back(rs_->field(n));
        rows_.push_back(std::move(row));
        rs_->moveNext();
    }
    if (pos >= 0) {
        rs_->moveFirst();
        for (int i = 0; i < pos; ++i)
            rs_->moveNext();
    } else if (atBof) {
        rs_->moveFirst();
        rs_->movePrevious();
    }
}

void DBCtl::fillBound() {
    const int row = currentRow();
    for (const Binding& b : bindings_) {
        if (!b.widget)
            continue;
        const int col = fieldIndex(QString::fromStdString(b.column));
        const Value v = row >= 0 && col >= 0 && row < rowCount() ? value(row, col) : Value();
        if (b.numeric) {
            static_cast<NumericBox*>(b.widget.data())
                ->fill(v.isNull() ? std::nullopt
                                  : std::optional<std::int64_t>(v.toCurrency().scaled));
        } else {
            static_cast<TextBox*>(b.widget.data())->fill(QString::fromStdString(v.toText()));
        }
    }
}

void DBCtl::afterMove() {
    fillBound();
    emit currentChanged(currentRow());
}

// The arrows step like the screens' own buttons: at either end they stay on the end row.
void DBCtl::navigate(int which) {
    if (!rs_)
        return;
    switch (which) {
    case 0:
        if (recordCount() > 0)
            moveFirst();
        break;
    case 1:
        if (!updateRecord() || bof())
            break;
        if (movePrevious() && bof())
            moveFirst();
        break;
    case 2:
        if (!updateRecord() || eof())
            break;
        if (moveNext() && eof())
            moveLast();
        break;
    case 3:
        if (recordCount() > 0)
            moveLast();
        break;
    default:
        break;
    }
}

} // namespace plat::widgets
