// The slip grid widget: forwards painting to paintSlipGrid, turns keys and clicks into cell
// moves and edits, and reports values through the notifications the screens handle.
#include "platform/widgets/slipgrid/SlipGrid.h"

#include "platform/widgets/slipgrid/SlipKeys.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <stdexcept>
#include <string>

namespace plat::widgets {

SlipGrid::SlipGrid(QWidget* parent) : SlipGrid(SlipGridLayout{}, parent) {}

SlipGrid::SlipGrid(SlipGridLayout layout, QWidget* parent) : QAbstractScrollArea(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("IPAPGothic"));
    f.setPointSize(9);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setGridLayout(std::move(layout));
}

SlipGrid::~SlipGrid() = default;

void SlipGrid::setGridLayout(SlipGridLayout layout) {
    auto model = std::make_unique<SlipGridModel>(std::move(layout));
    geometry_ = std::make_unique<SlipGridGeometry>(model->layout());
    model_ = std::move(model);
    edit_.cancel();
    followInputMethod();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    updateGeometry();
    refresh();
}

SlipView SlipGrid::view() const {
    SlipView v;
    v.hOffset = horizontalScrollBar()->value();
    v.topRow = verticalScrollBar()->value();
    v.viewport = viewportSize_;
    v.rowCount = model_->rowCount();
    return v;
}

void SlipGrid::refresh() {
    updateScrollBars();
    viewport()->update();
}

// The bars are worked out from the largest viewport, so a grid sized to show everything gets
// no bars, and one that needs a bar in one direction loses room for the other.
void SlipGrid::updateScrollBars() {
    const QSize full = maximumViewportSize();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int rows = model_->rowCount();
    auto rowsFit = [&](int height) { return geometry_->rowsThatFit(height) >= rows; };
    bool needH = geometry_->contentWidth() > full.width();
    bool needV = !rowsFit(full.height() - (needH ? barHeight : 0));
    if (needV && !needH)
        needH = geometry_->contentWidth() > full.width() - barWidth;
    needV = !rowsFit(full.height() - (needH ? barHeight : 0));

    // The scroll area shows or hides its bars on a queued call; until then the viewport has
    // its old size, so the grid keeps the size it is about to have.
    viewportSize_ =
        QSize(full.width() - (needV ? barWidth : 0), full.height() - (needH ? barHeight : 0));
    const SlipView v = view();
    const int fit = std::max(1, geometry_->rowsThatFit(v.viewport.height()));
    verticalScrollBar()->setRange(0, needV ? geometry_->maxTopRow(v) : 0);
    verticalScrollBar()->setPageStep(fit);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, needH ? geometry_->maxHOffset(v.viewport.width()) : 0);
    horizontalScrollBar()->setPageStep(std::max(1, v.viewport.width() - geometry_->frozenWidth()));
    horizontalScrollBar()->setSingleStep(20);
}

int SlipGrid::fieldColumn(const QString& field) const {
    const int c = model_->columnIndex(field);
    if (c < 0)
        throw std::out_of_range("slip grid: no row field " + field.toStdString());
    return c;
}

int SlipGrid::areaCellIndex(const QString& field) const {
    const int i = model_->areaIndex(field);
    if (i < 0)
        throw std::out_of_range("slip grid: no heading or totals field " + field.toStdString());
    return i;
}

