// The date box of the program's forms: a month (shown "yyyy/mm") or a year (shown "yyyy").
// Its value is always the first day of a month. It accepts months from December 2001 up to an
// upper limit that by default moves with the calendar: three months after the current month.
#pragma once

#include "platform/text/DateTime.h"

#include <QLineEdit>

#include <optional>

namespace plat::widgets {

class DateBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Mode { YearMonth, Year };

    explicit DateBox(QWidget* parent = nullptr);

    plat::text::DateTime value() const { return value_; }
    // Sets the month of d (its first day), kept within the limits.
    void setValue(const plat::text::DateTime& d);

    Mode mode() const { return mode_; }
    void setMode(Mode mode);

    plat::text::DateTime minimum() const { return min_; }
    plat::text::DateTime maximum() const;
    // A fixed upper limit; without one the limit is three months after the current month.
    void setMaximum(const plat::text::DateTime& d);
    // Pins the day the box takes as today instead of the clock's: the box shows that month and
    // the moving upper limit follows it.
    void setToday(const plat::text::DateTime& today);

    // Steps by months (or years in year mode) within the limits; false when it did not move.
    bool step(int count);

    // Reads typed text: "2004/4", "2004/04", "200404", "2004-04" (year mode: "2004").
    static std::optional<plat::text::DateTime> parse(const QString& text, Mode mode);
    // Three months after the month of today.
    static plat::text::DateTime defaultMaximum(const plat::text::DateTime& today);
    static plat::text::DateTime defaultMinimum() { return {2001, 12, 1}; }

signals:
    void valueChanged();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    plat::text::DateTime today() const;
    plat::text::DateTime clamp(plat::text::DateTime d) const;
    void commitText();
    void showValue();

    plat::text::DateTime value_;
    plat::text::DateTime min_;
    std::optional<plat::text::DateTime> max_;
    std::optional<plat::text::DateTime> today_;
    Mode mode_ = Mode::YearMonth;
};

} // namespace plat::widgets
