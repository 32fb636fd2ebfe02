// The slip grid widget of the ledger and inquiry screens: rows of named fields under a
// heading area, a totals area below, fast keyboard entry (arrows and Enter move, typing
// replaces the cell), and notifications for changed, committed and validated values, keys
// and focus.
#pragma once

#include "platform/widgets/slipgrid/SlipEditBuffer.h"
#include "platform/widgets/slipgrid/SlipGridGeometry.h"
#include "platform/widgets/slipgrid/SlipGridLayout.h"
#include "platform/widgets/slipgrid/SlipGridModel.h"
#include "platform/widgets/slipgrid/SlipGridPainter.h"
#include "platform/widgets/slipgrid/SlipValue.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>

#include <memory>

namespace plat::widgets {

// Field names that match no field, and rows out of range, throw std::out_of_range; a text
// that is no number written to a number field throws std::invalid_argument.
class SlipGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit SlipGrid(QWidget* parent = nullptr);
    explicit SlipGrid(SlipGridLayout layout, QWidget* parent = nullptr);
    ~SlipGrid() override;

    // Replaces the layout; rows start anew (the layout's initial row count, all empty).
    void setGridLayout(SlipGridLayout layout);
    const SlipGridModel& model() const { return *model_; }
    const SlipGridGeometry& geometry() const { return *geometry_; }

    int rowCount() const { return model_->rowCount(); }
    void appendRow();
    void removeAllRows();
    // Empties every field of the row (or of every row); each field that held a value
    // reports a change.
    void clearRow(int row);
    void clearAllRows();

    SlipValue value(int row, const QString& field) const;
    // The value as a number: empty (and text) counts 0.
    double number(int row, const QString& field) const;
    QString displayText(int row, const QString& field) const;
    // Reports valueChanged when the stored value changes; writing the value a field already
    // holds reports nothing, so a screen may rewrite totals from its change handler.
    void setValue(int row, const QString& field, const SlipValue& v);
    void setNumber(int row, const QString& field, double v) {
        setValue(row, field, SlipValue::number(v));
    }
    void setText(int row, const QString& field, const QString& t) {
        setValue(row, field, SlipValue::text(t));
    }
    void clearValue(int row, const QString& field) { setValue(row, field, SlipValue::empty()); }

    bool isFieldEnabled(int row, const QString& field) const;
    void setFieldEnabled(int row, const QString& field, bool on);

    int currentRow() const { return model_->currentRow(); }
    QString currentField() const;
    void setCurrentCell(int row, const QString& field);
    void setCurrentRow(int row);
    void setCurrentField(const QString& field);

    // Heading and totals cells. Heading texts keep their colour until it is set again; an
    // invalid colour returns to the normal text colour.
    void setHeadingText(const QString& field, const QString& text);
    QString headingText(const QString& field) const;
    void setHeadingColor(const QString& field, const QColor& colour);
    QColor headingColor(const QString& field) const;
    void setTotal(const QString& field, double v);
    void blankTotal(const QString& field);
    SlipValue total(const QString& field) const;
    QString areaDisplayText(const QString& field) const;

    bool isEditing() const { return edit_.isActive(); }
    const QString& editText() const { return edit_.text(); }
    // Commits what is being typed; false when the screen refused it (the field keeps its
    // former value; the entry is closed, or stays open with the refused text when the grid
    // keeps refused entries).
    bool commitEdit();
    void setKeepsRefusedEntry(bool on) { keepsRefusedEntry_ = on; }
    void cancelEdit();

    // The whole text of the row cell at a viewport point when the cell shows it cut short
    // (long site names), else empty: the grid's tool tip.
    QString toolTipAt(QPoint viewportPos) const;

    const SlipGridStyle& gridStyle() const { return style_; }
    SlipView view() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(int row, const QString& field);
    // The typed value is about to be stored; the handler may replace it (empty by 0).
    void committing(int row, const QString& field, plat::widgets::SlipValue& value);
    // Set refuse to keep the field's former value.
    void validating(int row, const QString& field, const plat::widgets::SlipValue& value,
                    bool& refuse);
    // Classic key code and shift state (1 Shift, 2 Ctrl, 4 Alt); set keyCode to 0 to
    // swallow the key.
    void keyDown(int& keyCode, int shift);
    void gotFocus();
    // Typed characters the current cell cannot take (letters in a number cell): they are not
    // entered, and the grid beeps once for the entry; the screen may say what is allowed.
    void typingRefused(int row, const QString& field);
    // An entry began in the current cell (nothing is stored before it is committed).
    void editingStarted(int row, const QString& field);
    void currentCellChanged(int row, const QString& field);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int fieldColumn(const QString& field) const;
    int areaCellIndex(const QString& field) const;
    const QString& fieldName(int column) const { return model_->column(column).field; }
    bool commitValue(int row, int column, SlipValue v);
    void storeValue(int row, int column, const SlipValue& v);
    bool moveTo(SlipCell cell);
    bool move(SlipMove m, int times = 1);
    void typeText(const QString& text);
    void refuseTyping();
    // The arrow, Enter, Home, End and page keys move the current cell; false for other keys.
    bool moveByKey(int key, bool shift);
    // F2, Delete and Backspace open, clear or shorten an entry; false for other keys.
    bool editByKey(int key);
    void copyCurrent() const;
    void pasteIntoCurrent();
    void beginEdit(const QString& initial);
    void updateScrollBars();
    void followInputMethod();
    void repaintCell(int row, int column);
    void repaintCurrent();
    void repaintArea(int i);
    void reveal(SlipCell cell);
    void refresh();

    std::unique_ptr<SlipGridModel> model_;
    std::unique_ptr<SlipGridGeometry> geometry_;
    SlipGridStyle style_;
    SlipEditBuffer edit_;
    bool keepsRefusedEntry_ = false;
    bool typingBeeped_ = false; // the entry under way was already refused a character
    QSize viewportSize_;
};

} // namespace plat::widgets