// Number cells take keys straight, without the input method composing full-width digits;
// text cells open to it.
void SlipGrid::followInputMethod() {
    const int row = model_->currentRow();
    const int column = model_->currentColumn();
    const bool text = row >= 0 && model_->columnCount() > 0 &&
                      model_->column(column).kind == SlipKind::Text &&
                      model_->isEditable(row, column);
    if (testAttribute(Qt::WA_InputMethodEnabled) == text)
        return;
    setAttribute(Qt::WA_InputMethodEnabled, text);
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

// Only the cell that changed is painted again: typing and the totals a screen rewrites on
// every change stay cheap.
void SlipGrid::repaintCell(int row, int column) {
    viewport()->update(geometry_->rowCellRect(row, column, view()));
}

void SlipGrid::repaintCurrent() {
    if (model_->currentRow() >= 0)
        repaintCell(model_->currentRow(), model_->currentColumn());
}

void SlipGrid::repaintArea(int i) {
    viewport()->update(
        geometry_->areaCellRect(model_->areaCell(i), model_->isHeadingCell(i), view()));
}

// Rows --------------------------------------------------------------------------------------

void SlipGrid::appendRow() {
    model_->appendRow();
    followInputMethod();
    updateGeometry();
    refresh();
}

void SlipGrid::removeAllRows() {
    edit_.cancel();
    model_->removeAllRows();
    followInputMethod();
    verticalScrollBar()->setValue(0);
    updateGeometry();
    refresh();
}

void SlipGrid::clearRow(int row) {
    if (row == model_->currentRow())
        edit_.cancel();
    if (row < 0 || row >= model_->rowCount())
        throw std::out_of_range("slip grid: no row " + std::to_string(row));
    // A change handler may remove the rows underneath; stop clearing then.
    for (int c = 0; c < model_->columnCount() && row < model_->rowCount(); ++c)
        storeValue(row, c, SlipValue::empty());
}

void SlipGrid::clearAllRows() {
    for (int r = 0; r < model_->rowCount(); ++r)
        clearRow(r);
}

SlipValue SlipGrid::value(int row, const QString& field) const {
    return model_->value(row, fieldColumn(field));
}

double SlipGrid::number(int row, const QString& field) const {
    return value(row, field).toNumber();
}

QString SlipGrid::displayText(int row, const QString& field) const {
    return model_->displayText(row, fieldColumn(field));
}

void SlipGrid::setValue(int row, const QString& field, const SlipValue& v) {
    const int c = fieldColumn(field);
    if (row == model_->currentRow() && c == model_->currentColumn())
        edit_.cancel();
    storeValue(row, c, v);
}

void SlipGrid::storeValue(int row, int column, const SlipValue& v) {
    if (!model_->setValue(row, column, v))
        return;
    repaintCell(row, column);
    emit valueChanged(row, fieldName(column));
}

bool SlipGrid::isFieldEnabled(int row, const QString& field) const {
    return model_->isEnabled(row, fieldColumn(field));
}

void SlipGrid::setFieldEnabled(int row, const QString& field, bool on) {
    const int c = fieldColumn(field);
    if (!on && row == model_->currentRow() && c == model_->currentColumn())
        edit_.cancel();
    model_->setEnabled(row, c, on);
    followInputMethod();
    repaintCell(row, c);
}

// Current cell ------------------------------------------------------------------------------

QString SlipGrid::currentField() const {
    if (model_->columnCount() == 0)
        return QString();
    return fieldName(model_->currentColumn());
}

void SlipGrid::setCurrentCell(int row, const QString& field) {
    const int c = fieldColumn(field);
    if (row == model_->currentRow() && c == model_->currentColumn())
        return;
    edit_.cancel();
    typingBeeped_ = false;
    model_->setCurrent(row, c);
    followInputMethod();
    reveal(SlipCell{row, c});
    viewport()->update();
    emit currentCellChanged(row, field);
}

void SlipGrid::setCurrentRow(int row) {
    setCurrentCell(row, currentField());
}

void SlipGrid::setCurrentField(const QString& field) {
    setCurrentCell(model_->currentRow(), field);
}

// Heading and totals ------------------------------------------------------------------------

void SlipGrid::setHeadingText(const QString& field, const QString& text) {
    const int i = areaCellIndex(field);
    model_->setAreaValue(i, SlipValue::text(text));
    repaintArea(i);
}

QString SlipGrid::headingText(const QString& field) const {
    return model_->areaDisplayText(areaCellIndex(field));
}

void SlipGrid::setHeadingColor(const QString& field, const QColor& colour) {
    const int i = areaCellIndex(field);
    model_->setAreaColor(i, colour);
    repaintArea(i);
}

QColor SlipGrid::headingColor(const QString& field) const {
    return model_->areaColor(areaCellIndex(field));
}

void SlipGrid::setTotal(const QString& field, double v) {
    const int i = areaCellIndex(field);
    model_->setAreaValue(i, SlipValue::number(v));
    repaintArea(i);
}

void SlipGrid::blankTotal(const QString& field) {
    const int i = areaCellIndex(field);
    model_->setAreaValue(i, SlipValue::empty());
    repaintArea(i);
}

SlipValue SlipGrid::total(const QString& field) const {
    return model_->areaValue(areaCellIndex(field));
}

QString SlipGrid::areaDisplayText(const QString& field) const {
    return model_->areaDisplayText(areaCellIndex(field));
}

// Editing -----------------------------------------------------------------------------------

bool SlipGrid::commitValue(int row, int column, SlipValue v) {
    typingBeeped_ = false;
    const QString field = fieldName(column);
    emit committing(row, field, v);
    bool refuse = false;
    emit validating(row, field, v, refuse);
    if (!refuse) {
        try {
            v = model_->normalized(column, v);
        } catch (const std::invalid_argument&) {
            refuse = true; // the committing handler put a text that is no number
        }
    }
    if (refuse) {
        QApplication::beep();
        repaintCell(row, column);
        return false;
    }
    storeValue(row, column, v);
    return true;
}

bool SlipGrid::commitEdit() {
    if (!edit_.isActive())
        return true;
    const QString typedText = edit_.text();
    const SlipValue typed = edit_.finish();
    repaintCurrent();
    const int row = model_->currentRow();
    if (row < 0)
        return true;
    const int column = model_->currentColumn();
    if (commitValue(row, column, typed))
        return true;
    // The refused text stays in the open entry, to be corrected rather than typed again.
    if (keepsRefusedEntry_ && model_->currentRow() == row && model_->currentColumn() == column) {
        edit_.begin(model_->column(column).kind, typedText);
        repaintCurrent();
    }
    return false;
}

void SlipGrid::cancelEdit() {
    edit_.cancel();
    repaintCurrent();
}

void SlipGrid::beginEdit(const QString& initial) {
    const int column = model_->currentColumn();
    edit_.begin(model_->column(column).kind, QString());
    edit_.type(initial);
    repaintCurrent();
    emit editingStarted(model_->currentRow(), fieldName(column));
}

void SlipGrid::typeText(const QString& text) {
    const int row = model_->currentRow();
    if (row < 0 || !model_->isEditable(row, model_->currentColumn()))
        return;
    bool refused = false;
    // Typing into a cell that is not being entered replaces its value.
    if (!edit_.isActive()) {
        SlipEditBuffer probe;
        probe.begin(model_->column(model_->currentColumn()).kind, QString());
        if (!probe.type(text, &refused)) {
            if (refused)
                refuseTyping();
            return;
        }
        beginEdit(QString());
        typingBeeped_ = false;
    }
    edit_.type(text, &refused);
    if (refused)
        refuseTyping();
    repaintCurrent();
}

void SlipGrid::refuseTyping() {
    if (!typingBeeped_)
        QApplication::beep();
    typingBeeped_ = true;
    emit typingRefused(model_->currentRow(), fieldName(model_->currentColumn()));
}

bool SlipGrid::moveTo(SlipCell cell) {
    if (!commitEdit())
        return false;
    if (cell.row < 0 || cell.row >= model_->rowCount())
        return false;
    setCurrentCell(cell.row, fieldName(cell.column));
    return true;
}

bool SlipGrid::move(SlipMove m, int times) {
    if (!commitEdit())
        return false;
    // The change handler may have removed rows.
    if (model_->currentRow() < 0 || model_->currentRow() >= model_->rowCount())
        return false;
    SlipCell at{model_->currentRow(), model_->currentColumn()};
    std::optional<SlipCell> to;
    for (int i = 0; i < times; ++i) {
        std::optional<SlipCell> next = model_->step(at, m);
        if (!next)
            break;
        at = *next;
        to = next;
    }
    return to && moveTo(*to);
}

// Events ------------------------------------------------------------------------------------

void SlipGrid::keyPressEvent(QKeyEvent* e) {
    const int pressed = virtualKeyCode(e->key(), e->modifiers());
    int code = pressed;
    emit keyDown(code, shiftState(e->modifiers()));
    if (pressed != 0 && code == 0) {
        e->accept(); // the screen swallowed the key
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        copyCurrent();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        pasteIntoCurrent();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        if (!edit_.isActive()) {
            e->ignore();
            return;
        }
        cancelEdit();
    } else if (!moveByKey(e->key(), e->modifiers().testFlag(Qt::ShiftModifier)) &&
               !editByKey(e->key())) {
        if (e->text().isEmpty() ||
            e->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)) {
            QAbstractScrollArea::keyPressEvent(e);
            return;
        }
        typeText(e->text());
    }
    e->accept();
}

