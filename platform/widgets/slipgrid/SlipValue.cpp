// The value of one slip grid field, its display text, and numbers read from text.
#include "platform/widgets/slipgrid/SlipValue.h"

#include "platform/text/Format.h"

namespace plat::widgets {

SlipValue SlipValue::number(double v) {
    SlipValue s;
    s.kind_ = Kind::Number;
    s.number_ = v;
    return s;
}

SlipValue SlipValue::text(const QString& t) {
    SlipValue s;
    if (!t.isEmpty()) {
        s.kind_ = Kind::Text;
        s.text_ = t;
    }
    return s;
}

QString SlipValue::toText() const {
    switch (kind_) {
    case Kind::Number:
        return QString::number(number_, 'g', 15);
    case Kind::Text:
        return text_;
    case Kind::Empty:
        break;
    }
    return QString();
}

bool operator==(const SlipValue& a, const SlipValue& b) {
    if (a.kind_ != b.kind_)
        return false;
    switch (a.kind_) {
    case SlipValue::Kind::Number:
        return a.number_ == b.number_;
    case SlipValue::Kind::Text:
        return a.text_ == b.text_;
    case SlipValue::Kind::Empty:
        break;
    }
    return true;
}

QString formatSlipValue(const SlipValue& v, const std::string& format) {
    if (v.isNumber() && !format.empty())
        return QString::fromStdString(plat::text::formatNumber(v.toNumber(), format));
    return v.toText();
}

std::optional<SlipValue> parseSlipNumber(const QString& text) {
    QString ascii;
    ascii.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= u'０' && u <= u'９')
            ascii += QChar(u'0' + (u - u'０'));
        else if (u == u'．')
            ascii += QChar(u'.');
        else if (u == u'－')
            ascii += QChar(u'-');
        else
            ascii += ch;
    }
    ascii = ascii.trimmed();
    if (ascii.isEmpty())
        return SlipValue::empty();
    bool ok = false;
    const double d = ascii.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return SlipValue::number(d);
}

} // namespace plat::widgets
