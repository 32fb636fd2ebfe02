// Date box stand-in: month keys, limits, typed input and Up/Down stepping.
#include "platform/widgets/DateBox.h"

#include "platform/widgets/UiFont.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>

namespace plat::widgets {

using plat::text::DateTime;

namespace {
DateTime yearStart(const DateTime& d) {
    return {d.year, 1, 1};
}
} // namespace

DateBox::DateBox(QWidget* parent) : QLineEdit(parent), min_(defaultMinimum()) {
    setFont(uiFont());
    setAlignment(Qt::AlignCenter);
    setMinimumHeight(26);
    value_ = clamp(plat::text::firstOfMonth(plat::text::nowLocal()));
    showValue();
}

DateTime DateBox::defaultMaximum(const DateTime& today) {
    return plat::text::addMonths(plat::text::firstOfMonth(today), 3);
}

DateTime DateBox::today() const {
    return today_ ? *today_ : plat::text::nowLocal();
}

void DateBox::setToday(const DateTime& today) {
    today_ = today;
    setValue(plat::text::firstOfMonth(today));
}

DateTime DateBox::maximum() const {
    return max_ ? *max_ : defaultMaximum(today());
}

void DateBox::setMaximum(const DateTime& d) {
    max_ = plat::text::firstOfMonth(d);
    setValue(value_);
}

void DateBox::setMode(Mode mode) {
    mode_ = mode;
    setValue(value_);
}

DateTime DateBox::clamp(DateTime d) const {
    d = plat::text::firstOfMonth(d);
    if (mode_ == Mode::Year) {
        d = yearStart(d);
        if (d.year < min_.year)
            d.year = min_.year;
        if (d.year > maximum().year)
            d.year = maximum().year;
        return d;
    }
    if (d < min_)
        return min_;
    if (d > maximum())
        return maximum();
    return d;
}

void DateBox::setValue(const DateTime& d) {
    const DateTime next = clamp(d);
    const bool changed = next != value_;
    value_ = next;
    showValue();
    if (changed)
        emit valueChanged();
}

bool DateBox::step(int count) {
    const DateTime before = value_;
    setValue(plat::text::addMonths(value_, mode_ == Mode::Year ? 12 * count : count));
    return value_ != before;
}

std::optional<DateTime> DateBox::parse(const QString& text, Mode mode) {
    const QString t = text.trimmed();
    if (mode == Mode::Year) {
        static const QRegularExpression year(QStringLiteral("^(\\d{4})$"));
        const auto m = year.match(t);
        if (!m.hasMatch())
            return std::nullopt;
        return DateTime{m.captured(1).toInt(), 1, 1};
    }
    static const QRegularExpression separated(QStringLiteral("^(\\d{4})[/\\-.](\\d{1,2})$"));
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})$"));
    auto m = separated.match(t);
    if (!m.hasMatch())
        m = compact.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const int month = m.captured(2).toInt();
    if (month < 1 || month > 12)
        return std::nullopt;
    return DateTime{m.captured(1).toInt(), month, 1};
}

void DateBox::showValue() {
    setText(mode_ == Mode::Year ? QStringLiteral("%1").arg(value_.year, 4, 10, QLatin1Char('0'))
                                : QStringLiteral("%1/%2")
                                      .arg(value_.year, 4, 10, QLatin1Char('0'))
                                      .arg(value_.month, 2, 10, QLatin1Char('0')));
}

void DateBox::commitText() {
    const std::optional<DateTime> typed = parse(text(), mode_);
    if (typed && clamp(*typed) == *typed)
        setValue(*typed);
    else
        showValue(); // not a month within the limits: the old value stays
}

void DateBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        commitText();
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitText();
        event->ignore(); // the form may still act on Enter
        return;
    case Qt::Key_Up:
        step(1);
        return;
    case Qt::Key_Down:
        step(-1);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

} // namespace plat::widgets
