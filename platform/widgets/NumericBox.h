// The numeric box of the program's forms: holds a currency value (ten-thousandths in 64 bits),
// shows it with a display format ("#,##0") while it does not have the focus and as plain digits
// while it is edited, and records how the focus left it (the exit code).
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <optional>

namespace plat::widgets {

class NumericBox : public QLineEdit {
    Q_OBJECT
public:
    enum class ExitCode { None, Enter, Tab, BackTab, Mouse, Other };

    explicit NumericBox(QWidget* parent = nullptr);

    // Value in currency units; an empty box is Null and reads as 0.
    double value() const;
    std::int64_t currency() const { return value_.value_or(0); }
    bool isNull() const { return !value_.has_value(); }
    void setValue(double value);
    void setCurrency(std::int64_t scaledBy10000);
    void setNull();
    // Fills the box without marking it as changed (a bound record's value).
    void fill(std::optional<std::int64_t> scaledBy10000);

    QString displayFormat() const { return format_; }
    void setDisplayFormat(const QString& format);
    // Decimal places the user may type (taken from the display format).
    int decimals() const { return decimals_; }

    // Values the box holds: a value set from outside is brought into the range; a typed one
    // outside it is refused like text that is no number (the old value stays, refused()).
    void setRange(double minimum, double maximum);

    // Takes the text being typed as the value now, as leaving the box does; false (and
    // refused()) when the text is no number or out of range.
    bool commit();

    ExitCode exitCode() const { return exitCode_; }
    bool dataChanged() const { return dataChanged_; }
    void setDataChanged(bool changed) { dataChanged_ = changed; }
    // Enter commits the value and moves the focus on (default), or only commits.
    void setEnterMovesFocus(bool moves) { enterMovesFocus_ = moves; }

    // Parses typed text ("1,234", "-5", "12.5") into ten-thousandths; nullopt when it is not
    // a number or has more decimals than allowed. Empty text is Null (a valid empty value).
    static std::optional<std::int64_t> parse(const QString& text, int decimals, bool* isEmpty);

signals:
    void valueChanged();
    // The focus left the box; exitCode() tells how.
    void exited(plat::widgets::NumericBox::ExitCode code);
    // Typed text was refused; the box beeped and shows its old value again.
    void refused();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool commitText();
    void showValue();
    QString plainText() const;
    QString displayedText() const;

    std::optional<std::int64_t> value_;
    std::optional<std::int64_t> min_;
    std::optional<std::int64_t> max_;
    QString format_;
    int decimals_ = 0;
    ExitCode exitCode_ = ExitCode::None;
    ExitCode pendingExit_ = ExitCode::None;
    bool dataChanged_ = false;
    bool enterMovesFocus_ = true;
};

} // namespace plat::widgets