bool SlipGrid::moveByKey(int key, bool shift) {
    switch (key) {
    case Qt::Key_Left:
        move(SlipMove::Left);
        return true;
    case Qt::Key_Right:
        move(SlipMove::Right);
        return true;
    case Qt::Key_Up:
        move(SlipMove::Up);
        return true;
    case Qt::Key_Down:
        move(SlipMove::Down);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        move(shift ? SlipMove::Previous : SlipMove::Next);
        return true;
    case Qt::Key_Home:
        move(SlipMove::RowStart);
        return true;
    case Qt::Key_End:
        move(SlipMove::RowEnd);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        move(key == Qt::Key_PageUp ? SlipMove::Up : SlipMove::Down,
             std::max(1, geometry_->rowsThatFit(viewportSize_.height())));
        return true;
    default:
        return false;
    }
}

bool SlipGrid::editByKey(int key) {
    const int row = model_->currentRow();
    const bool editable = row >= 0 && model_->isEditable(row, model_->currentColumn());
    switch (key) {
    case Qt::Key_F2:
        if (editable && !edit_.isActive())
            beginEdit(model_->value(row, model_->currentColumn()).toText());
        return true;
    case Qt::Key_Delete:
        if (edit_.isActive()) {
            edit_.clear();
            repaintCurrent();
        } else if (editable) {
            commitValue(row, model_->currentColumn(), SlipValue::empty());
        }
        return true;
    case Qt::Key_Backspace:
        if (edit_.isActive()) {
            edit_.backspace();
            repaintCurrent();
        } else if (editable) {
            beginEdit(QString());
        }
        return true;
    default:
        return false;
    }
}

