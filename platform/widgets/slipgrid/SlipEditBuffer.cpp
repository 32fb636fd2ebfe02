// Typing into a slip grid cell.
#include "platform/widgets/slipgrid/SlipEditBuffer.h"

namespace plat::widgets {

void SlipEditBuffer::begin(SlipKind kind, const QString& initial) {
    active_ = true;
    kind_ = kind;
    text_ = initial;
}

void SlipEditBuffer::cancel() {
    active_ = false;
    text_.clear();
}

bool SlipEditBuffer::type(const QString& typed, bool* refused) {
    bool any = false;
    if (refused)
        *refused = false;
    for (QChar ch : typed) {
        if (kind_ == SlipKind::Text) {
            if (!ch.isPrint())
                continue;
            text_ += ch;
            any = true;
            continue;
        }
        const char16_t u = ch.unicode();
        QChar ascii = ch;
        if (u >= u'０' && u <= u'９')
            ascii = QChar(u'0' + (u - u'０'));
        else if (u == u'．')
            ascii = QChar(u'.');
        else if (u == u'－')
            ascii = QChar(u'-');
        const bool digit = ascii >= u'0' && ascii <= u'9';
        const bool point = ascii == u'.' && !text_.contains(u'.');
        const bool sign = ascii == u'-' && text_.isEmpty();
        if ((!digit && !point && !sign) || text_.size() >= maxNumberLength) {
            if (refused && ch.isPrint())
                *refused = true;
            continue;
        }
        text_ += ascii;
        any = true;
    }
    return any;
}

void SlipEditBuffer::backspace() {
    if (!text_.isEmpty())
        text_.chop(1);
}

SlipValue SlipEditBuffer::finish() {
    active_ = false;
    const QString t = text_;
    text_.clear();
    if (kind_ == SlipKind::Text)
        return SlipValue::text(t);
    if (t == QLatin1String("."))
        return SlipValue::empty();
    return parseSlipNumber(t).value_or(SlipValue::text(t));
}

} // namespace plat::widgets
