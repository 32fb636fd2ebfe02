// The value of one slip grid field.
#include "platform/widgets/slipgrid/SlipValue.h"

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

} // namespace plat::widgets