void SlipGrid::copyCurrent() const {
    const int row = model_->currentRow();
    if (row < 0 || edit_.isActive())
        return;
    QGuiApplication::clipboard()->setText(model_->value(row, model_->currentColumn()).toText());
}

// A pasted value takes the same road as a typed one: committed, validated, then stored.
void SlipGrid::pasteIntoCurrent() {
    const int row = model_->currentRow();
    const int column = model_->currentColumn();
    if (row < 0 || !model_->isEditable(row, column))
        return;
    const QString text = QGuiApplication::clipboard()->text().section(u'\n', 0, 0).trimmed();
    // Text that is no number goes to the screen's check as text, which refuses it (and says
    // why) as it refuses a wrong typed value.
    const SlipValue v = model_->column(column).kind == SlipKind::Text
                            ? SlipValue::text(text)
                            : parseSlipNumber(text).value_or(SlipValue::text(text));
    edit_.cancel();
    commitValue(row, column, v);
}

QString SlipGrid::toolTipAt(QPoint viewportPos) const {
    const std::optional<SlipCell> hit = geometry_->rowCellAt(viewportPos, view());
    if (!hit)
        return QString();
    const QString& text = model_->displayText(hit->row, hit->column);
    const int room = geometry_->columnWidth(hit->column) - 2 * style_.padding;
    return fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

bool SlipGrid::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

void SlipGrid::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty())
        typeText(e->commitString());
    e->accept();
}

QVariant SlipGrid::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle && model_->currentRow() >= 0) {
        return geometry_->rowCellRect(model_->currentRow(), model_->currentColumn(), view())
            .translated(viewport()->pos());
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

void SlipGrid::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    if (e->button() != Qt::LeftButton)
        return;
    const std::optional<SlipCell> hit = geometry_->rowCellAt(e->position().toPoint(), view());
    if (hit && model_->isEnabled(hit->row, hit->column))
        moveTo(*hit);
}

void SlipGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    mousePressEvent(e);
    const int row = model_->currentRow();
    const std::optional<SlipCell> hit = geometry_->rowCellAt(e->position().toPoint(), view());
    if (hit && hit->row == row && hit->column == model_->currentColumn() &&
        model_->isEditable(row, hit->column) && !edit_.isActive())
        beginEdit(model_->value(row, hit->column).toText());
}

void SlipGrid::mouseReleaseEvent(QMouseEvent* e) {
    e->accept(); // a click is complete on the press
}

void SlipGrid::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
    emit gotFocus();
}

void SlipGrid::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    // Leaving the grid keeps what was typed unless the screen refuses it.
    if (!commitEdit())
        cancelEdit();
    viewport()->update();
}

void SlipGrid::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void SlipGrid::scrollContentsBy(int, int) {
    viewport()->update();
}

void SlipGrid::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    SlipPaintState st;
    st.view = view();
    st.focused = hasFocus();
    st.editing = edit_.isActive();
    st.editText = edit_.text();
    st.dirty = e->rect();
    paintSlipGrid(p, *model_, *geometry_, style_, st);
}

void SlipGrid::reveal(SlipCell cell) {
    const SlipView v = geometry_->revealed(cell, view());
    verticalScrollBar()->setValue(v.topRow);
    horizontalScrollBar()->setValue(v.hOffset);
}

QSize SlipGrid::sizeHint() const {
    const QSize s = geometry_->fullSize(std::max(1, model_->rowCount()));
    const int f = 2 * frameWidth();
    return QSize(s.width() + f, s.height() + f);
}

QSize SlipGrid::minimumSizeHint() const {
    const int f = 2 * frameWidth();
    return QSize(geometry_->frozenWidth() + 60 + f, geometry_->headingHeight() +
                                                        geometry_->rowHeight() +
                                                        geometry_->totalsHeight() + f);
}

} // namespace plat::widgets
