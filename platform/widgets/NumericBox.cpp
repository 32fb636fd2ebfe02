// Numeric box stand-in: exact currency parsing, display format when idle, exit codes.
#include "platform/widgets/NumericBox.h"

#include "platform/text/Format.h"
#include "platform/widgets/UiFont.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <cmath>

namespace plat::widgets {

namespace {
constexpr std::int64_t kScale = 10000;

std::int64_t toScaled(double v) {
    return static_cast<std::int64_t>(std::llround(v * kScale));
}

int decimalsOf(const QString& format) {
    const qsizetype dot = format.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return 0;
    int n = 0;
    for (qsizetype i = dot + 1; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('0') || format[i] == QLatin1Char('#'))
            ++n;
    }
    return std::min(n, 4);
}
} // namespace

NumericBox::NumericBox(QWidget* parent) : QLineEdit(parent) {
    setFont(uiFont());
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMinimumHeight(26);
    setDisplayFormat(QStringLiteral("#,##0"));
    connect(this, &QLineEdit::textEdited, this, [this] { dataChanged_ = true; });
}

std::optional<std::int64_t> NumericBox::parse(const QString& text, int decimals, bool* isEmpty) {
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    if (isEmpty)
        *isEmpty = t.isEmpty();
    if (t.isEmpty())
        return std::nullopt;
    bool negative = false;
    qsizetype i = 0;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool seenDot = false;
    bool seenDigit = false;
    constexpr std::int64_t kMaxWhole = 922337203685477; // the currency range
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('.') && !seenDot) {
            seenDot = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        seenDigit = true;
        const int d = c.unicode() - '0';
        if (seenDot) {
            if (++fractionDigits > decimals)
                return std::nullopt;
            fraction = fraction * 10 + d;
        } else {
            whole = whole * 10 + d;
            if (whole > kMaxWhole)
                return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    for (int k = fractionDigits; k < 4; ++k)
        fraction *= 10;
    const std::int64_t scaled = whole * kScale + fraction;
    return negative ? -scaled : scaled;
}

double NumericBox::value() const {
    return static_cast<double>(value_.value_or(0)) / static_cast<double>(kScale);
}

void NumericBox::setValue(double v) {
    setCurrency(toScaled(v));
}

void NumericBox::setCurrency(std::int64_t scaled) {
    if (min_ && scaled < *min_)
        scaled = *min_;
    if (max_ && scaled > *max_)
        scaled = *max_;
    const bool changed = value_ != scaled;
    value_ = scaled;
    showValue();
    if (changed) {
        dataChanged_ = true;
        emit valueChanged();
    }
}

void NumericBox::setNull() {
    const bool changed = value_.has_value();
    value_.reset();
    showValue();
    if (changed) {
        dataChanged_ = true;
        emit valueChanged();
    }
}

void NumericBox::fill(std::optional<std::int64_t> scaled) {
    value_ = scaled;
    showValue();
    dataChanged_ = false;
}

void NumericBox::setDisplayFormat(const QString& format) {
    format_ = format;
    decimals_ = decimalsOf(format);
    showValue();
}

void NumericBox::setRange(double minimum, double maximum) {
    min_ = toScaled(minimum);
    max_ = toScaled(maximum);
}

QString NumericBox::plainText() const {
    if (!value_)
        return {};
    const std::int64_t v = *value_;
    const std::int64_t absV = v < 0 ? -v : v;
    QString text = QString::number(absV / kScale);
    std::int64_t fraction = absV % kScale;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return v < 0 ? QLatin1Char('-') + text : text;
}

void NumericBox::showValue() {
    if (hasFocus()) {
        setText(plainText());
        return;
    }
    setText(displayedText());
}

bool NumericBox::commitText() {
    bool empty = false;
    const std::optional<std::int64_t> parsed = parse(text(), decimals_, &empty);
    if (empty) {
        setNull();
        return true;
    }
    if (parsed && (!min_ || *parsed >= *min_) && (!max_ || *parsed <= *max_)) {
        setCurrency(*parsed);
        return true;
    }
    // Not a number, or out of range: the old value stays.
    showValue();
    if (hasFocus())
        selectAll();
    QApplication::beep();
    emit refused();
    return false;
}

bool NumericBox::commit() {
    if (text() == (hasFocus() ? plainText() : displayedText()))
        return true;
    return commitText();
}

QString NumericBox::displayedText() const {
    return value_ ? QString::fromStdString(plat::text::formatCurrency(*value_, format_.toStdString()))
                  : QString();
}

void NumericBox::focusInEvent(QFocusEvent* event) {
    exitCode_ = ExitCode::None;
    pendingExit_ = ExitCode::None;
    QLineEdit::focusInEvent(event);
    setText(plainText());
    selectAll();
}

void NumericBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return; // the window lost the focus, the box keeps it
    commitText();
    showValue();
    if (pendingExit_ != ExitCode::None)
        exitCode_ = pendingExit_;
    else if (event->reason() == Qt::MouseFocusReason)
        exitCode_ = ExitCode::Mouse;
    else if (event->reason() == Qt::TabFocusReason)
        exitCode_ = ExitCode::Tab;
    else if (event->reason() == Qt::BacktabFocusReason)
        exitCode_ = ExitCode::BackTab;
    else
        exitCode_ = ExitCode::Other;
    pendingExit_ = ExitCode::None;
    emit exited(exitCode_);
}

void NumericBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!commitText()) { // refused: the box keeps the focus for a new entry
            event->accept();
            return;
        }
        setText(plainText());
        selectAll();
        if (enterMovesFocus_) {
            pendingExit_ = ExitCode::Enter;
            focusNextChild();
        }
        event->accept();
        return;
    case Qt::Key_Escape:
        setText(plainText());
        selectAll();
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace plat::widgets
